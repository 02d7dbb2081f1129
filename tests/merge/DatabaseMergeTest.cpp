// Merging hand-made pairs of databases in memory.
#include <gtest/gtest.h>

#include <algorithm>

#include "bench/GeneratedDatabase.h"
#include "database/BitMatrix.h"
#include "database/DatabaseMerge.h"
#include "fakes/ScriptedUi.h"
#include "merge/MergeFixtures.h"
#include "platform/ErrorBox.h"

using Names = std::vector<std::string>;

namespace {

MergeCounts Merge(CZAVDoc& target, const CZAVDoc& source) {
  DatabaseMerge merge(target, source);
  merge.Run();
  return merge.Counts();
}

// Root > Colour (red, green); Apple has the given colours.
std::unique_ptr<CZAVDoc> ColourKey(std::vector<std::string> appleColours, const std::string& description) {
  MergeSide side;
  const int colour = side.Menu("Colour");
  const int red = side.Attribute(colour, "red");
  const int green = side.Attribute(colour, "green");
  std::vector<int> bits;
  for (const auto& c : appleColours) bits.push_back(c == "red" ? red : green);
  side.Item("Apple", "Malus", "domestica", "Rosaceae", bits);
  auto doc = side.Build();
  doc->GetItem(0).description = description;
  return doc;
}

// A key of common names only, one item per name, under a root menu of menus.
std::unique_ptr<CZAVDoc> CommonNamesKey(const Names& names) {
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  for (const auto& name : names) b.AddItem(name, {}, {}, {}, {});
  return b.Build();
}

}  // namespace

TEST(DatabaseMerge, IdenticalMenusJoinTheDataOfItemsPresentInBoth) {
  ScriptedUi ui;
  auto a = ColourKey({"red"}, "From A");
  auto b = ColourKey({"green"}, "From B");
  const MergeCounts counts = Merge(*a, *b);
  EXPECT_EQ(counts.itemsMatched, 1);
  EXPECT_EQ(counts.itemsAdded, 0);
  EXPECT_EQ(a->ItemCount(), 1);
  EXPECT_EQ(a->MenuCount(), 2);
  EXPECT_EQ(a->AttributeCount(), 2);
  EXPECT_EQ(AttributeNamesOf(*a, 0), (Names{"red", "green"}));
  EXPECT_EQ(a->GetItem(0).description, "From B");
}

TEST(DatabaseMerge, ANewMenuPathIsBuiltUnderTheRootWithItsTexts) {
  ScriptedUi ui;
  auto a = ColourKey({"red"}, "");
  MergeSide side;
  const int plant = side.Menu("Plant", 0, MENU_OF_MENUS);
  const int leaf = side.Menu("Leaf", plant);
  const int hairy = side.Attribute(leaf, "hairy");
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {hairy});
  side.doc().GetMenu(leaf).helpText = "About leaves";
  side.doc().GetMenu(leaf).pictures = "leaf.jpg";
  side.doc().GetAttribute(hairy).helpText = "Soft hairs";
  auto b = side.Build();

  Merge(*a, *b);
  ASSERT_EQ(ChildTitles(*a, 0), (Names{"Colour", "Plant"}));
  const int newPlant = a->GetMenu(0).children[1];
  EXPECT_EQ(a->GetMenu(newPlant).kind, MENU_OF_MENUS);
  ASSERT_EQ(ChildTitles(*a, newPlant), (Names{"Leaf"}));
  const int newLeaf = a->GetMenu(newPlant).children[0];
  EXPECT_EQ(a->GetMenu(newLeaf).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(a->GetMenu(newLeaf).parent, newPlant);
  EXPECT_EQ(a->GetMenu(newLeaf).helpText, "About leaves");
  EXPECT_EQ(a->GetMenu(newLeaf).pictures, "leaf.jpg");
  EXPECT_EQ(ChildTitles(*a, newLeaf), (Names{"hairy"}));
  EXPECT_EQ(a->GetAttribute(a->GetMenu(newLeaf).children[0]).helpText, "Soft hairs");
  EXPECT_EQ(AttributeNamesOf(*a, 0), (Names{"red", "hairy"}));
}

TEST(DatabaseMerge, AMenuOfAnotherKindIsNeverFollowedAndTheSkippedAttributesAreCounted) {
  ScriptedUi ui;
  MergeSide sideA;
  const int colourA = sideA.Menu("Colour", 0, MENU_OF_MENUS);
  sideA.Menu("Shade", colourA);
  sideA.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  auto a = sideA.Build();
  auto b = ColourKey({"red", "green"}, "");

  const MergeCounts counts = Merge(*a, *b);
  EXPECT_EQ(counts.attributesSkipped, 2);  // each attribute once, not once per item
  EXPECT_EQ(a->MenuCount(), 3);
  EXPECT_EQ(a->AttributeCount(), 0);
  EXPECT_EQ(ChildTitles(*a, colourA), (Names{"Shade"}));
}

TEST(DatabaseMerge, MenusAndHelpTextsOfBothAreJoinedAttributeTextsTakeTheIncomingOnes) {
  ScriptedUi ui;
  auto a = ColourKey({"red"}, "");
  auto b = ColourKey({"red"}, "");
  a->GetMenu(1).helpText = "Colour of the fruit";
  a->GetMenu(1).pictures = "a.jpg";
  b->GetMenu(1).helpText = "Skin colour";
  b->GetMenu(1).pictures = "b.jpg";
  a->GetAttribute(0).helpText = "Old red";
  b->GetAttribute(0).helpText = "New red";
  b->GetAttribute(0).pictures = "red.jpg";
  Merge(*a, *b);
  EXPECT_EQ(a->GetMenu(1).helpText, "Skin colour\r\nColour of the fruit");
  EXPECT_EQ(a->GetMenu(1).pictures, "a.jpg;b.jpg;");
  EXPECT_EQ(a->GetAttribute(0).helpText, "New red");
  EXPECT_EQ(a->GetAttribute(0).pictures, "red.jpg");
}

TEST(DatabaseMerge, AMatchedItemTakesTheIncomingDescriptionAndKeepsItsPictures) {
  ScriptedUi ui;
  auto a = ColourKey({"red"}, "Old");
  auto b = ColourKey({"red"}, "New");
  a->GetItem(0).pictures = "apple.jpg";
  b->GetItem(0).pictures = "apple2.jpg";
  Merge(*a, *b);
  EXPECT_EQ(a->GetItem(0).description, "New");
  EXPECT_EQ(a->GetItem(0).pictures, "apple.jpg");
}

TEST(DatabaseMerge, AMenuAddedBelowAFoundMenuGetsMergedTextsOneAddedUnderTheRootKeepsThemAsTheyAre) {
  ScriptedUi ui;
  MergeSide sideA;
  sideA.Menu("Plant", 0, MENU_OF_MENUS);
  sideA.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  auto a = sideA.Build();
  MergeSide side;
  const int plant = side.Menu("Plant", 0, MENU_OF_MENUS);
  const int leaf = side.Menu("Leaf", plant);
  const int hairy = side.Attribute(leaf, "hairy");
  const int tree = side.Menu("Tree", 0, MENU_OF_MENUS);
  const int bark = side.Menu("Bark", tree);
  const int rough = side.Attribute(bark, "rough");
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {hairy, rough});
  side.doc().GetMenu(leaf).helpText = "About leaves";
  side.doc().GetMenu(leaf).pictures = "leaf.jpg";
  side.doc().GetMenu(bark).helpText = "About bark";
  side.doc().GetMenu(bark).pictures = "bark.jpg";
  auto b = side.Build();

  Merge(*a, *b);
  const int newLeaf = a->GetMenu(1).children.at(0);
  EXPECT_EQ(a->GetMenu(newLeaf).helpText, "About leaves\r\n");
  EXPECT_EQ(a->GetMenu(newLeaf).pictures, "leaf.jpg;");
  ASSERT_EQ(ChildTitles(*a, 0), (Names{"Plant", "Tree"}));
  const int newBark = a->GetMenu(a->GetMenu(0).children[1]).children.at(0);
  EXPECT_EQ(a->GetMenu(newBark).helpText, "About bark");
  EXPECT_EQ(a->GetMenu(newBark).pictures, "bark.jpg");
}

TEST(DatabaseMerge, APathEndingInAnotherKindChangesNothingOfTheMenusOnIt) {
  ScriptedUi ui;
  MergeSide sideA;
  const int plantA = sideA.Menu("Plant", 0, MENU_OF_MENUS);
  sideA.Menu("Leaf", plantA, MENU_OF_MENUS);  // a menu of menus where the incoming one has attributes
  sideA.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  auto a = sideA.Build();
  a->GetMenu(plantA).helpText = "Kept";
  a->GetMenu(plantA).pictures = "kept.jpg";
  MergeSide side;
  const int plant = side.Menu("Plant", 0, MENU_OF_MENUS);
  const int leaf = side.Menu("Leaf", plant);
  const int hairy = side.Attribute(leaf, "hairy");
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {hairy});
  side.doc().GetMenu(plant).helpText = "Incoming";
  side.doc().GetMenu(plant).pictures = "incoming.jpg";
  auto b = side.Build();

  EXPECT_EQ(Merge(*a, *b).attributesSkipped, 1);
  EXPECT_EQ(a->GetMenu(plantA).helpText, "Kept");
  EXPECT_EQ(a->GetMenu(plantA).pictures, "kept.jpg");
  EXPECT_EQ(a->MenuCount(), 3);
}

TEST(DatabaseMerge, TwoIncomingAttributesOfOneNameInOneMenuLeaveTheLastOnesTexts) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  MergeSide side;
  const int colour = side.Menu("Colour");
  const int first = side.Attribute(colour, "red");
  const int second = side.Attribute(colour, "red");
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {first});
  side.Item("Pear", "Pyrus", "communis", "Rosaceae", {second});
  side.Item("Plum", "Prunus", "domestica", "Rosaceae", {first});
  auto b = side.Build();
  b->GetAttribute(first).helpText = "First";
  b->GetAttribute(first).pictures = "first.jpg";
  b->GetAttribute(second).helpText = "Second";
  b->GetAttribute(second).pictures = "second.jpg";
  Merge(*a, *b);
  EXPECT_EQ(a->GetAttribute(0).helpText, "First");  // Plum merges last
  EXPECT_EQ(a->GetAttribute(0).pictures, "first.jpg");
}

TEST(DatabaseMerge, AttributesOfTheIncomingRootAreNotMerged) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_ATTRIBUTES);
  const int tall = b.AddAttribute(0, "tall");
  b.AddItem("Apple", {}, {}, {}, {tall});
  auto source = b.Build();
  Merge(*a, *source);
  EXPECT_EQ(a->AttributeCount(), 2);
  for (int i = 0; i < a->ItemCount(); ++i) EXPECT_TRUE(AttributeNamesOf(*a, i).empty()) << i;
}

TEST(DatabaseMerge, ItemsMatchOnTheScientificNameEvenWithAnotherCommonName) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  MergeSide side;
  const int colour = side.Menu("Colour");
  const int red = side.Attribute(colour, "red");
  side.Item("Crab apple", "Malus", "domestica", "Rosaceae", {red});
  side.Item("Pear", "Pyrus", "communis", "Rosaceae", {red});
  auto b = side.Build();
  const MergeCounts counts = Merge(*a, *b);
  EXPECT_EQ(counts.itemsMatched, 1);
  EXPECT_EQ(counts.itemsAdded, 1);
  ASSERT_EQ(a->ItemCount(), 2);
  EXPECT_EQ(AttributeNamesOf(*a, 0), (Names{"red"}));
  const int pear = 1;
  EXPECT_EQ(a->m_genusNames[a->GetItem(pear).genusIndex], "Pyrus");
  EXPECT_EQ(a->GetItem(pear).description, "");
  EXPECT_EQ(AttributeNamesOf(*a, pear), (Names{"red"}));
}

TEST(DatabaseMerge, AMissingNamePartMatchesOnlyAMissingPart) {
  ScriptedUi ui;
  // Common names only: no item has a genus, so the common name tells them apart.
  auto a = CommonNamesKey({"Apple", "Bean"});
  auto b = CommonNamesKey({"Bean", "Carrot"});
  const MergeCounts counts = Merge(*a, *b);
  EXPECT_EQ(counts.itemsMatched, 1);
  EXPECT_EQ(counts.itemsAdded, 1);
  ASSERT_EQ(a->ItemCount(), 3);
  EXPECT_EQ(a->m_itemNames[a->GetItem(2).nameIndex]->name, "Carrot");

  // An item with a genus does not match one without.
  MergeSide withGenus;
  withGenus.Item("Apple", "Malus", "", "", {});
  auto c = withGenus.Build();
  EXPECT_EQ(Merge(*a, *c).itemsAdded, 1);
}

TEST(DatabaseMerge, MergingAKeyWithItselfChangesNoItem) {
  ScriptedUi ui;
  FiveItems a, b;
  const auto before = a->StoreToBytes();
  const MergeCounts counts = Merge(*a, *b);
  EXPECT_EQ(counts.itemsMatched, 5);
  EXPECT_EQ(counts.itemsAdded, 0);
  EXPECT_EQ(a->StoreToBytes(), before);

  // Across several words of a row, and with texts on every attribute.
  auto c = MakeGeneratedDatabase(200, 70, 5, 0.3, 3);
  auto d = MakeGeneratedDatabase(200, 70, 5, 0.3, 3);
  const auto generated = c->StoreToBytes();
  EXPECT_EQ(Merge(*c, *d).itemsMatched, 200);
  EXPECT_EQ(c->StoreToBytes(), generated);
}

TEST(DatabaseMerge, ReferencePagesJoinAndADifferentPageIsReportedAndKept) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  a->m_referenceTitles = {"Flora"};
  a->GetItem(0).referencePages = {"p. 12"};
  MergeSide side;
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  side.Item("Pear", "Pyrus", "communis", "Rosaceae", {});
  auto b = side.Build();
  b->m_referenceTitles = {"Fauna", "Flora", "Herbal"};
  b->GetItem(0).referencePages = {"p. 5", "p. 13", ""};
  b->GetItem(1).referencePages = {"", "p. 40", ""};

  Merge(*a, *b);
  EXPECT_EQ(a->m_referenceTitles, (Names{"Flora", "Fauna", "Herbal"}));
  // Cited pages only; every item has a page (maybe empty) for each title.
  EXPECT_EQ(a->GetItem(0).referencePages, (Names{"p. 12", "p. 5", ""}));
  EXPECT_EQ(a->GetItem(1).referencePages, (Names{"p. 40", "", ""}));  // an added item takes every page
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, "The species Malus (domestica/Rosaceae/Apple) refers to different page in Flora");
  EXPECT_EQ(ui.shown[0].caption, "Message");
}

TEST(DatabaseMerge, ATitleTheMergeAddsGivesEveryItemAPage) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  const int quince = a->AddItem("", "oblonga", "Quince", "Cydonia", "Rosaceae", "");
  MergeSide side;
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  auto b = side.Build();
  b->m_referenceTitles = {"Flora"};
  b->GetItem(0).referencePages = {"p. 5"};
  Merge(*a, *b);
  EXPECT_EQ(a->GetItem(0).referencePages, (Names{"p. 5"}));
  EXPECT_EQ(a->GetItem(quince).referencePages, (Names{""}));  // not named by the second database
}

TEST(DatabaseMerge, TheConflictMessageShowsTheReceivingItemsNamesAsStored) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  a->m_genusNames[a->GetItem(0).genusIndex] = "Malus ";
  a->m_referenceTitles = {"Flora"};
  a->GetItem(0).referencePages = {"p. 1"};
  MergeSide side;
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  auto b = side.Build();
  b->m_referenceTitles = {"Flora"};
  b->GetItem(0).referencePages = {"p. 2"};
  Merge(*a, *b);
  EXPECT_EQ(ui.Messages(), (Names{"The species Malus  (domestica/Rosaceae/Apple) refers to different page in Flora"}));
}

TEST(DatabaseMerge, TheConflictMessageShowsAnEmptyTextForAMissingNamePart) {
  ScriptedUi ui;
  auto a = CommonNamesKey({"Apple"});
  a->m_referenceTitles = {"Flora"};
  a->GetItem(0).referencePages = {"p. 1"};
  auto b = CommonNamesKey({"Apple"});
  b->m_referenceTitles = {"Flora"};
  b->GetItem(0).referencePages = {"p. 2"};
  Merge(*a, *b);
  EXPECT_EQ(ui.Messages(), (Names{"The species  (//Apple) refers to different page in Flora"}));
}

TEST(DatabaseMerge, AnAddedItemNeverRenamesAnEmptyGenusAnotherItemUses) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  a->m_genusNames[a->GetItem(0).genusIndex].clear();
  MergeSide side;
  side.Item("Pear", "Pyrus", "communis", "Rosaceae", {});
  auto b = side.Build();
  Merge(*a, *b);
  ASSERT_EQ(a->ItemCount(), 2);
  EXPECT_EQ(a->m_genusNames[a->GetItem(0).genusIndex], "");
  EXPECT_EQ(a->m_genusNames[a->GetItem(1).genusIndex], "Pyrus");
}

TEST(DatabaseMerge, AnAttributeWithoutNameEndsTheMergeKeepingWhatWasMerged) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  MergeSide side;
  const int size = side.Menu("Size");
  const int big = side.Attribute(size, "big");
  const int nameless = side.Attribute(size, "");
  side.Item("Pear", "Pyrus", "communis", "Rosaceae", {big});
  side.Item("Plum", "Prunus", "domestica", "Rosaceae", {big, nameless});
  side.Item("Quince", "Cydonia", "oblonga", "Rosaceae", {});
  auto b = side.Build();
  DatabaseMerge merge(*a, *b);
  EXPECT_FALSE(RunCommand([&] { merge.Run(); }));
  EXPECT_EQ(ui.Messages(), (Names{"Attribute name is empty."}));
  EXPECT_EQ(merge.Counts().itemsAdded, 2);  // Pear, and Plum before its attribute
  EXPECT_EQ(a->ItemCount(), 3);
  EXPECT_EQ(AttributeNamesOf(*a, 1), (Names{"big"}));
  EXPECT_EQ(AttributeNamesOf(*a, 2), (Names{"big"}));  // Plum keeps what merged before the error
}

TEST(DatabaseMerge, AddedItemsStandInNameOrderWithTheirLinksRight) {
  ScriptedUi ui;
  auto a = CommonNamesKey({"Apple", "cherry"});
  auto b = CommonNamesKey({"Date", "Banana"});
  Merge(*a, *b);
  Names order;
  for (const auto& entry : a->m_itemNames) {
    order.push_back(entry->name);
    EXPECT_EQ(a->GetItem(entry->itemIndex).nameIndex, static_cast<int>(order.size()) - 1) << entry->name;
  }
  EXPECT_EQ(order, (Names{"Apple", "Banana", "cherry", "Date"}));  // the lists' order ignores case
}

TEST(DatabaseMerge, TheItemLimitEndsTheMergeWithTheItemsAddedBeforeIt) {
  ScriptedUi ui;
  auto a = MakeGeneratedDatabase(kMaxItems - 1, 40, 3, 0.0, 1);
  auto b = CommonNamesKey({"One more", "Too many"});
  DatabaseMerge merge(*a, *b);
  EXPECT_FALSE(RunCommand([&] { merge.Run(); }));
  EXPECT_EQ(ui.Messages(), (Names{"Can't add. Too much items!"}));
  EXPECT_EQ(merge.Counts().itemsAdded, 1);
  EXPECT_EQ(a->ItemCount(), kMaxItems);
  EXPECT_EQ(a->m_docItems.size(), static_cast<std::size_t>(kMaxItems));  // rebuilt as after a load
}

TEST(DatabaseMerge, AttributesAddedAcrossRowWordsKeepEveryItemsBitsAndNoSpareColumns) {
  ScriptedUi ui;
  auto a = MakeGeneratedDatabase(30, 31, 3, 0.3, 4);
  a->ClearAttributeColumn(5);
  a->GetAttribute(5).menuIndex = kNoIndex16;  // a free slot, taken first
  a->GetMenu(1).children.erase(std::find(a->GetMenu(1).children.begin(), a->GetMenu(1).children.end(), 5));
  auto b = MakeGeneratedDatabase(30, 70, 4, 0.3, 5);
  for (int m = 1; m < b->MenuCount(); ++m) b->GetMenu(m).title = "New " + b->GetMenu(m).title;
  for (auto& entry : b->m_speciesNames) entry->name += " nova";
  std::vector<Names> before;
  for (int i = 0; i < a->ItemCount(); ++i) before.push_back(AttributeNamesOf(*a, i));
  Merge(*a, *b);
  ASSERT_EQ(a->ItemCount(), 60);
  EXPECT_EQ(a->AttributeCount(), 31 + 70 - 1);
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(AttributeNamesOf(*a, i), before[i]) << i;
    Names incoming = AttributeNamesOf(*b, i), merged = AttributeNamesOf(*a, 30 + i);
    std::sort(incoming.begin(), incoming.end());
    std::sort(merged.begin(), merged.end());
    EXPECT_EQ(merged, incoming) << i;
  }
  EXPECT_FALSE(a->GetAttribute(5).IsFreeSlot());
  CBitMatrix layout(a->AttributeCount(), a->ItemCount());
  std::size_t words = 0;
  for (const auto& block : a->m_dataBlocks) words += block.words.size();
  EXPECT_EQ(words, layout.totalWords());
}

namespace {

// Every item row of the bit matrix is as wide as the attribute count asks:
// no column beyond the last attribute survives an abandoned merge.
void ExpectRowsFitTheAttributes(const CZAVDoc& doc) {
  const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  std::size_t words = 0;
  for (const auto& block : doc.m_dataBlocks) words += block.words.size();
  EXPECT_EQ(words, layout.totalWords());
}

// An incoming key with one new item that has a new attribute in a new menu.
std::unique_ptr<CZAVDoc> PearWithANewAttribute() {
  MergeSide side;
  const int size = side.Menu("Size");
  const int big = side.Attribute(size, "big");
  side.Item("Pear", "Pyrus", "communis", "Rosaceae", {big});
  return side.Build();
}

}  // namespace

TEST(DatabaseMerge, TheAttributeLimitEndsTheMergeWithNoAttributeAtTheNoneIndex) {
  ScriptedUi ui;
  auto a = MakeGeneratedDatabase(3, kNoIndex16, 3, 0.01, 6);
  auto b = PearWithANewAttribute();
  DatabaseMerge merge(*a, *b);
  EXPECT_FALSE(RunCommand([&] { merge.Run(); }));
  EXPECT_EQ(ui.Messages(), (Names{"Too many Attributes!"}));
  EXPECT_EQ(merge.Counts().itemsAdded, 1);  // the item came before its attribute
  EXPECT_EQ(a->ItemCount(), 4);
  EXPECT_EQ(a->AttributeCount(), kNoIndex16);
  ExpectRowsFitTheAttributes(*a);
  EXPECT_TRUE(AttributeNamesOf(*a, 3).empty());
}

TEST(DatabaseMerge, TheMenuLimitEndsTheMergeWithTheRowsAsWideAsTheAttributes) {
  ScriptedUi ui;
  auto a = MakeGeneratedDatabase(3, 64, kNoIndex16, 0.3, 6);
  auto b = PearWithANewAttribute();
  const std::vector<Names> before = {AttributeNamesOf(*a, 0), AttributeNamesOf(*a, 1), AttributeNamesOf(*a, 2)};
  DatabaseMerge merge(*a, *b);
  EXPECT_FALSE(RunCommand([&] { merge.Run(); }));
  EXPECT_EQ(ui.Messages(), (Names{"Too many menues!"}));
  EXPECT_EQ(a->MenuCount(), kNoIndex16);
  EXPECT_EQ(a->AttributeCount(), 64);
  ExpectRowsFitTheAttributes(*a);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(AttributeNamesOf(*a, i), before[i]) << i;
}

TEST(DatabaseMerge, TheItemLimitEndsTheMergeWithTheRowsAsWideAsTheAttributes) {
  ScriptedUi ui;
  auto a = MakeGeneratedDatabase(kMaxItems, 64, 3, 0.01, 1);
  auto b = PearWithANewAttribute();
  DatabaseMerge merge(*a, *b);
  EXPECT_FALSE(RunCommand([&] { merge.Run(); }));
  EXPECT_EQ(ui.Messages(), (Names{"Can't add. Too much items!"}));
  EXPECT_EQ(a->AttributeCount(), 64);
  ExpectRowsFitTheAttributes(*a);
}

TEST(DatabaseMerge, AnAddedItemKeepsItsNamePartsAsTheIncomingKeyHoldsThem) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  MergeSide side;
  side.Item(" ", " ", " troglodytes ", " ", {});
  auto b = side.Build();
  EXPECT_EQ(Merge(*a, *b).itemsAdded, 1);
  ASSERT_EQ(a->ItemCount(), 2);
  const CQItemrec& wren = a->GetItem(1);
  EXPECT_EQ(a->m_itemNames[wren.nameIndex]->name, " ");
  EXPECT_EQ(a->m_speciesNames[wren.speciesIndex]->name, " troglodytes ");
  EXPECT_EQ(a->m_familyNames[wren.familyIndex], " ");  // what adding an item stores for an empty family
  EXPECT_EQ(a->m_genusNames[wren.genusIndex], "");     // and for an empty genus

  const MergeCounts again = Merge(*a, *b);
  EXPECT_EQ(again.itemsAdded, 0);
  EXPECT_EQ(again.itemsMatched, 1);
  EXPECT_EQ(a->ItemCount(), 2);
}

TEST(DatabaseMerge, OnlyAPartTheItemLacksTakesTheDefaultWordAndMatchesItAgain) {
  ScriptedUi ui;
  auto a = ColourKey({}, "");
  MergeSide side;
  side.Item("", "Troglodytes", "", "", {});  // no common name, species or family at all
  auto b = side.Build();
  EXPECT_EQ(Merge(*a, *b).itemsAdded, 1);
  ASSERT_EQ(a->ItemCount(), 2);
  const CQItemrec& added = a->GetItem(1);
  EXPECT_EQ(a->m_itemNames[added.nameIndex]->name, "merge");
  EXPECT_EQ(a->m_speciesNames[added.speciesIndex]->name, "Species");
  EXPECT_EQ(a->m_genusNames[added.genusIndex], "Troglodytes");
  EXPECT_EQ(a->m_familyNames[added.familyIndex], "Family");

  EXPECT_EQ(Merge(*a, *b).itemsAdded, 0);
  EXPECT_EQ(a->ItemCount(), 2);
}

// Only a menu below the root is a top menu: a root of the same title is no
// place for the incoming menu, whose attributes would hang under it.
TEST(DatabaseMerge, ARootOfTheTopMenusTitleIsNotTakenForIt) {
  ScriptedUi ui;
  MergeSide sideA;
  sideA.Menu("Shape");
  sideA.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  auto a = sideA.Build();
  a->GetMenu(0).title = "Colour";
  a->GetMenu(0).helpText = "The whole key";
  auto b = ColourKey({"red"}, "");
  b->GetMenu(1).helpText = "About colours";

  Merge(*a, *b);
  ASSERT_EQ(ChildTitles(*a, 0), (Names{"Shape", "Colour"}));
  const int colour = a->GetMenu(0).children[1];
  EXPECT_EQ(a->GetMenu(colour).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(ChildTitles(*a, colour), (Names{"red"}));
  EXPECT_EQ(a->GetMenu(colour).helpText, "About colours");
  EXPECT_EQ(a->GetMenu(0).helpText, "The whole key");
  EXPECT_EQ(AttributeNamesOf(*a, 0), (Names{"red"}));
}
