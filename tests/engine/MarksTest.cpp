// Marks, item states with their counts, exclusions, clearing and the mark log.
#include <gtest/gtest.h>

#include "EngineFixtures.h"
#include "database/MarkLog.h"
#include "fakes/ScriptedUi.h"

namespace {

using S = std::vector<int>;

TEST(Marks, MarkedCountFollowsTheMarks) {
  FiveItems f;
  f->SetAttributeMark(f.red, MARK_YES);
  f->SetAttributeMark(f.red, MARK_NO);  // YES over NO: unchanged
  EXPECT_EQ(f->m_markedCount, 1);
  f->SetAttributeMark(f.blue, MARK_OR);
  f->SetAttributeMark(f.red, MARK_CLEAR);
  f->SetAttributeMark(f.red, MARK_CLEAR);
  EXPECT_EQ(f->m_markedCount, 1);
  EXPECT_EQ(f->GetAttributeMark(f.blue), MARK_OR);
}

TEST(Marks, SetItemStateKeepsTheRemainingCount) {
  FiveItems f;
  ASSERT_EQ(f->m_remainingCount, 5);
  f->SetItemState(0, STATE_ELIMINATED);
  EXPECT_EQ(f->m_remainingCount, 4);
  f->SetItemState(0, STATE_USER_ELIMINATED);  // out to out: unchanged
  EXPECT_EQ(f->m_remainingCount, 4);
  f->SetItemState(0, STATE_MISSING_DATA);
  EXPECT_EQ(f->m_remainingCount, 5);
  f->SetItemState(1, STATE_SELECTED);
  f->SetItemState(1, STATE_SELECTED_ELIMINATED);  // a failing selection stays counted
  EXPECT_EQ(f->m_remainingCount, 5);
  f->SetItemState(1, STATE_ELIMINATED);
  EXPECT_EQ(f->m_remainingCount, 4);
  EXPECT_EQ(f->CountUsedItems(), 5);
  EXPECT_FALSE(f->IsItemRemaining(-1));
  EXPECT_FALSE(f->IsItemRemaining(5));
  EXPECT_FALSE(f->IsItemSelected(-3));
}

TEST(Marks, ResetItemStatesKeepsOrDropsUserExclusions) {
  FiveItems f;
  f->SetItemState(0, STATE_USER_ELIMINATED);
  f->SetItemState(1, STATE_SELECTED_ELIMINATED);
  f->SetItemState(2, STATE_ELIMINATED);
  f->ResetItemStates(true);
  EXPECT_EQ(f.States(), (S{2, 4, 1, 1, 1}));
  f->ResetItemStates(false);
  EXPECT_EQ(f.States(), (S{1, 4, 1, 1, 1}));
}

TEST(Marks, ToggleItemExcluded) {
  FiveItems f;
  RecordingFrame frame(*f);
  EXPECT_FALSE(f->ToggleItemExcluded(-1));
  EXPECT_FALSE(f->ToggleItemExcluded(5));
  frame.list.selectedRow = 3;
  ASSERT_TRUE(f->ToggleItemExcluded(2));
  EXPECT_EQ(f->GetItemState(2), STATE_USER_ELIMINATED);
  EXPECT_EQ(f->m_remainingCount, 4);
  EXPECT_EQ(frame.list.selectedRow, 3);
  EXPECT_EQ(frame.tree.refreshes, 1);
  EXPECT_EQ(frame.reports, std::vector<bool>{false});
  EXPECT_EQ(frame.list.fills, 1);
  EXPECT_EQ(frame.list.selChanges, 1);

  // Taking it back moves the selection one row down and refreshes the tree twice.
  ASSERT_TRUE(f->ToggleItemExcluded(2));
  EXPECT_EQ(f->GetItemState(2), STATE_REMAINING);
  EXPECT_EQ(f->m_remainingCount, 5);
  EXPECT_EQ(frame.list.selectedRow, 4);
  EXPECT_EQ(frame.tree.refreshes, 3);

  // An item eliminated by the marks comes back without a new evaluation.
  f->SetItemState(1, STATE_ELIMINATED);
  ASSERT_TRUE(f->ToggleItemExcluded(1));
  EXPECT_EQ(f->GetItemState(1), STATE_REMAINING);
  f->SetItemState(3, STATE_MISSING_DATA);
  EXPECT_FALSE(f->ToggleItemExcluded(3));
  EXPECT_EQ(f->GetItemState(3), STATE_MISSING_DATA);
}

TEST(Marks, ClearAllMarks) {
  ScriptedUi ui;
  FiveItems f;
  RecordingFrame frame(*f);
  f.Mark({{f.red, MARK_YES}, {f.blue, MARK_NEVER}});
  f->PurgeUndoRecords(MARK_YES, 101, f.red);
  f->PurgeUndoRecords(MARK_NEVER, 103, f.blue);
  f->m_forgivenessLevel = 2;
  f->m_forgivenessOn = 1;
  f.Evaluate();
  f->SetItemState(0, STATE_SELECTED);
  f->SetItemState(3, STATE_USER_ELIMINATED);
  f->m_reportKind = 7;

  f->OnClearAllMarks();
  EXPECT_EQ(f->m_markedCount, 0);
  for (int a = 0; a < f->AttributeCount(); ++a) EXPECT_EQ(f->GetAttributeMark(a), MARK_CLEAR);
  EXPECT_EQ(f.States(), (S{1, 1, 1, 1, 1}));
  EXPECT_EQ(f->m_remainingCount, 5);
  EXPECT_EQ(f->m_forgivenessLevel, 0);
  EXPECT_TRUE(f->m_markLog.empty());
  EXPECT_EQ(frame.itemPages, std::vector<int>{-2000});
  EXPECT_TRUE(frame.reports.empty());
  EXPECT_EQ(frame.tree.collapses, 1);
  EXPECT_EQ(frame.tree.itemListRefreshes, 1);
  EXPECT_EQ(ui.waitCursorDepth, 0);
  EXPECT_TRUE(ui.Messages().empty());

  f->m_reportKind = 4;  // the gallery stays the gallery
  f->ClearAllMarks();
  EXPECT_EQ(frame.reports, std::vector<bool>{false});
}

const SingleMarkRecord* Single(const CZAVDoc& doc, std::size_t i) {
  return doc.m_markLog[i]->IsGroup() ? nullptr : static_cast<const SingleMarkRecord*>(doc.m_markLog[i].get());
}

TEST(Marks, MarkLog) {
  FiveItems f;
  EXPECT_TRUE(f->PurgeUndoRecords(MARK_YES, 11, 0));
  EXPECT_TRUE(f->PurgeUndoRecords(MARK_YES, 11, 0));
  ASSERT_EQ(f->m_markLog.size(), 1u);
  f->PurgeUndoRecords(MARK_OR, 12, 1);  // OR marks add nothing
  f->PurgeUndoRecords(MARK_NEVER, 13, 2);
  ASSERT_EQ(f->m_markLog.size(), 2u);
  EXPECT_EQ(Single(*f, 1)->mark, MARK_NEVER);
  EXPECT_EQ(Single(*f, 1)->attribute, 2);
  f->PurgeUndoRecords(MARK_CLEAR, 0, 0);  // clearing with node 0 finds the attribute
  ASSERT_EQ(f->m_markLog.size(), 1u);
  EXPECT_EQ(Single(*f, 0)->attribute, 2);

  // A group keyed by the menu's node loses its attributes one by one, attribute 0 included.
  auto group = std::make_unique<MARKUNDO_Object>(MARK_OR, 50);
  group->attributes = {0, 1, 0};
  f->m_markLog.push_back(std::move(group));
  f->PurgeUndoRecords(MARK_CLEAR, 50, 0);
  ASSERT_EQ(f->m_markLog.size(), 2u);
  EXPECT_EQ(static_cast<MARKUNDO_Object&>(*f->m_markLog[1]).attributes, std::vector<std::int32_t>{1});
  f->PurgeUndoRecords(MARK_CLEAR, 50, 1);
  EXPECT_EQ(f->m_markLog.size(), 1u);
}

}  // namespace

namespace {

TEST(Marks, IndicesOutsideTheArraysChangeNothing) {
  FiveItems f;
  EXPECT_EQ(f->GetItemState(-1), STATE_FREE);
  EXPECT_EQ(f->GetAttributeMark(-1), MARK_CLEAR);
  f->SetItemState(-1, STATE_ELIMINATED);
  f->SetAttributeMark(99, MARK_YES);
  EXPECT_TRUE(f->AddMismatch(-2, 1));
  EXPECT_EQ(f->m_remainingCount, 5);
  EXPECT_EQ(f->m_markedCount, 0);
}

TEST(Marks, AddMismatchCountsAnEliminatedItemOutOnce) {
  FiveItems f;
  EXPECT_TRUE(f->AddMismatch(0, 0));  // no bits: nothing
  EXPECT_FALSE(f->AddMismatch(0, 0b101));
  EXPECT_EQ(f->GetMismatchCount(0), 2u);
  EXPECT_EQ(f->m_remainingCount, 4);
  EXPECT_FALSE(f->AddMismatch(0, 1));
  EXPECT_EQ(f->m_remainingCount, 4);
  f->SetItemState(1, STATE_SELECTED);
  EXPECT_FALSE(f->AddMismatch(1, 1));
  EXPECT_EQ(f->GetItemState(1), STATE_SELECTED_ELIMINATED);
  EXPECT_EQ(f->m_remainingCount, 4);
}

}  // namespace
