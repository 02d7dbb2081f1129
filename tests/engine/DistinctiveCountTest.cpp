// The distinctive attributes against a plain count of the candidates that
// share each attribute of the item, over enough candidates that the count
// is split over threads, with each kernel.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "CountKernelFixture.h"
#include "EngineFixtures.h"
#include "reports/DistinctiveAttributes.h"
#include "reports/MenuScoring.h"

namespace {

class DistinctiveCount : public EachCountKernel {};

// The listed attributes and their counts against the plain count.
void ExpectPlainCounts(const CZAVDoc& doc, int item, const std::vector<int>& candidates, const std::string& where) {
  const int attributes = doc.AttributeCount();
  const auto listed = FindDistinctiveAttributes(doc, item, candidates, static_cast<int>(candidates.size()));
  std::vector<DWORD> expected(attributes, 0);
  for (int a = 0; a < attributes; ++a) {
    if (!TestBit(doc.GetItemAttributeBits(item), static_cast<WORD>(a))) continue;
    for (int c : candidates) expected[a] += TestBit(doc.GetItemAttributeBits(c), static_cast<WORD>(a));
  }
  int shown = 0;
  for (int a = 0; a < attributes; ++a)
    shown += expected[a] != 0 && expected[a] != candidates.size() && doc.GetAttribute(a).menuIndex != kNoIndex16;
  ASSERT_EQ(static_cast<int>(listed.size()), shown) << where;
  for (const DistinctiveAttribute& entry : listed)
    ASSERT_EQ(entry.count, expected[entry.attribute]) << where << " attribute " << entry.attribute;
}

// Counted from the rows, from the tree's kept counts, and from the rows
// again once an edit has made the kept counts stale.
TEST_P(DistinctiveCount, SharesMatchAPlainCount) {
  std::mt19937 rng(5);
  for (int round = 0; round < 3; ++round) {
    DocBuilder b;
    b.AddMenu("Root", -1, MENU_OF_MENUS);
    b.AddMenu("A", 0);
    b.AddMenu("B", 0);
    const int attributes = 45 + 20 * round;
    for (int a = 0; a < attributes; ++a) b.AddAttribute(a % 9 == 0 ? -1 : 1 + a % 2, "a");
    const int items = 3000 + 4000 * round;
    AddRandomItems(b, rng, items, attributes, 30);
    auto doc = b.Build();
    for (int i = 0; i < items; ++i) doc->m_itemStates[i] = rng() % 4 == 0 ? STATE_ELIMINATED : STATE_REMAINING;
    const std::vector<int> candidates = CollectCandidateItems(*doc);
    const int item = candidates[candidates.size() / 2];
    const std::string where = "round " + std::to_string(round);
    ASSERT_EQ(doc->CountsKeptFor(candidates), nullptr);
    ExpectPlainCounts(*doc, item, candidates, where + " from the rows");

    doc->UpdateAttributeCounts();
    ASSERT_NE(doc->CountsKeptFor(candidates), nullptr);
    ExpectPlainCounts(*doc, item, candidates, where + " from the kept counts");

    // Another candidate gains or loses one of the item's attributes.
    const int other = candidates[candidates.size() / 3];
    DWORD* row = doc->GetItemAttributeBits(other);
    for (WORD a = 0; a < attributes; ++a)
      if (TestBit(doc->GetItemAttributeBits(item), a) && a % 9 != 0) {
        TestBit(row, a) ? ClearBit(row, a) : SetBit(row, a);
        break;
      }
    ASSERT_EQ(doc->CountsKeptFor(candidates), nullptr);
    ExpectPlainCounts(*doc, item, candidates, where + " after an edit");
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, DistinctiveCount, AllCountKernels(), CountKernelName);

}  // namespace
