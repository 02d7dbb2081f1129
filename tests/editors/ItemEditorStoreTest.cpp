// The item editor's checks and stores, without its dialog.
#include <gtest/gtest.h>

#include "items/ItemsTestSupport.h"
#include "database/LevelNames.h"
#include "editors/ItemForm.h"
#include "editors/ItemStore.h"
#include "fakes/ScriptedUi.h"
#include "platform/ErrorBox.h"

using editors::ItemFields;

namespace {

ItemFields Fields(const std::string& name, const std::string& genus = {}, const std::string& species = {},
                  const std::string& family = {}) {
  ItemFields fields;
  fields.name = name;
  fields.genus = genus;
  fields.species = species;
  fields.family = family;
  return fields;
}

// The first error box a check shows, "" when every check passes.
std::string FirstFailure(const CZAVDoc& doc, ItemFields fields, bool forStep = false) {
  ScriptedUi ui;
  RunCommand([&] { editors::CheckItemFields(doc, fields, forStep); });
  return ui.Messages().empty() ? std::string() : ui.Messages().front();
}

std::vector<std::string> Names(const std::vector<std::unique_ptr<CQItemname>>& names) {
  std::vector<std::string> texts;
  for (const auto& entry : names) texts.push_back(entry->name);
  return texts;
}

// Every item's name links point at entries that point back at the item.
void ExpectLinksConsistent(const CZAVDoc& doc) {
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const CQItemrec& item = doc.GetItem(i);
    if (item.nameIndex != -1) {
      EXPECT_EQ(doc.m_itemNames[item.nameIndex]->itemIndex, i);
    }
    if (item.speciesIndex != -1) {
      EXPECT_EQ(doc.m_speciesNames[item.speciesIndex]->itemIndex, i);
    }
  }
}

}  // namespace

TEST(ItemEditorChecks, RunInOrderAndStopAtTheFirstFailure) {
  auto both = MakeDocument(true, true);
  EXPECT_EQ(FirstFailure(*both, Fields("  ", "", "", "")), "Name is blank.");
  EXPECT_EQ(FirstFailure(*both, Fields("Robin", "", "", " ")), "Family is blank.");
  EXPECT_EQ(FirstFailure(*both, Fields("Robin", " ", "", "Turdidae")), "Genus is blank.");
  EXPECT_EQ(FirstFailure(*both, Fields("Robin", "Erithacus", "", "Turdidae")), "Species is blank.");
  EXPECT_EQ(FirstFailure(*both, Fields("Robin", "Erithacus", "rubecula", "Turdidae")), "");
  // The step before Next and Previous checks the name alone.
  EXPECT_EQ(FirstFailure(*both, Fields("Robin"), true), "");
  EXPECT_EQ(FirstFailure(*both, Fields(""), true), "Name is blank.");

  auto scientific = MakeDocument(false, true);
  EXPECT_EQ(FirstFailure(*scientific, Fields(std::string(300, 'x'), "", "", "")), "Family is blank.");
  auto common = MakeDocument(true, false);
  EXPECT_EQ(FirstFailure(*common, Fields("Robin")), "");
  // A name has no length limit.
  EXPECT_EQ(FirstFailure(*common, Fields(std::string(5000, 'x'))), "");
  EXPECT_EQ(FirstFailure(*both, Fields(std::string(5000, 'x'), "", "", "")), "Family is blank.");
}

TEST(ItemEditorChecks, CustomLevelNamesMakeNameAndFamilyOptional) {
  auto doc = MakeDocument(true, true);
  doc->m_levelNames = std::make_unique<LevelNames>();
  doc->m_levelNames->inUse = true;
  doc->m_levelNames->genus = "Genus name";
  doc->m_levelNames->species = "Epithet";
  EXPECT_EQ(FirstFailure(*doc, Fields("", "", "", "")), "Genus name is blank.");
  EXPECT_EQ(FirstFailure(*doc, Fields("", "Erithacus", " ", "")), "Epithet is blank.");
  EXPECT_EQ(FirstFailure(*doc, Fields("", "Erithacus", "rubecula", "")), "");
}

TEST(ItemEditorStore, NewItemsGoToTheirSortedPlacesAndShiftTheOthers) {
  auto doc = MakeDocument(true, true);
  Add(*doc, "Wren", "Troglodytes", "troglodytes", "Troglodytidae");
  Add(*doc, "Blackbird", "Turdus", "merula", "Turdidae");
  ItemFields fields = Fields("Robin", "Erithacus", "rubecula", "");
  fields.pictures = "a.jpg;ba.jpg;";
  const int item = editors::StoreItemFields(*doc, -1, fields, ItemFields{});
  EXPECT_EQ(item, 2);
  EXPECT_EQ(Names(doc->m_itemNames), (std::vector<std::string>{"Blackbird", "Robin", "Wren"}));
  EXPECT_EQ(Names(doc->m_speciesNames), (std::vector<std::string>{"rubecula", "troglodytes", "merula"}));
  EXPECT_EQ(doc->GetItem(item).nameIndex, 1);
  EXPECT_EQ(doc->GetItem(0).nameIndex, 2);
  EXPECT_EQ(doc->m_familyNames[doc->GetItem(item).familyIndex], " ");
  EXPECT_EQ(doc->GetItem(item).pictures, "a.jpg;ba.jpg;");
  EXPECT_TRUE(doc->IsModified());
  ExpectLinksConsistent(*doc);
}

TEST(ItemEditorStore, RenamingMovesTheEntryAndKeepsEveryLink) {
  auto doc = MakeDocument(true, true);
  for (const char* name : {"Blackbird", "Robin", "Wren"}) Add(*doc, name, "Turdus", name, "Turdidae");
  const ItemFields loaded = editors::LoadItemFields(*doc, 0);
  ItemFields changed = loaded;
  changed.name = "Zebra finch";
  changed.genus = "Taeniopygia";
  doc->SetModifiedFlag(false);
  editors::StoreItemFields(*doc, 0, changed, loaded);
  EXPECT_EQ(Names(doc->m_itemNames), (std::vector<std::string>{"Robin", "Wren", "Zebra finch"}));
  EXPECT_EQ(doc->GetItem(0).nameIndex, 2);
  EXPECT_EQ(doc->GetItem(1).nameIndex, 0);
  EXPECT_EQ(doc->m_speciesNames[doc->GetItem(0).speciesIndex]->name, "Blackbird");
  // "Taeniopygia Blackbird" now sorts before every "Turdus".
  EXPECT_EQ(doc->m_speciesNames.front()->itemIndex, 0);
  EXPECT_EQ(doc->m_genusNames[doc->GetItem(0).genusIndex], "Taeniopygia");
  EXPECT_TRUE(doc->IsModified());
  ExpectLinksConsistent(*doc);
}

TEST(ItemEditorStore, AGenusNoItemUsesAnyMoreIsBlankedAndReused) {
  auto doc = MakeDocument(false, true);
  Add(*doc, "", "Turdus", "merula", "Turdidae");
  Add(*doc, "", "Erithacus", "rubecula", "Muscicapidae");
  ItemFields loaded = editors::LoadItemFields(*doc, 1);
  ItemFields changed = loaded;
  changed.genus = "Luscinia";
  editors::StoreItemFields(*doc, 1, changed, loaded);
  EXPECT_EQ(doc->m_genusNames, (std::vector<std::string>{"Turdus", "Luscinia"}));
  ExpectLinksConsistent(*doc);
}

TEST(ItemEditorStore, AnUnchangedItemStaysUnmodifiedAndAMissingNameGetsAnEntry) {
  auto doc = MakeDocument(true, false);
  Add(*doc, "Robin");
  Add(*doc, "Wren");
  doc->SetModifiedFlag(false);
  const ItemFields loaded = editors::LoadItemFields(*doc, 0);
  editors::StoreItemFields(*doc, 0, loaded, loaded);
  EXPECT_FALSE(doc->IsModified());

  // An item whose name link was lost while common names are on gets its
  // entry back rather than keeping no name.
  doc->m_itemNames.erase(doc->m_itemNames.begin());
  ShiftItemNameIndices(*doc, false, 0, -1, 0);
  doc->GetItem(0).nameIndex = -1;
  doc->GetItem(0).speciesIndex = 7;  // keeps the slot in use
  ItemFields named = loaded;
  editors::StoreItemFields(*doc, 0, named, editors::LoadItemFields(*doc, 0));
  EXPECT_EQ(Names(doc->m_itemNames), (std::vector<std::string>{"Robin", "Wren"}));
  EXPECT_EQ(doc->GetItem(0).nameIndex, 0);
  EXPECT_EQ(doc->GetItem(1).nameIndex, 1);
}

TEST(ItemEditorStore, ANewItemPast32000IsRefused) {
  auto doc = MakeDocument(true, false);
  for (int i = 0; i < kMaxItems; ++i) doc->InsertItem(i, std::make_unique<CQItemrec>());
  ScriptedUi ui;
  EXPECT_FALSE(RunCommand([&] { editors::StoreItemFields(*doc, -1, Fields("Robin"), ItemFields{}); }));
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Can't add. Too many items!"}));
  EXPECT_TRUE(doc->m_itemNames.empty());
}

TEST(ItemEditorForm, PictureListsSplitExactlyAtSemicolons) {
  EXPECT_EQ(editors::EditablePictureText("a.jpg;ba.jpg"), "a.jpg;ba.jpg;");
  EXPECT_EQ(editors::EditablePictureText("a.jpg;;ba.jpg;"), "a.jpg;ba.jpg;");
  EXPECT_EQ(editors::PictureNames("a.jpg;ba.jpg;"), (std::vector<std::string>{"a.jpg", "ba.jpg"}));
  EXPECT_EQ(editors::PictureTextOf({"ba.jpg", "a.jpg"}), "ba.jpg;a.jpg;");
  EXPECT_EQ(editors::EditablePictureText(""), "");
}

TEST(ItemEditorForm, DescriptionAndLinksSplitAndJoinAndTheMarkerIsRefused) {
  std::string typed;
  std::vector<std::string> lines;
  editors::SplitItemDescription("A bird.@Linksone@$a.htm\r\ntwo@$b.htm\r\n", typed, lines);
  EXPECT_EQ(typed, "A bird.");
  EXPECT_EQ(lines, (std::vector<std::string>{"one@$a.htm", "two@$b.htm"}));
  EXPECT_EQ(editors::JoinItemDescription(typed, lines), "A bird.@Linksone@$a.htm\r\ntwo@$b.htm\r\n");
  EXPECT_EQ(editors::JoinItemDescription("Plain", {}), "Plain");
  ScriptedUi ui;
  EXPECT_FALSE(RunCommand([] { editors::JoinItemDescription("See @Links here", {}); }));
  EXPECT_EQ(ui.Messages().size(), 1u);
}

TEST(ItemEditorForm, CaptionsAndStepsWrap) {
  CQDochdr header;
  header.commonNamesEnabled = 1;
  header.scientificNamesEnabled = 0;
  EXPECT_EQ(editors::GetItemForm(header), editors::ItemForm::NameOnly);
  header.scientificNamesEnabled = 1;
  EXPECT_EQ(editors::GetItemForm(header), editors::ItemForm::SpeciesAndCommon);
  header.commonNamesEnabled = 0;
  EXPECT_EQ(editors::GetItemForm(header), editors::ItemForm::SpeciesOnly);
  EXPECT_EQ(editors::ItemEditorCaption(editors::ItemForm::NameOnly, "Taxon"), "Item Description");
  EXPECT_EQ(editors::ItemEditorCaption(editors::ItemForm::SpeciesOnly, "Taxon"), "Taxon Description");
  EXPECT_EQ(editors::StepItemRow(2, 3, true), 0);
  EXPECT_EQ(editors::StepItemRow(0, 3, false), 2);
  EXPECT_EQ(editors::StepItemRow(1, 3, true), 2);
}

TEST(ItemEditorStore, AMissingSpeciesEntryIsMadeAgainWithItsGenusAndFamily) {
  auto doc = MakeDocument(false, true);
  Add(*doc, "", "Turdus", "merula", "Turdidae");
  Add(*doc, "", "Erithacus", "rubecula", "Muscicapidae");
  // Item 1 lost its species entry; its slot stays in use through its name link.
  const int lost = doc->GetItem(1).speciesIndex;
  doc->m_speciesNames.erase(doc->m_speciesNames.begin() + lost);
  ShiftItemNameIndices(*doc, false, -1, lost, 1);
  doc->GetItem(1).speciesIndex = -1;
  doc->GetItem(1).nameIndex = 5;
  ItemFields fields = Fields("", "Erithacus", "rubecula", "Muscicapidae");
  editors::StoreItemFields(*doc, 1, fields, fields);
  EXPECT_EQ(Names(doc->m_speciesNames), (std::vector<std::string>{"rubecula", "merula"}));
  EXPECT_EQ(doc->GetItem(1).speciesIndex, 0);
  EXPECT_EQ(doc->GetItem(0).speciesIndex, 1);
  EXPECT_EQ(doc->m_genusNames[doc->GetItem(1).genusIndex], "Erithacus");
}
