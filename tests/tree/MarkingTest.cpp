#include <gtest/gtest.h>

#include "SmallKey.h"
#include "database/MarkLog.h"
#include "database/RegionAttributes.h"

TEST(Marking, EachMarkKindGivesItsImage) {
  TreeFixture f;
  const std::pair<int, int> expected[] = {{MARK_YES, IMAGE_YES},      {MARK_NO, IMAGE_NO},
                                          {MARK_NEVER, IMAGE_NEVER},  {MARK_ONLY, IMAGE_ONLY},
                                          {MARK_OR, IMAGE_OR_SINGLE}, {MARK_CLEAR, IMAGE_ATTRIBUTE}};
  for (auto [mark, image] : expected) {
    f.tree.MarkAttribute(mark, f.Attribute(kLarge), false);
    EXPECT_EQ(f.doc->GetAttributeMark(kLarge), mark);
    EXPECT_EQ(f.ImageOf(kLarge), image) << "mark " << mark;
  }
  EXPECT_EQ(f.doc->m_markedCount, 0);
}

TEST(Marking, YesNarrowsLabelsAndTheList) {
  TreeFixture f;
  f.list.selectedRow = 2;  // Lime
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);
  EXPECT_EQ(f.doc->m_remainingCount, 2);
  EXPECT_EQ(f.LabelOf(kRed), "|All| Red");
  EXPECT_EQ(f.LabelOf(kGreen), "| 0| Green");
  EXPECT_EQ(f.LabelOf(kSmall), "| 1| Small");
  EXPECT_EQ(f.ImageOf(kGreen), IMAGE_ATTRIBUTE_UNUSED);
  EXPECT_EQ(f.ImageOf(kSmall), IMAGE_ATTRIBUTE);
  // Remaining first in name order, then the eliminated ones.
  EXPECT_EQ(f.list.rows.Rows(), (std::vector<int>{kApple, kCherry, kLime, kPine, kPlum}));
  // Lime went: row 0 is selected.
  EXPECT_EQ(f.list.selectedRow, 0);
  EXPECT_EQ(CItemListRows::Caption(*f.doc), f.doc->GetCommonLabel() + " 2 / 5");
  // Two refills (after the evaluation and after the announcement), one page.
  EXPECT_EQ(f.list.fills - 1, 2);
  EXPECT_EQ(f.reportsShown, 1);
}

TEST(Marking, RememberedItemStaysSelected) {
  TreeFixture f;
  f.list.selectedRow = 1;  // Cherry
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kSmall), false);
  EXPECT_EQ(f.list.rows.ItemOrNone(f.list.selectedRow), kCherry);
}

TEST(Marking, ListWithoutSelectionDoesNotStopTheMark) {
  TreeFixture f;
  f.list.selectedRow = -1;
  f.tree.MarkAttribute(MARK_NO, f.Attribute(kRed), false);
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_NO);
  EXPECT_TRUE(f.ui.Messages().empty() || f.ui.Messages().back() != "Wrong item index");
  EXPECT_EQ(f.list.selectedRow, 0);
}

TEST(Marking, CtrlMarksTheWholeMenu) {
  TreeFixture f;
  f.tree.MarkAttribute(MARK_NEVER, f.Attribute(kGreen), true);
  for (int a : {kRed, kGreen, kBlue}) {
    EXPECT_EQ(f.doc->GetAttributeMark(a), MARK_NEVER);
    EXPECT_EQ(f.ImageOf(a), IMAGE_NEVER);
  }
  EXPECT_EQ(f.doc->GetAttributeMark(kSmall), MARK_CLEAR);
  f.tree.MarkAttribute(MARK_OR, f.Attribute(kRed), true);
  for (int a : {kRed, kGreen, kBlue}) EXPECT_EQ(f.ImageOf(a), IMAGE_OR_GROUP);
}

TEST(Marking, SecondOrMarkTurnsBothIntoTheGroupImage) {
  TreeFixture f;
  f.tree.MarkAttribute(MARK_OR, f.Attribute(kRed), false);
  EXPECT_EQ(f.ImageOf(kRed), IMAGE_OR_SINGLE);
  f.tree.MarkAttribute(MARK_OR, f.Attribute(kBlue), false);
  EXPECT_EQ(f.ImageOf(kRed), IMAGE_OR_GROUP);
  EXPECT_EQ(f.ImageOf(kBlue), IMAGE_OR_GROUP);
  EXPECT_EQ(f.doc->m_remainingCount, 3);
}

TEST(Marking, WithoutItemsOnlyTheMarkIsStored) {
  TreeFixture f(false);
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);
  EXPECT_EQ(f.ImageOf(kRed), IMAGE_YES);
  EXPECT_EQ(f.ImageOf(kGreen), IMAGE_ATTRIBUTE_UNUSED);
  EXPECT_EQ(f.reportsShown, 0);
  EXPECT_EQ(f.treeView.refreshes, 0);
}

TEST(Marking, EliminatingEverythingSkipsTheFirstRefresh) {
  TreeFixture f;
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);
  const int refreshes = f.treeView.refreshes;
  const int fills = f.list.fills;
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kBlue), false);
  EXPECT_EQ(f.doc->m_remainingCount, 0);
  EXPECT_EQ(f.PartialMatchMessages(), 0);
  EXPECT_EQ(f.treeView.refreshes, refreshes);
  EXPECT_EQ(f.list.fills, fills + 1);
  EXPECT_EQ(f.list.selectedRow, 0);
}

TEST(Marking, PartialMatchWarningOnceThenAgainAfterAFullMatch) {
  TreeFixture f;
  // Apple selected, every other fruit but Cherry put aside by the user.
  f.doc->SetItemState(kApple, STATE_SELECTED);
  for (int item : {kLime, kPine, kPlum}) f.doc->SetItemState(item, STATE_USER_ELIMINATED);
  f.tree.MarkAttribute(MARK_NEVER, f.Attribute(kRed), false);
  EXPECT_EQ(f.doc->GetItemState(kApple), STATE_SELECTED_ELIMINATED);
  EXPECT_EQ(f.PartialMatchMessages(), 1);
  f.tree.MarkAttribute(MARK_NEVER, f.Attribute(kBlue), false);
  EXPECT_EQ(f.PartialMatchMessages(), 1);
  f.tree.MarkAttribute(MARK_CLEAR, f.Attribute(kRed), false);
  EXPECT_EQ(f.doc->GetItemState(kApple), STATE_SELECTED);
  EXPECT_FALSE(g_partialMatchWarned);
  f.tree.MarkAttribute(MARK_NEVER, f.Attribute(kRed), false);
  EXPECT_EQ(f.PartialMatchMessages(), 2);
}

TEST(Marking, RegionOrMarksPlaceAndRemoveAGroup) {
  TreeFixture f;
  std::vector<RegionAttribute> regions = {{"Red", 1, kRed}, {"Green", 0, kGreen}, {"Blue", 1, kBlue}};
  f.tree.ApplyRegionOrMarks(f.Menu(0), regions);
  EXPECT_EQ(f.ImageOf(kRed), IMAGE_OR_GROUP);
  EXPECT_EQ(f.ImageOf(kBlue), IMAGE_OR_GROUP);
  ASSERT_EQ(f.doc->m_markLog.size(), 1u);
  const auto* group = dynamic_cast<const MARKUNDO_Object*>(f.doc->m_markLog[0].get());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->attributes, (std::vector<std::int32_t>{kRed, kBlue}));
  regions[2].selected = 0;
  f.tree.ApplyRegionOrMarks(f.Menu(0), regions);
  EXPECT_EQ(f.doc->GetAttributeMark(kBlue), MARK_CLEAR);
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_OR);
  EXPECT_EQ(f.ImageOf(kRed), IMAGE_OR_SINGLE);
}

TEST(Marking, SetAndClearAttributeForItems) {
  TreeFixture f;
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);  // Apple, Cherry remain
  f.ui.yesNoAnswers = {false};
  EXPECT_FALSE(f.tree.SetAttributeForAllItems(true, kBlue));
  EXPECT_FALSE(TestBit(f.doc->GetItemAttributeBits(kApple), kBlue));
  EXPECT_FALSE(f.ui.shown.back().defaultYes) << "Enter leaves every item as it was";
  f.ui.yesNoAnswers = {true, true, true};
  EXPECT_TRUE(f.tree.SetAttributeForAllItems(true, kBlue));
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(kApple), kBlue));
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(kCherry), kBlue));
  EXPECT_FALSE(TestBit(f.doc->GetItemAttributeBits(kLime), kBlue));
  // Clearing keeps the bit of items the marks eliminated (Plum).
  EXPECT_TRUE(f.tree.SetAttributeForAllItems(false, kBlue));
  EXPECT_FALSE(TestBit(f.doc->GetItemAttributeBits(kApple), kBlue));
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(kPlum), kBlue));
  EXPECT_THROW(f.tree.SetAttributeForAllItems(true, 99), UserAbort);
  EXPECT_EQ(f.ui.Messages().back(), "Wrong attribute index.");
}

TEST(Marking, SetForItemsOnAnEmptyDatabase) {
  TreeFixture f(false);
  f.ui.yesNoAnswers = {true};
  EXPECT_THROW(f.tree.SetAttributeForAllItems(true, kRed), UserAbort);
  EXPECT_EQ(f.ui.Messages().back(), "Database is empty");
}

// A refresh sets the images of attribute nodes inserted since the last one
// and passes over those deleted.
TEST(Marking, ARefreshFollowsNodesInsertedAndDeletedSinceTheLast) {
  TreeFixture f;
  f.tree.RefreshTree();
  const HTREEITEM colours = f.tree.Nodes().Parent(f.Attribute(kRed));
  const HTREEITEM added = f.tree.InsertNode(colours, nullptr, kSmall, kInsertLast, IMAGE_ATTRIBUTE_UNUSED);
  f.tree.Nodes().Delete(f.Attribute(kGreen));
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);
  EXPECT_EQ(f.tree.Nodes().Image(added), IMAGE_ATTRIBUTE);  // Cherry, red and small, remains
  EXPECT_EQ(f.tree.Nodes().Image(f.Attribute(kBlue)), IMAGE_ATTRIBUTE_UNUSED);
  EXPECT_EQ(f.tree.FindAttributeNode(kGreen), kNoNode);
}
