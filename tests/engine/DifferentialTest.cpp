// The engine against the plain model on thousands of random small
// databases and mark sets, with and without missing data, at every
// forgiveness level.
#include <gtest/gtest.h>

#include <random>

#include "CountKernelFixture.h"
#include "EliminationModel.h"
#include "EngineFixtures.h"

namespace {

// A random database: up to 100 attributes in up to 6 menus (some freed,
// some naming a menu past the last one, menus interleaved across words),
// items that often lack whole menus, some free item slots.
std::unique_ptr<CZAVDoc> RandomDatabase(std::mt19937& rng, bool missing, int maxItems = 30) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  const int menus = 1 + pick(6);
  for (int m = 0; m < menus; ++m) b.AddMenu("M" + std::to_string(m), 0);
  const int attributes = 1 + pick(100);
  const bool blocky = pick(2);  // runs of one menu, or scattered
  std::vector<int> menuOf(attributes);
  for (int a = 0; a < attributes; ++a) {
    menuOf[a] = pick(10) == 0 ? -1 : 1 + (blocky ? a * menus / attributes : pick(menus));
    b.AddAttribute(menuOf[a], "a" + std::to_string(a));
  }
  const int items = maxItems > 30 ? maxItems : 1 + pick(maxItems);
  const double density = 0.05 + 0.5 * (rng() % 100) / 100.0;
  for (int i = 0; i < items; ++i) {
    std::vector<bool> menuDropped(menus + 1);
    for (int m = 1; m <= menus; ++m) menuDropped[m] = pick(4) == 0;
    std::vector<int> bits;
    for (int a = 0; a < attributes; ++a)
      if ((menuOf[a] < 0 || !menuDropped[menuOf[a]]) && (rng() % 1000) < density * 1000) bits.push_back(a);
    const bool freeSlot = pick(12) == 0;
    b.AddItem(freeSlot ? "" : "i" + std::to_string(i), "", freeSlot ? "" : "s", "", bits);
  }
  auto doc = b.Build(missing);
  if (pick(4) == 0) {  // a damaged record: in no menu's list, its menu index past the menus
    for (int a = 0; a < attributes; ++a)
      if (menuOf[a] >= 0 && pick(8) == 0) doc->GetAttribute(a).menuIndex = static_cast<WORD>(menus + 1 + pick(2));
    doc->UpdateMissingDataBits();
  }
  static const BYTE kStarts[] = {STATE_REMAINING,       STATE_REMAINING,    STATE_REMAINING, STATE_ELIMINATED,
                                 STATE_USER_ELIMINATED, STATE_MISSING_DATA, STATE_SELECTED,  STATE_SELECTED_ELIMINATED};
  for (int i = 0; i < items; ++i)
    if (doc->GetItemState(i) != STATE_FREE) doc->m_itemStates[i] = kStarts[pick(8)];
  const int marks = pick(9);
  for (int k = 0; k < marks; ++k) doc->SetAttributeMark(pick(attributes), static_cast<BYTE>(1 + pick(5)));
  if (pick(3) == 0)  // many OR and NO marks in one menu
    for (int a = 0; a < attributes; ++a)
      if (menuOf[a] == 1 && pick(2)) doc->SetAttributeMark(a, pick(2) ? MARK_OR : MARK_NO);
  return doc;
}

struct Outcomes {
  int compared = 0, eliminated = 0, missing = 0, selectedFailing = 0;
};

void CompareWithModel(std::mt19937& rng, int rounds, int maxItems, Outcomes& seen) {
  for (int round = 0; round < rounds; ++round) {
    const bool missing = round % 2 == 1;
    auto doc = RandomDatabase(rng, missing, maxItems);
    EliminationModel model(*doc);
    for (int i = 0; i < doc->ItemCount(); ++i)
      for (int m = 0; m < doc->MenuCount() && missing; ++m)
        ASSERT_EQ(doc->HasMenuData(m, i), model.HasData(m, i)) << "round " << round;
    for (int i = 0; i < doc->ItemCount() && missing; ++i) {
      if (doc->GetItem(i).IsFreeSlot()) continue;
      const DWORD* lenient = doc->GetLenientRow(i);
      ASSERT_NE(lenient, nullptr);
      const std::vector<bool> expected = model.LenientRow(i);
      for (int a = 0; a < doc->AttributeCount(); ++a)
        ASSERT_EQ(TestBit(lenient, static_cast<WORD>(a)), expected[a]) << "round " << round << " item " << i;
    }
    const std::vector<BYTE> start = doc->m_itemStates;
    for (int level = 0; level <= 3; ++level) {
      doc->m_itemStates = start;
      doc->m_forgivenessLevel = static_cast<BYTE>(level);
      const ModelResult expected = model.Run(start);
      doc->UpdateRemainingItems();
      ASSERT_EQ(doc->m_itemStates, expected.states) << "round " << round << " level " << level;
      ASSERT_EQ(doc->m_remainingCount, expected.remaining) << "round " << round << " level " << level;
      for (int i = 0; i < doc->ItemCount(); ++i)
        ASSERT_EQ(doc->GetMismatchCount(i), expected.mismatches[i]) << "round " << round << " item " << i;
      ++seen.compared;
      for (BYTE s : expected.states) {
        seen.eliminated += s == STATE_ELIMINATED;
        seen.missing += s == STATE_MISSING_DATA;
        seen.selectedFailing += s == STATE_SELECTED_ELIMINATED;
      }
    }
  }
}

TEST(Differential, EngineMatchesTheModel) {
  std::mt19937 rng(20240611);
  Outcomes seen;
  CompareWithModel(rng, 3000, 30, seen);
  EXPECT_EQ(seen.compared, 12000);
  // The random cases reach every outcome.
  EXPECT_GT(seen.eliminated, 1000);
  EXPECT_GT(seen.missing, 1000);
  EXPECT_GT(seen.selectedFailing, 100);
}

// Enough items that the evaluation splits them over threads.
TEST(Differential, LargeDatabasesMatchTheModel) {
  std::mt19937 rng(99);
  Outcomes seen;
  CompareWithModel(rng, 4, 20000, seen);
  EXPECT_EQ(seen.compared, 16);
  EXPECT_GT(seen.eliminated, 0);
}

}  // namespace

namespace {

// Candidate counts against a plain count, over enough rows that the
// bit-sliced counters are emptied into the totals more than once, with
// each kernel.
class DifferentialCounts : public EachCountKernel {};

TEST_P(DifferentialCounts, CandidateCountsMatchAPlainCount) {
  std::mt19937 rng(77);
  for (int round = 0; round < 8; ++round) {
    DocBuilder b;
    b.AddMenu("Root", -1, MENU_OF_MENUS);
    b.AddMenu("M", 0);
    const int attributes = 40 + round * 17;
    for (int a = 0; a < attributes; ++a) b.AddAttribute(1, "a");
    AddRandomItems(b, rng, 700 + round * (round < 6 ? 900 : 2000), attributes, 10 + 15 * (round % 6));
    auto doc = b.Build();
    for (int i = 0; i < doc->ItemCount(); ++i)
      doc->m_itemStates[i] = rng() % 3 == 0             ? STATE_ELIMINATED
                             : round == 5 && i % 7 == 0 ? STATE_SELECTED
                                                        : STATE_REMAINING;
    doc->UpdateAttributeCounts();
    const bool selected = round == 5;
    for (int a = 0; a < attributes; ++a) {
      int expected = 0;
      for (int i = 0; i < doc->ItemCount(); ++i) {
        const BYTE s = doc->m_itemStates[i];
        if (selected ? s == STATE_SELECTED : s == STATE_REMAINING) expected += TestBit(doc->GetItemAttributeBits(i), a);
      }
      ASSERT_EQ(doc->m_attributeCounts[a], expected) << "round " << round << " attribute " << a;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, DifferentialCounts, AllCountKernels(), CountKernelName);

}  // namespace
