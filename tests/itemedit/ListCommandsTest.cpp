// Duplicate and delete of the item list, and the name links they keep right.
#include <gtest/gtest.h>

#include "platform/ReportFactory.h"
#include "shell/ItemListCommands.h"
#include "tree/SmallKey.h"

namespace {

std::vector<int> NameLinks(const CZAVDoc& doc) {
  std::vector<int> links;
  for (int i = 0; i < doc.ItemCount(); ++i) links.push_back(doc.GetItem(i).nameIndex);
  return links;
}

// Every name entry points back at the item that points at it.
void ExpectNamesLinked(const CZAVDoc& doc) {
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const CQItemrec& item = doc.GetItem(i);
    if (doc.m_header.commonNamesEnabled) {
      EXPECT_EQ(doc.m_itemNames.at(item.nameIndex)->itemIndex, i) << i;
    }
    if (doc.m_header.scientificNamesEnabled) {
      EXPECT_EQ(doc.m_speciesNames.at(item.speciesIndex)->itemIndex, i) << i;
    }
  }
}

// A record that counts as used (a name entry 0) without names of its own.
std::unique_ptr<CQItemrec> MakeUsedItemRecord() {
  auto record = std::make_unique<CQItemrec>();
  record->nameIndex = 0;
  return record;
}

void GiveScientificNames(CZAVDoc& doc) {
  doc.m_header.scientificNamesEnabled = 1;
  doc.m_genusNames = {"Malus", "Prunus"};
  doc.m_familyNames = {"Rosaceae"};
  const char* species[] = {"domestica", "avium", "aurantifolia", "sylvestris", "insititia"};
  const int genus[] = {0, 1, -1, -1, 1};
  for (int i = 0; i < 5; ++i) {
    auto entry = std::make_unique<CQItemname>();
    entry->itemIndex = i;
    entry->name = species[i];
    doc.m_speciesNames.push_back(std::move(entry));
    doc.GetItem(i).speciesIndex = i;
    doc.GetItem(i).genusIndex = genus[i];
    doc.GetItem(i).familyIndex = genus[i] >= 0 ? 0 : -1;
  }
}

}  // namespace

TEST(ShiftItemNameIndices, SpeciesAndNamePositionsMoveTogetherFreeSlotsStay) {
  auto doc = MakeSmallKey();
  for (int i = 0; i < 5; ++i) doc->GetItem(i).speciesIndex = 4 - i;
  doc->InsertItem(5, std::make_unique<CQItemrec>());
  ShiftItemNameIndices(*doc, true, 2, 2, 2);
  EXPECT_EQ(NameLinks(*doc), (std::vector<int>{0, 1, 2, 4, 5, -1}));
  std::vector<int> species;
  for (int i = 0; i < 6; ++i) species.push_back(doc->GetItem(i).speciesIndex);
  EXPECT_EQ(species, (std::vector<int>{5, 4, 2, 1, 0, -1})) << "item 2 is the skip item";
  ShiftItemNameIndices(*doc, false, 2, -1, -1);
  EXPECT_EQ(NameLinks(*doc), (std::vector<int>{0, 1, 2, 3, 4, -1}));
}

TEST(DuplicateItem, CopiesNamesTextsAndRowIntoANewRecord) {
  TreeFixture f;
  f.doc->GetItem(kCherry).description = "Stone fruit";
  f.doc->GetItem(kCherry).pictures = "cherry.jpg";
  f.doc->GetItem(kCherry).referencePages = {"p. 4"};
  f.doc->m_referenceTitles = {"Flora", "Atlas"};
  const int remaining = f.doc->m_remainingCount;
  const int item = item_list::DuplicateItemRecord(*f.doc, kCherry);
  EXPECT_EQ(item, 5);
  EXPECT_EQ(f.doc->ItemCount(), 6);
  EXPECT_EQ(f.doc->m_remainingCount, remaining + 1);
  const CQItemrec& copy = f.doc->GetItem(item);
  EXPECT_EQ(copy.description, "Stone fruit");
  EXPECT_EQ(copy.pictures, "cherry.jpg");
  EXPECT_EQ(copy.referencePages, (std::vector<std::string>{"", ""})) << "pages are not copied";
  EXPECT_EQ(f.doc->m_itemNames.at(copy.nameIndex)->name, "Cherry");
  EXPECT_EQ(copy.speciesIndex, -1);
  for (int a : {kRed, kGreen, kBlue, kSmall, kLarge})
    EXPECT_EQ(TestBit(f.doc->GetItemAttributeBits(item), a), TestBit(f.doc->GetItemAttributeBits(kCherry), a));
  ExpectNamesLinked(*f.doc);
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(DuplicateItem, ReusesAnExistingGenusAppendsANewFamilyAndLinksNoEmptyGenus) {
  TreeFixture f;
  GiveScientificNames(*f.doc);
  f.doc->m_familyNames = {"Rutaceae"};
  f.doc->GetItem(kCherry).familyIndex = 0;
  f.doc->m_familyNames.push_back("Rosaceae");
  f.doc->GetItem(kPlum).familyIndex = 1;
  const int plum = item_list::DuplicateItemRecord(*f.doc, kPlum);
  EXPECT_EQ(f.doc->GetItem(plum).genusIndex, 1);
  EXPECT_EQ(f.doc->GetItem(plum).familyIndex, 1);
  EXPECT_EQ(f.doc->m_genusNames.size(), 2u);
  // Lime has neither genus nor family; an empty, unused genus slot stays free.
  f.doc->m_genusNames.push_back("");
  const int lime = item_list::DuplicateItemRecord(*f.doc, kLime);
  EXPECT_EQ(f.doc->GetItem(lime).genusIndex, -1);
  EXPECT_EQ(f.doc->GetItem(lime).familyIndex, -1);
  EXPECT_EQ(f.doc->m_genusNames.back(), "");
  // A genus the table lacks is appended.
  f.doc->m_genusNames[1] = "Cerasus";
  f.doc->m_familyNames.push_back("Newaceae");
  f.doc->GetItem(kCherry).familyIndex = 2;
  const int cherry = item_list::DuplicateItemRecord(*f.doc, kCherry);
  EXPECT_EQ(f.doc->GetItem(cherry).genusIndex, 1);
  EXPECT_EQ(f.doc->GetItem(cherry).familyIndex, 2);
  ExpectNamesLinked(*f.doc);
  EXPECT_EQ(f.doc->m_speciesNames.at(f.doc->GetItem(plum).speciesIndex)->name, "insititia");
}

TEST(DuplicateItem, ReusesAFreeSlotAndRefusesAtTheLimitBeforeAnyChange) {
  TreeFixture f;
  f.doc->CutItem(kLime);
  ASSERT_TRUE(f.doc->GetItem(kLime).IsFreeSlot());
  const int used = f.doc->m_usedCount;
  EXPECT_EQ(item_list::DuplicateItemRecord(*f.doc, kPine), kLime);
  EXPECT_EQ(f.doc->ItemCount(), 5) << "no record appended";
  EXPECT_EQ(f.doc->m_usedCount, used + 1);
  EXPECT_EQ(f.doc->GetItemState(kLime), STATE_REMAINING);
  ExpectNamesLinked(*f.doc);

  for (int i = 5; i < kMaxItems; ++i) f.doc->m_items.push_back(MakeUsedItemRecord());
  const auto names = f.doc->m_itemNames.size();
  EXPECT_FALSE(RunCommand([&] { item_list::DuplicateItemRecord(*f.doc, kPine); }));
  EXPECT_EQ(f.ui.Messages().back(), "Can't add. Too much items!");
  EXPECT_EQ(f.doc->ItemCount(), kMaxItems);
  EXPECT_EQ(f.doc->m_itemNames.size(), names);
}

TEST(DuplicateItem, TheCommandSelectsTheCopyAndShowsItsPage) {
  TreeFixture f;
  int pagesFor = -1;
  f.doc->m_showItemPageHook = [&](int item) { pagesFor = item; };
  f.list.FillList();
  item_list::DuplicateItem(*f.doc, kApple);
  EXPECT_EQ(f.list.GetSelectedItemOrNone(), 5);
  EXPECT_EQ(f.list.rows.RowCount(), 6);
  EXPECT_EQ(f.doc->m_recountFlag, 0);
  EXPECT_GE(f.treeView.refreshes, 1);
  item_list::DuplicateItem(*f.doc, -1);
  EXPECT_EQ(f.doc->ItemCount(), 6) << "no item, no command";
}

TEST(DeleteItem, AsksDeletesOnYesAndMovesTheSelectionUp) {
  TreeFixture f;
  f.list.FillList();
  f.ui.yesNoAnswers = {false, true};
  item_list::DeleteItem(*f.doc, kLime, 2);
  EXPECT_EQ(f.ui.shown.back().text, "Are you sure you want to delete this item?");
  EXPECT_FALSE(f.ui.shown.back().defaultYes) << "Enter keeps the item";
  EXPECT_EQ(f.doc->m_itemNames.size(), 5u);
  EXPECT_EQ(f.list.selectedRow, 1) << "No still moves the selection up";
  item_list::DeleteItem(*f.doc, kLime, 2);
  EXPECT_EQ(f.doc->ItemCount(), 4);
  EXPECT_EQ(f.doc->m_itemNames.size(), 4u);
  ASSERT_FALSE(f.html.pages.empty());
  EXPECT_NE(f.html.pages.back().html.find("Item deleted!"), std::string::npos);
  ExpectNamesLinked(*f.doc);
  const auto questions = f.ui.shown.size();
  item_list::DeleteItem(*f.doc, -1, 0);
  EXPECT_EQ(f.ui.shown.size(), questions) << "no item: no question";
}

TEST(DeleteItem, OnAnEmptyDatabaseNothingHappens) {
  TreeFixture f(false);
  item_list::DeleteItem(*f.doc, -1, -1);
  item_list::DuplicateItem(*f.doc, -1);
  item_list::ReevaluateAfterItemEdit(*f.doc);
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_EQ(f.doc->ItemCount(), 0);
}

// After the attribute editor the page shown is made again for the item it
// showed: it would otherwise go on showing the attributes as they were.
TEST(ReevaluateAfterItemEdit, ThePageShownIsMadeAgainForTheItemItShowed) {
  TreeFixture f;
  f.list.FillList();
  f.list.SelectItem(kPlum);
  f.doc->m_reportKind = kReportItemDescription;
  f.doc->m_reportArgument = kPlum;
  std::vector<int> shownFor;
  f.doc->m_showReportHook = [&](bool) { shownFor.push_back(f.doc->m_reportArgument); };
  item_list::ReevaluateAfterItemEdit(*f.doc);
  EXPECT_EQ(shownFor, std::vector<int>{kPlum});
  EXPECT_EQ(f.list.GetSelectedItemOrNone(), kPlum);
}
