#include <gtest/gtest.h>

#include "database/LevelNames.h"
#include "database/ZAVDoc.h"
#include "editors/DescriptionEditor.h"
#include "fakes/ScriptedUi.h"
#include "platform/ErrorBox.h"

using namespace editors;

namespace {

class DescriptionEditorTest : public ::testing::Test {
 protected:
  // Three items with common names only, one menu (the root).
  void AddThreeNamedItems() {
    for (const char* name : {"Robin", "Jay", "Crow"}) doc.AddItem("", "", name, "", "", "");
  }
  // The form as opened with the given changes applied, stored through OK.
  bool StoreWith(const std::function<void(DescriptionForm&)>& change) {
    DescriptionEditor editor(doc);
    DescriptionForm form = editor.InitialForm();
    change(form);
    bool stored = false;
    abandoned = !RunCommand([&] { stored = editor.Store(form); });
    return stored;
  }
  std::vector<std::string> Names(const std::vector<std::unique_ptr<CQItemname>>& names) {
    std::vector<std::string> texts;
    for (const auto& name : names) texts.push_back(name->name);
    return texts;
  }

  ScriptedUi ui;
  CZAVDoc doc;
  bool abandoned = false;
};

TEST_F(DescriptionEditorTest, ChecksRunInOrderAndStoreNothingOnFailure) {
  doc.m_header.title = "Birds";
  EXPECT_FALSE(StoreWith([](DescriptionForm& f) {
    f.names = {false, false};
    f.title.clear();
    f.description = "x @Links";
  }));
  EXPECT_TRUE(abandoned);
  EXPECT_EQ(ui.Messages().back(), "At least one item name type must be selected");
  EXPECT_FALSE(StoreWith([](DescriptionForm& f) {
    f.title.clear();
    f.description = "x @Links";
  }));
  EXPECT_EQ(ui.Messages().back(), "Database title must be entered");
  EXPECT_FALSE(StoreWith([](DescriptionForm& f) { f.description = "see @Links"; }));
  EXPECT_NE(ui.Messages().back().find("\"@Links\""), std::string::npos);
  EXPECT_EQ(doc.m_header.title, "Birds");
  EXPECT_EQ(doc.MenuCount(), 0);
  EXPECT_FALSE(doc.IsModified());
  // A title of blanks is a title.
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.title = "  "; }));
  EXPECT_EQ(doc.m_header.title, "  ");
}

TEST_F(DescriptionEditorTest, FirstStoreMakesTheRootMenuOfTheChosenKind) {
  DescriptionEditor editor(doc);
  EXPECT_TRUE(editor.RootKindEnabled());
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) {
    f.title = "Garden birds";
    f.dbVersion = "1.0";
    f.menuVersion = "2";
    f.description = "Nineteen birds";
    f.rootKind = 1;
  }));
  ASSERT_EQ(doc.MenuCount(), 1);
  EXPECT_EQ(doc.GetMenu(0).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(doc.GetMenu(0).title, "Garden birds");
  EXPECT_EQ(doc.GetMenu(0).parent, kNoIndex16);
  EXPECT_EQ(doc.m_header.dbVersion, "1.0");
  EXPECT_EQ(doc.m_header.menuVersion, "2");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.m_header.lockWord, CZAVDoc::LockTokenFor("Nineteen birds"));
  // With the root alone the kind still follows the choice (the buttons are
  // disabled, the value is not); with a second menu it stays.
  EXPECT_FALSE(DescriptionEditor(doc).RootKindEnabled());
  EXPECT_EQ(DescriptionEditor(doc).InitialForm().rootKind, 1);
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.rootKind = 0; }));
  EXPECT_EQ(doc.GetMenu(0).kind, MENU_OF_MENUS);
  doc.AddMenu("Colour", 0, MENU_OF_ATTRIBUTES);
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.rootKind = 1; }));
  EXPECT_EQ(doc.GetMenu(0).kind, MENU_OF_MENUS);
}

TEST_F(DescriptionEditorTest, OnlyAnEditableDatabaseIsReSigned) {
  doc.m_header.title = "Birds";
  doc.m_header.lockWord = 0;  // locked
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.description = "changed"; }));
  EXPECT_EQ(doc.m_header.lockWord, 0u);
  EXPECT_FALSE(doc.IsEditable());
}

TEST_F(DescriptionEditorTest, WithoutItemsNameKindsChangeSilently) {
  doc.m_header.title = "Birds";
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.names = {false, true}; }));
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(doc.m_header.commonNamesEnabled, 0);
  EXPECT_EQ(doc.m_header.scientificNamesEnabled, 1);
  EXPECT_TRUE(doc.m_speciesNames.empty());
  EXPECT_TRUE(doc.m_genusNames.empty());
}

TEST_F(DescriptionEditorTest, ScientificNamesOnGiveEveryItemDefaultNames) {
  doc.m_header.title = "Birds";
  AddThreeNamedItems();
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.names = {true, true}; }));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"All species will be given default genus and species names"});
  EXPECT_EQ(Names(doc.m_speciesNames), (std::vector<std::string>{"species", "species", "species"}));
  EXPECT_EQ(doc.m_genusNames, std::vector<std::string>{"genus"});
  EXPECT_EQ(doc.m_familyNames, std::vector<std::string>{" "});
  for (int item = 0; item < 3; ++item) {
    const CQItemrec& record = doc.GetItem(item);
    ASSERT_GE(record.speciesIndex, 0);
    EXPECT_EQ(record.genusIndex, 0);
    EXPECT_EQ(record.familyIndex, 0);
    EXPECT_EQ(doc.m_speciesNames[record.speciesIndex]->itemIndex, item);
  }
  EXPECT_EQ(Names(doc.m_itemNames).size(), 3u);  // common names stay
  // The species array is in the order the list shows, by display name.
  EXPECT_EQ(doc.m_speciesNames[0]->itemIndex, 2);  // "genus species / Crow"
}

TEST_F(DescriptionEditorTest, CommonNamesOffAskFirstAndNoStoresNothing) {
  doc.m_header.title = "Birds";
  AddThreeNamedItems();
  doc.m_header.scientificNamesEnabled = 1;  // no species names yet: the switch below turns common off only
  ui.yesNoAnswers = {false};
  EXPECT_FALSE(StoreWith([](DescriptionForm& f) {
    f.names = {false, true};
    f.title = "New";
  }));
  EXPECT_FALSE(abandoned);
  EXPECT_EQ(ui.shown.back().text,
            "Disabling common names will cause deletion of all common names.  Do you wish to continue?");
  EXPECT_FALSE(ui.shown.back().defaultYes) << "Enter keeps the names";
  EXPECT_EQ(doc.m_header.title, "Birds");
  EXPECT_EQ(doc.m_itemNames.size(), 3u);

  ui.yesNoAnswers = {true};
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.names = {false, true}; }));
  EXPECT_TRUE(doc.m_itemNames.empty());
  for (int item = 0; item < 3; ++item) EXPECT_EQ(doc.GetItem(item).nameIndex, -1);
}

TEST_F(DescriptionEditorTest, SwappingKindsBothWaysAsksScientificFirstThenRenames) {
  doc.m_header.title = "Birds";
  doc.m_header.commonNamesEnabled = 0;
  doc.m_header.scientificNamesEnabled = 1;
  for (const char* species : {"merula", "rubecula"}) doc.AddItem("", species, "", "Turdus", "Turdidae", "");
  ui.yesNoAnswers = {true};
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.names = {true, false}; }));
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[0].text,
            "Disabling scientific names will cause deletion all family, genus and species names.  Do you wish to "
            "continue?");
  EXPECT_FALSE(ui.shown[0].defaultYes) << "Enter keeps the names";
  EXPECT_EQ(ui.shown[1].text, "All items will be given default names");
  EXPECT_TRUE(doc.m_speciesNames.empty());
  EXPECT_TRUE(doc.m_genusNames.empty());
  EXPECT_TRUE(doc.m_familyNames.empty());
  EXPECT_EQ(Names(doc.m_itemNames), (std::vector<std::string>{"name", "name"}));
  for (int item = 0; item < 2; ++item) {
    EXPECT_EQ(doc.GetItem(item).nameIndex, item);
    EXPECT_EQ(doc.GetItem(item).speciesIndex, -1);
    EXPECT_EQ(doc.GetItem(item).genusIndex, -1);
    EXPECT_EQ(doc.GetItem(item).familyIndex, -1);
  }
  // Common names on while scientific names stay on: "species" wording.
  ui.shown.clear();
  doc.m_header.commonNamesEnabled = 0;
  doc.m_header.scientificNamesEnabled = 1;
  doc.m_itemNames.clear();
  for (int item = 0; item < 2; ++item) doc.GetItem(item).nameIndex = -1, doc.GetItem(item).speciesIndex = 0;
  EXPECT_TRUE(StoreWith([](DescriptionForm& f) { f.names = {true, true}; }));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"All species will be given default common names"});
}

TEST_F(DescriptionEditorTest, LevelRowsFollowTheBoxesAndTypedTitlesAreReplaced) {
  doc.m_header.title = "Birds";
  DescriptionEditor editor(doc);
  DescriptionForm form = editor.InitialForm();
  EXPECT_EQ(form.levelTitles, (std::array<std::string, 4>{}));
  form.useLevelNames = true;
  EXPECT_TRUE(DescriptionEditor::LevelRowEnabled(form, kLevelCommon));
  EXPECT_FALSE(DescriptionEditor::LevelRowEnabled(form, kLevelGenus));
  EXPECT_EQ(editor.ShownLevelTitles(form), (std::array<std::string, 4>{"Common", "", "", ""}));
  form.names.scientific = true;
  EXPECT_EQ(editor.ShownLevelTitles(form), (std::array<std::string, 4>{"Common", "Family", "Genus", "Species"}));
  form.levelTitles = {"Vernacular", "", "Genus", "Taxon"};
  EXPECT_TRUE(editor.Store(form));
  const LevelNames& stored = *doc.m_levelNames;
  EXPECT_TRUE(stored.inUse);
  EXPECT_TRUE(stored.modified);
  EXPECT_EQ(stored.common, "Vernacular");
  EXPECT_EQ(stored.family, "");  // two levels
  EXPECT_EQ(stored.species, "Taxon");
  // Reopened, the stored titles show; clearing the box keeps them but the
  // labels fall back to the defaults.
  DescriptionEditor again(doc);
  DescriptionForm reopened = again.InitialForm();
  EXPECT_EQ(reopened.levelTitles, (std::array<std::string, 4>{"Vernacular", "", "Genus", "Taxon"}));
  reopened.useLevelNames = false;
  EXPECT_TRUE(again.Store(reopened));
  EXPECT_EQ(doc.m_levelNames->species, "Taxon");
  EXPECT_EQ(doc.GetSpeciesLabel(), "Species");
}

}  // namespace
