#include "database/UtilityFunction.h"

#include "database/LevelNames.h"
#include "fakes/ScriptedUi.h"
#include "items/ItemsTestSupport.h"
#include "platform/ErrorBox.h"

namespace {

// A robin with all four names in a document with the chosen name kinds.
struct RobinDatabase {
  RobinDatabase(bool common, bool scientific) : doc(MakeDocument(common, scientific)) {
    robin = Add(*doc, "Robin", "Erithacus", "rubecula", "Muscicapidae");
  }
  std::unique_ptr<CZAVDoc> doc;
  int robin = -1;
};

std::string Name(const CZAVDoc& doc, int item) { return GetItemDisplayName(doc, item); }

}  // namespace

TEST(DisplayName, ScientificOrderPutsTheCommonNameLastAndMarksWhereItBegins) {
  RobinDatabase db(true, true);
  db.doc->m_orderChoice = kScientificOrder;
  const std::string name = Name(*db.doc, db.robin);
  EXPECT_EQ(name, "Erithacus rubecula / Muscicapidae / Robin");
  EXPECT_EQ(name.substr(GetDisplayNameSplit()), "Robin");
}

TEST(DisplayName, CustomLevelNamesUseSingleBlanks) {
  RobinDatabase db(true, true);
  db.doc->m_levelNames->inUse = true;
  db.doc->m_orderChoice = kScientificOrder;
  EXPECT_EQ(Name(*db.doc, db.robin), "Erithacus rubecula Muscicapidae Robin");
  db.doc->m_orderChoice = kCommonNameOrder;
  EXPECT_EQ(Name(*db.doc, db.robin), "Robin Erithacus rubecula Muscicapidae");
}

TEST(DisplayName, CommonNameOrderPutsTheCommonNameFirst) {
  RobinDatabase db(true, true);
  db.doc->m_orderChoice = kCommonNameOrder;
  const std::string name = Name(*db.doc, db.robin);
  EXPECT_EQ(name, "Robin / Erithacus rubecula / Muscicapidae");
  EXPECT_EQ(name.substr(0, GetDisplayNameSplit()), "Robin");
}

TEST(DisplayName, OneNameKindDecidesTheOrderWhateverTheChoice) {
  RobinDatabase common(true, false);
  common.doc->m_orderChoice = kScientificOrder;
  EXPECT_EQ(GetOrderType(*common.doc), kCommonNameOrder);
  EXPECT_EQ(Name(*common.doc, common.robin), "Robin");
  EXPECT_EQ(GetDisplayNameSplit(), 5);

  RobinDatabase scientific(false, true);
  scientific.doc->m_orderChoice = kCommonNameOrder;
  EXPECT_EQ(GetOrderType(*scientific.doc), kScientificOrder);
  EXPECT_EQ(Name(*scientific.doc, scientific.robin), "Erithacus rubecula / Muscicapidae");
  EXPECT_EQ(GetDisplayNameSplit(), 0);
}

TEST(DisplayName, MissingPartsAreMarkersThatDoNotCountAsPrecedingText) {
  RobinDatabase db(false, true);
  db.doc->GetItem(db.robin).genusIndex = -1;
  EXPECT_EQ(Name(*db.doc, db.robin), "#genusError#rubecula / Muscicapidae");
  db.doc->GetItem(db.robin).familyIndex = -1;
  EXPECT_EQ(Name(*db.doc, db.robin), "#genusError#rubecula#familyError#");

  RobinDatabase both(true, true);
  both.doc->m_orderChoice = kCommonNameOrder;
  both.doc->GetItem(both.robin).nameIndex = -1;
  EXPECT_EQ(Name(*both.doc, both.robin), "#commonNameError#Erithacus rubecula / Muscicapidae");
  EXPECT_EQ(GetDisplayNameSplit(), 0);
}

TEST(DisplayName, IndexOutsideTheItemsGivesNothing) {
  RobinDatabase db(true, false);
  EXPECT_EQ(Name(*db.doc, -1), "");
  EXPECT_EQ(Name(*db.doc, 1), "");
}

TEST(NameOrder, NoNameKindAbandonsWithTheHookError) {
  ScriptedUi ui;
  auto doc = MakeDocument(false, false);
  EXPECT_THROW(GetOrderType(*doc), UserAbort);
  EXPECT_THROW(GetOrderArray(*doc), UserAbort);
  ASSERT_FALSE(ui.Messages().empty());
  EXPECT_EQ(ui.Messages().front(), "OrderHookError");
}

TEST(NameOrder, ScientificOrderWalksTheSpeciesArray) {
  ScriptedUi ui;
  auto doc = MakeDocument(true, true);
  doc->m_orderChoice = kScientificOrder;
  const int zebra = Add(*doc, "Aardvark", "Zebra", "z");  // first by common name, last by scientific
  const int ant = Add(*doc, "Zulu", "Ant", "a");
  EXPECT_EQ(GetNextInOrder(*doc, ant, 1), zebra);
  doc->m_orderChoice = kCommonNameOrder;
  EXPECT_EQ(GetNextInOrder(*doc, zebra, 1), ant);
  doc->m_orderChoice = kScientificOrder;
  doc->GetItem(ant).speciesIndex = -1;
  EXPECT_THROW(GetNextInOrder(*doc, ant, 1), UserAbort);
  EXPECT_EQ(ui.Messages().back(), "Order error! <scientificOrder>");
}

class NextInOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = MakeDocument(true, false);
    // Added out of order: the name array sorts them A, B, C, D.
    c = Add(*doc, "C");
    a = Add(*doc, "A");
    d = Add(*doc, "D");
    b = Add(*doc, "B");
  }
  std::unique_ptr<CZAVDoc> doc;
  int a = 0, b = 0, c = 0, d = 0;
};

TEST_F(NextInOrder, WalksTheNameArrayOverRemainingItems) {
  EXPECT_EQ(GetNextInOrder(*doc, a, 1), b);
  EXPECT_EQ(GetNextInOrder(*doc, b, 1), c);
  EXPECT_EQ(GetNextInOrder(*doc, c, -1), b);
  doc->m_itemStates[b] = STATE_ELIMINATED;
  doc->m_itemStates[c] = STATE_MISSING_DATA;
  EXPECT_EQ(GetNextInOrder(*doc, a, 1), c);
  doc->m_itemStates[c] = STATE_USER_ELIMINATED;
  EXPECT_EQ(GetNextInOrder(*doc, a, 1), d);
}

TEST_F(NextInOrder, EndsOfTheArrayGiveMinusOne) {
  EXPECT_EQ(GetNextInOrder(*doc, d, 1), -1);
  EXPECT_EQ(GetNextInOrder(*doc, a, -1), -1);
}

TEST_F(NextInOrder, WithASelectionOnlySelectedItemsCount) {
  doc->m_itemStates[c] = STATE_SELECTED_ELIMINATED;
  EXPECT_EQ(GetNextInOrder(*doc, a, 1), c);
  EXPECT_EQ(GetNextInOrder(*doc, c, 1), -1);
  EXPECT_EQ(GetNextInOrder(*doc, d, -1), c);
}

TEST_F(NextInOrder, UnlinkedEntriesAreSkippedAndAMissingEntryIsAnOrderError) {
  doc->m_itemNames[1]->itemIndex = -1;  // B's entry
  EXPECT_EQ(GetNextInOrder(*doc, a, 1), c);
  ScriptedUi ui;
  doc->GetItem(a).nameIndex = -1;
  EXPECT_THROW(GetNextInOrder(*doc, a, 1), UserAbort);
  EXPECT_EQ(ui.Messages().back(), "Order error! <commonOrder>");
}

TEST(TextFunctions, HtmlAttributeTextReplacesInTheFixedOrder) {
  EXPECT_EQ(TextToHtmlAttribute("a<b\r\nit's \"q\" & >"), "a&lt;b<br>it`s `q` & &gt;");
  EXPECT_EQ(TextToHtmlAttribute("one\ntwo\r"), "one<br>two");
}

TEST(TextFunctions, JoinsEndEveryPieceWithTheSeparator) {
  EXPECT_EQ(JoinWithNewlines({"a", "b"}), "a\r\nb\r\n");
  EXPECT_EQ(JoinWithSemicolons({"a.jpg", "b.jpg"}), "a.jpg;b.jpg;");
  EXPECT_EQ(JoinWithSemicolons({}), "");
}

TEST(TextFunctions, FindWordIndexFindsTheFirstOrAbandons) {
  EXPECT_EQ(FindWordIndex({3, 5, 7, 5}, 5), 1);
  ScriptedUi ui;
  EXPECT_THROW(FindWordIndex({3}, 4), UserAbort);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Can't find index."});
}

TEST(ActiveDatabaseFolder, ReportsEachMissingPieceAndCutsAfterTheLastSeparator) {
  ScriptedUi ui;
  ClearActiveFrame();
  EXPECT_THROW(GetActiveDatabaseFolder(), UserAbort);
  SetActiveDocument(nullptr);
  EXPECT_THROW(GetActiveDatabaseFolder(), UserAbort);
  CZAVDoc doc;
  SetActiveDocument(&doc);
  EXPECT_THROW(GetActiveDatabaseFolder(), UserAbort);
  EXPECT_EQ(ui.Messages(),
            (std::vector<std::string>{"Can't find frame.", "Can't find document class.", "Please save the document."}));
  doc.m_pathName = "/d/keys/birds.qor";
  EXPECT_EQ(GetActiveDatabaseFolder(), "/d/keys/");
  doc.m_pathName = "birds.qor";
  EXPECT_EQ(GetActiveDatabaseFolder(), "birds.qor");
  ClearActiveFrame();
}

TEST(FindFileInSubfolders, ListsTheStartFolderThenSubfoldersDepthFirstWithoutFollowingLinks) {
  TempFolder temp;
  namespace fs = std::filesystem;
  const fs::path base = temp.path();
  fs::create_directories(base / "a" / "b");
  fs::create_directories(base / "c");
  for (const char* file : {"x.jpg", "a/x.jpg", "a/b/x.jpg", "c/y.jpg"}) WriteFile((base / file).string(), "x");
  fs::create_directory_symlink(base / "a", base / "link");
  fs::create_directory_symlink(base, base / "c" / "loop");
  std::vector<std::string> found;
  FindFileInSubfolders(base, ".\\", "x.jpg", found);
  EXPECT_EQ(found, (std::vector<std::string>{".\\", ".\\a\\", ".\\a\\b\\"}));
  found.clear();
  FindFileInSubfolders(base, ".\\c\\", "x.jpg", found);
  EXPECT_TRUE(found.empty());
}
