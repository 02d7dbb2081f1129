// The menu analysis against a straightforward model that tests every bit of
// every candidate, on random keys: menus in long runs across row words,
// menus scattered among each other, empty menus, attributes of no menu,
// items lacking whole menus, with missing data on and off, and with the
// tree's kept counts current, stale or never taken, the menus' counts from
// the menu-data matrix or from the rows; many menus of one to
// three attributes, so that a row word holds many menus' last bits. Once
// with each kernel of the counts, which also picks how the menus are tested.
#include <gtest/gtest.h>

#include <random>

#include "engine/CountKernelFixture.h"
#include "engine/EngineFixtures.h"
#include "fakes/ScriptedUi.h"
#include "reports/MenuHitCounter.h"
#include "reports/MenuScoring.h"
#include "reports/ReportAnalize.h"

namespace {

enum class MenuShape { Runs, Scattered, Mixed, Tiny };

struct RandomKey {
  std::unique_ptr<CZAVDoc> doc;
  int menus = 0;  // menus of attributes, 1..menus under the root
};

int Pick(std::mt19937& rng, int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

// The menu of each attribute: 0 for none, else 1..menus.
std::vector<int> AssignMenus(std::mt19937& rng, MenuShape shape, int attributes, int menus) {
  std::vector<int> menuOf(attributes);
  for (int a = 0; a < attributes; ++a) {
    const int run = 1 + static_cast<int>(static_cast<long long>(a) * menus / attributes);
    const bool scatter = shape == MenuShape::Scattered || (shape == MenuShape::Mixed && Pick(rng, 6) == 0);
    menuOf[a] = Pick(rng, 12) == 0 ? 0 : scatter ? 1 + Pick(rng, menus) : run;
  }
  // Some menus keep no attribute at all.
  for (int& m : menuOf)
    if (m % 7 == 3 && shape != MenuShape::Scattered) m = 0;
  return menuOf;
}

RandomKey MakeRandomKey(std::mt19937& rng, MenuShape shape, bool missing) {
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  RandomKey key;
  const int attributes = 1 + Pick(rng, 700);  // runs of up to a few hundred bits span several words
  key.menus = shape == MenuShape::Tiny ? 1 + attributes / (1 + Pick(rng, 3)) : 1 + Pick(rng, 12);
  for (int m = 0; m < key.menus; ++m) b.AddMenu("M" + std::to_string(m), 0);
  const std::vector<int> menuOf = AssignMenus(rng, shape, attributes, key.menus);
  for (int a = 0; a < attributes; ++a) b.AddAttribute(menuOf[a] == 0 ? -1 : menuOf[a], "a" + std::to_string(a));
  const int items = 2 + Pick(rng, 120);
  const int percent = 1 + Pick(rng, 40);
  for (int i = 0; i < items; ++i) {
    std::vector<bool> lacking(key.menus + 1);
    for (int m = 1; m <= key.menus; ++m) lacking[m] = Pick(rng, 4) == 0;
    std::vector<int> bits;
    for (int a = 0; a < attributes; ++a)
      if (!lacking[menuOf[a]] && Pick(rng, 100) < percent) bits.push_back(a);
    b.AddItem("i" + std::to_string(i), "", "s", "", bits);
  }
  key.doc = b.Build(missing);
  // A damaged record: an attribute naming a menu that does not exist is never counted.
  if (Pick(rng, 3) == 0) key.doc->GetAttribute(Pick(rng, attributes)).menuIndex = static_cast<WORD>(key.menus + 5);
  return key;
}

void MarkAndEvaluate(std::mt19937& rng, CZAVDoc& doc) {
  const int marks = 1 + Pick(rng, 3);
  for (int k = 0; k < marks; ++k) doc.SetAttributeMark(Pick(rng, doc.AttributeCount()), MARK_YES);
  doc.m_forgivenessLevel = static_cast<BYTE>(Pick(rng, 3));
  doc.UpdateRemainingItems();
  if (Pick(rng, 4) == 0)
    for (int i = 0; i < doc.ItemCount(); ++i)
      if (doc.IsItemRemaining(i) && Pick(rng, 3) == 0) doc.m_itemStates[i] = STATE_SELECTED;
  doc.UpdateAttributeCounts();
}

// The counts the plain way: every bit of every candidate tested.
CandidateCounts ModelCounts(const CZAVDoc& doc, const std::vector<int>& candidates) {
  CandidateCounts model;
  model.attributes.assign(doc.AttributeCount(), 0);
  model.menus.assign(doc.MenuCount(), 0);
  for (int i : candidates) {
    const DWORD* row = doc.GetItemAttributeBits(i);
    std::vector<bool> has(doc.MenuCount(), false);
    for (int a = 0; a < doc.AttributeCount(); ++a) {
      const WORD m = doc.GetAttribute(a).menuIndex;
      if (m >= doc.MenuCount() || !TestBit(row, static_cast<WORD>(a))) continue;
      ++model.attributes[a];
      has[m] = true;
    }
    for (int m = 0; m < doc.MenuCount(); ++m) model.menus[m] += has[m];
  }
  return model;
}

// The rated menus the plain way, in the page's order.
std::vector<RatedMenu> ModelRating(const CZAVDoc& doc) {
  const CandidateCounts counts = ModelCounts(doc, CollectCandidateItems(doc));
  std::vector<RatedMenu> rated;
  for (WORD m : doc.GetMenu(0).children) {
    if (doc.GetMenu(m).kind != MENU_OF_ATTRIBUTES || doc.IsMenuMarked(m) || doc.IsMenuUseless(m)) continue;
    const auto score = ScoreMenu(counts.attributes, doc.GetMenu(m).children, counts.menus[m], doc.m_remainingCount);
    if (score) rated.push_back({m, *score, 0, 0});
  }
  if (rated.empty()) return rated;
  float lowest = rated[0].score, highest = rated[0].score;
  for (const RatedMenu& r : rated) {
    lowest = std::min(lowest, r.score);
    highest = std::max(highest, r.score);
  }
  const BandThresholds thresholds = ComputeBandThresholds(lowest, highest);
  for (RatedMenu& r : rated) {
    r.band = BandOf(r.score, thresholds);
    r.key = doc.GetMenu(r.menu).difficulty + 2 * r.band;
  }
  ExchangeSortRatedMenus(rated);
  return rated;
}

void ExpectSameCounts(const CandidateCounts& counts, const CandidateCounts& model, const std::string& where) {
  ASSERT_EQ(counts.attributes, model.attributes) << where;
  ASSERT_EQ(counts.menus, model.menus) << where;
}

void ExpectSameRating(CZAVDoc& doc, const std::string& where) {
  const std::vector<RatedMenu> expected = ModelRating(doc);
  CReportAnalize report(doc);
  report.Analyze();
  const std::vector<RatedMenu>& rated = report.RatedDetails();
  ASSERT_EQ(rated.size(), expected.size()) << where;
  for (std::size_t k = 0; k < rated.size(); ++k) {
    EXPECT_EQ(rated[k].menu, expected[k].menu) << where << " rank " << k;
    EXPECT_EQ(rated[k].score, expected[k].score) << where << " rank " << k;
    EXPECT_EQ(rated[k].band, expected[k].band) << where << " rank " << k;
  }
}

class MenuAnalysisDifferential : public EachCountKernel {};

}  // namespace

TEST_P(MenuAnalysisDifferential, CountsAndRatingMatchThePlainModel) {
  ScriptedUi ui;  // the refusals' messages
  std::mt19937 rng(20261209);
  int keptUsed = 0, keptStale = 0, menuDataUsed = 0, movedOverMatrix = 0;
  for (int round = 0; round < 400; ++round) {
    const MenuShape shape = static_cast<MenuShape>(round % 4);
    const bool missing = round / 4 % 2 == 1;
    RandomKey key = MakeRandomKey(rng, shape, missing);
    CZAVDoc& doc = *key.doc;
    MarkAndEvaluate(rng, doc);
    const std::string where = "round " + std::to_string(round);

    // The menu-data matrix made as the analysis makes it, in some rounds
    // also while missing data is off.
    if (round % 3 == 0) doc.EnsureMenuDataFor(doc.MenusOfAttributes());
    const std::vector<int> candidates = CollectCandidateItems(doc);
    keptUsed += doc.CountsKeptFor(candidates) != nullptr;
    menuDataUsed += doc.CountsKeptFor(candidates) && doc.MenuDataCurrentFor(doc.MenusOfAttributes());
    const CandidateCounts model = ModelCounts(doc, candidates);
    ExpectSameCounts(CountCandidates(doc, candidates), model, where);
    ExpectSameCounts(CountCandidates(doc, candidates, 1 + Pick(rng, 5)), model, where + " in shares");
    std::vector<int> some;
    for (int i : candidates)
      if (Pick(rng, 2)) some.push_back(i);
    ExpectSameCounts(CountCandidates(doc, some), ModelCounts(doc, some), where + " over a subset");
    ExpectSameRating(doc, where);

    // An attribute moved to another menu after the menu-data matrix was
    // made: each menu's count follows the attributes' menus of the moment.
    if (key.menus > 1 && doc.AttributeCount() > 0 && doc.CountsKeptFor(candidates)) {
      doc.EnsureMenuDataFor(doc.MenusOfAttributes());
      CQAttdata& moved = doc.GetAttribute(Pick(rng, doc.AttributeCount()));
      moved.menuIndex = static_cast<WORD>(1 + moved.menuIndex % key.menus);
      ExpectSameCounts(CountCandidates(doc, candidates), ModelCounts(doc, candidates), where + " after a move");
      ++movedOverMatrix;
    }

    // A bit changed after the tree's count: the kept counts must not be used.
    if (doc.AttributeCount() > 0 && !candidates.empty()) {
      const int item = candidates[Pick(rng, static_cast<int>(candidates.size()))];
      const WORD attribute = static_cast<WORD>(Pick(rng, doc.AttributeCount()));
      DWORD* row = doc.GetItemAttributeBits(item);
      TestBit(row, attribute) ? ClearBit(row, attribute) : SetBit(row, attribute);
      keptStale += doc.CountsKeptFor(candidates) == nullptr;
      EXPECT_FALSE(doc.MenuDataCurrentFor(doc.MenusOfAttributes())) << where;
      ExpectSameCounts(CountCandidates(doc, candidates), ModelCounts(doc, candidates), where + " after an edit");
    }
  }
  // Every way of counting was exercised.
  EXPECT_GT(keptUsed, 100);
  EXPECT_GT(keptStale, 100);
  EXPECT_GT(menuDataUsed, 100);
  EXPECT_GT(movedOverMatrix, 100);
}

TEST_P(MenuAnalysisDifferential, TheWideKernelPicksTheHitsWhereTheProcessorCan) {
  const std::vector<WORD> menuOf = {0, 0, 1, 1, 1, kNoIndex16, 2};
  const MenuHitCounter::Layout layout = MenuHitCounter::MakeLayout(menuOf, 1, 3);
  EXPECT_EQ(layout.picked, GetParam() == CountKernel::Wide && MenuHitCounter::PickingAvailable());
}

INSTANTIATE_TEST_SUITE_P(Kernels, MenuAnalysisDifferential, AllCountKernels(), CountKernelName);
