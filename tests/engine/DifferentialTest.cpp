// The engine against the plain model on thousands of random small
// databases and mark sets, with and without missing data, at every
// forgiveness level.
#include <gtest/gtest.h>

#include <random>

#include "EliminationModel.h"
#include "EngineFixtures.h"

namespace {

// A random database: up to 100 attributes in up to 6 menus (some freed,
// menus interleaved across words), items that often lack whole menus,
// some free item slots.
std::unique_ptr<CZAVDoc> RandomDatabase(std::mt19937& rng, bool missing) {
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
  const int items = 1 + pick(30);
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
  static const BYTE kStarts[] = {STATE_REMAINING, STATE_REMAINING, STATE_REMAINING, STATE_ELIMINATED,
                                 STATE_USER_ELIMINATED, STATE_MISSING_DATA, STATE_SELECTED, STATE_SELECTED_ELIMINATED};
  for (int i = 0; i < items; ++i)
    if (doc->GetItemState(i) != STATE_FREE) doc->m_itemStates[i] = kStarts[pick(8)];
  const int marks = pick(9);
  for (int k = 0; k < marks; ++k) doc->SetAttributeMark(pick(attributes), static_cast<BYTE>(1 + pick(5)));
  if (pick(3) == 0)  // many OR and NO marks in one menu
    for (int a = 0; a < attributes; ++a)
      if (menuOf[a] == 1 && pick(2)) doc->SetAttributeMark(a, pick(2) ? MARK_OR : MARK_NO);
  return doc;
}

TEST(Differential, EngineMatchesTheModel) {
  std::mt19937 rng(20240611);
  int compared = 0, eliminatedSeen = 0, missingSeen = 0, selectedFailing = 0;
  for (int round = 0; round < 3000; ++round) {
    const bool missing = round % 2 == 1;
    auto doc = RandomDatabase(rng, missing);
    EliminationModel model(*doc);
    for (int i = 0; i < doc->ItemCount(); ++i)
      for (int m = 0; m < doc->MenuCount() && missing; ++m)
        ASSERT_EQ(doc->HasMenuData(m, i), model.HasData(m, i)) << "round " << round;
    const std::vector<BYTE> start = doc->m_itemStates;
    for (int level = 0; level <= 3; ++level) {
      doc->m_itemStates = start;
      doc->m_forgivenessLevel = static_cast<BYTE>(level);
      const ModelResult expected = model.Run(start);
      doc->UpdateRemainingItems();
      ASSERT_EQ(doc->m_itemStates, expected.states) << "round " << round << " level " << level;
      ASSERT_EQ(doc->m_remainingCount, expected.remaining) << "round " << round << " level " << level;
      for (int i = 0; i < doc->ItemCount(); ++i)
        ASSERT_EQ(doc->GetDocItem(i).mismatchCount, expected.mismatches[i]) << "round " << round << " item " << i;
      ++compared;
      for (BYTE s : expected.states) {
        eliminatedSeen += s == STATE_ELIMINATED;
        missingSeen += s == STATE_MISSING_DATA;
        selectedFailing += s == STATE_SELECTED_ELIMINATED;
      }
    }
  }
  EXPECT_EQ(compared, 12000);
  // The random cases reach every outcome.
  EXPECT_GT(eliminatedSeen, 1000);
  EXPECT_GT(missingSeen, 1000);
  EXPECT_GT(selectedFailing, 100);
}

}  // namespace
