// Candidate counts taken after a few items changed sides (added and
// subtracted from the last counts) against a plain count, step after step,
// with edits of the bit matrix in between, with each kernel.
#include <gtest/gtest.h>

#include <random>

#include "CountKernelFixture.h"
#include "EngineFixtures.h"
#include "editors/MarkAllInList.h"

namespace {

void ExpectPlainCounts(const CZAVDoc& doc, int step) {
  const bool selected = doc.CountSelectedItems() > 0;
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    int expected = 0;
    for (int i = 0; i < doc.ItemCount(); ++i)
      if (selected ? doc.IsItemSelected(i) : doc.IsItemRemaining(i))
        expected += TestBit(doc.GetItemAttributeBits(i), static_cast<WORD>(a));
    ASSERT_EQ(doc.m_attributeCounts[a], expected) << "step " << step << " attribute " << a;
  }
}

// One menu of the given attributes over random rows, about one bit in twenty set.
std::unique_ptr<CZAVDoc> MakeRandomKey(std::mt19937& rng, int attributes, int items) {
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  b.AddMenu("M", 0);
  for (int a = 0; a < attributes; ++a) b.AddAttribute(1, "a");
  AddRandomItems(b, rng, items, attributes, 20);
  return b.Build();
}

class IncrementalCounts : public EachCountKernel {};

TEST_P(IncrementalCounts, FollowStateChangesAndMatrixEdits) {
  std::mt19937 rng(31);
  const int attributes = 70;
  const int items = 6000;
  auto doc = MakeRandomKey(rng, attributes, items);
  doc->UpdateAttributeCounts();
  for (int step = 0; step < 60; ++step) {
    // Mostly a few items change sides (the path that reads only them), now
    // and then most of them do, or a selection decides.
    const int changes = step % 10 == 9 ? items * 3 / 4 : 1 + static_cast<int>(rng() % 200);
    for (int k = 0; k < changes; ++k) {
      const int i = static_cast<int>(rng() % items);
      const bool select = step % 15 == 14 && k < 5;
      doc->m_itemStates[i] = select ? STATE_SELECTED : rng() % 2 ? STATE_ELIMINATED : STATE_REMAINING;
    }
    if (step % 15 == 0)
      for (BYTE& s : doc->m_itemStates)
        if (IsSelectedState(s)) s = STATE_REMAINING;
    if (step % 7 == 3)
      SetBit(doc->GetItemAttributeBits(static_cast<int>(rng() % items)), static_cast<WORD>(rng() % attributes));
    if (step % 11 == 5) SetAttributeForListedItems(*doc, static_cast<int>(rng() % attributes), step % 2 == 0);
    doc->UpdateAttributeCounts();
    ExpectPlainCounts(*doc, step);
  }
}

// A mark that brings back most items (a clear after a narrowing mark) is
// counted as every row less the few still out; an edit of the matrix drops
// the kept whole.
TEST_P(IncrementalCounts, BringingBackMostItemsCountsTheWholeLessTheRest) {
  std::mt19937 rng(7);
  const int items = 3000;
  auto doc = MakeRandomKey(rng, 40, items);
  const auto keepOut = [&](int every) {
    for (int i = 0; i < items; ++i) doc->m_itemStates[i] = i % every == 0 ? STATE_REMAINING : STATE_ELIMINATED;
  };
  const auto bringBackAllBut = [&](int every) {
    for (int i = 0; i < items; ++i) doc->m_itemStates[i] = i % every == 1 ? STATE_ELIMINATED : STATE_REMAINING;
  };
  for (int round = 0; round < 3; ++round) {
    keepOut(10);
    doc->UpdateAttributeCounts();
    ExpectPlainCounts(*doc, 2 * round);
    bringBackAllBut(50 + round);
    if (round == 1) SetBit(doc->GetItemAttributeBits(5), 3);
    doc->UpdateAttributeCounts();
    ExpectPlainCounts(*doc, 2 * round + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, IncrementalCounts, AllCountKernels(), CountKernelName);

}  // namespace
