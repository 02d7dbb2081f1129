// The menu analysis on the bird database: the worked example of scores and
// bands, the refusals, and the optimised counting against a plain model.
#include <random>

#include "ReportTestDatabase.h"
#include "reports/MenuScoring.h"
#include "reports/ReportAnalize.h"

using namespace reportpages_test;

namespace {

std::vector<WORD> MenusOf(const std::vector<RatedMenu>& rated) {
  std::vector<WORD> menus;
  for (const auto& r : rated) menus.push_back(r.menu);
  return menus;
}

}  // namespace

class AnalysisTest : public ReportPagesTest {};

// Worked by hand: Colour counts 2 and 3 over all four items (2.6), Shape 2
// and 1 with one item lacking shape data (5 x 0.75 / 3 + 1 = 2.25), Legs 2
// and 2 (2.0). Thresholds from 2.0 to 2.6 start at 2.24, so Legs is band 0,
// Shape band 1, Colour band 5; keys 3 + 0, 2 + 2, 1 + 10.
TEST_F(AnalysisTest, WorkedExampleScoresBandsAndOrder) {
  CReportAnalize report(*doc);
  ASSERT_TRUE(report.Analyze());
  const auto& rated = report.RatedDetails();
  ASSERT_EQ(MenusOf(rated), (std::vector<WORD>{kLegs, kShape, kColour}));
  EXPECT_FLOAT_EQ(rated[0].score, 2.0f);
  EXPECT_FLOAT_EQ(rated[1].score, 2.25f);
  EXPECT_FLOAT_EQ(rated[2].score, 2.6f);
  EXPECT_EQ(rated[0].band, 0);
  EXPECT_EQ(rated[1].band, 1);
  EXPECT_EQ(rated[2].band, 5);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(AnalysisTest, PageListsMenuLinksUnderItsHeading) {
  CReportAnalize report(*doc);
  report.Execute(nullptr, kFirstPage);
  const std::string& page = view.last();
  EXPECT_NE(page.find("<h1>Analyze</h1><div class='param'><span class='Verdana'>Most useful menus to narrow "
                      "search</span><br>"),
            std::string::npos);
  const std::string legs = "<A href=\"http:\\\\menu4end\">Legs</A><br>";
  const std::string shape = "<A href=\"http:\\\\menu2end\">Shape</A><br>";
  const std::string colour = "<A href=\"http:\\\\menu1end\">Colour</A><br>";
  ASSERT_NE(page.find(legs), std::string::npos);
  EXPECT_LT(page.find(legs), page.find(shape));
  EXPECT_LT(page.find(shape), page.find(colour));
  EXPECT_NE(page.find(colour + "</div></body></html>"), std::string::npos);
  EXPECT_EQ(doc->m_reportKind, kReportAnalysis);
}

// After Red YES: Robin and Crow remain; Colour is marked and left out;
// Shape 1 + 0.5 = 1.5 (band 5), Legs 1.0 (band 0).
TEST_F(AnalysisTest, MarkedMenuIsNeverRated) {
  Mark(kRed, MARK_YES);
  CReportAnalize report(*doc);
  ASSERT_TRUE(report.Analyze());
  EXPECT_EQ(report.RatedMenus(), (std::vector<WORD>{kLegs, kShape}));
  EXPECT_FLOAT_EQ(report.RatedDetails()[1].score, 1.5f);
  EXPECT_EQ(report.RatedDetails()[1].band, 5);
}

TEST_F(AnalysisTest, EqualScoresAllBandFiveAndOrderByDifficulty) {
  // Two pairs of identical items: every menu splits them 2 : 2 and scores 2.
  SetRow(*doc, jay, {kRed, kRound, kTwo});
  SetRow(*doc, crow, {kBlue, kLong, kFour});
  Evaluate();
  CReportAnalize report(*doc);
  ASSERT_TRUE(report.Analyze());
  for (const auto& r : report.RatedDetails()) EXPECT_EQ(r.band, 5);
  EXPECT_EQ(report.RatedMenus(), (std::vector<WORD>{kColour, kShape, kLegs}));
  doc->GetMenu(kColour).difficulty = 9;
  CReportAnalize harder(*doc);
  ASSERT_TRUE(harder.Analyze());
  EXPECT_EQ(harder.RatedMenus(), (std::vector<WORD>{kShape, kLegs, kColour}));
}

TEST_F(AnalysisTest, RefusalsShowTheirMessageAndAnEmptyList) {
  Mark(kRed, MARK_YES);
  Mark(kRound, MARK_YES);  // Robin alone
  CReportAnalize one(*doc);
  one.Execute(nullptr, kFirstPage);
  EXPECT_EQ(ui.Messages().back(), "No analysis possible with only one species left");
  EXPECT_EQ(Count(view.last(), "http:\\\\menu"), 0);

  doc->m_header.scientificNamesEnabled = 0;
  CReportAnalize items(*doc);
  EXPECT_FALSE(items.Analyze());
  EXPECT_EQ(ui.Messages().back(), "No analysis possible with only one item left");
}

TEST_F(AnalysisTest, RootMenuOfAttributesIsRefused) {
  doc->GetMenu(0).kind = MENU_OF_ATTRIBUTES;
  CReportAnalize report(*doc);
  EXPECT_FALSE(report.Analyze());
  EXPECT_EQ(ui.Messages().back(), "Analysis not possible for database with only one menu");
}

TEST_F(AnalysisTest, AllMenusMarkedWithTwoItemsLeft) {
  Mark(kBlue, MARK_YES);     // Jay, Magpie, Crow
  Mark(kFour, MARK_YES);     // Magpie, Crow
  Mark(kRound, MARK_NEVER);  // Magpie, Crow stay: neither is round
  ASSERT_EQ(doc->m_remainingCount, 2);
  CReportAnalize report(*doc);
  EXPECT_FALSE(report.Analyze());
  EXPECT_EQ(ui.Messages().back(),
            "There are no unmarked menus with attributes that differentiate the remaining species.");
  doc->m_header.scientificNamesEnabled = 0;
  CReportAnalize items(*doc);
  items.Analyze();
  EXPECT_EQ(ui.Messages().back(),
            "There are no unmarked menus with attributes that differentiate the remaining items.");
}

TEST_F(AnalysisTest, SelectedItemsAreCountedAgainstTheRemainingCount) {
  doc->SetItemState(robin, STATE_SELECTED);
  doc->SetItemState(jay, STATE_SELECTED);
  Evaluate();
  // Robin and Jay: Colour Red 1, Blue 1 (m 2, d 2 of N 4): 2 x 0.5 / 2 + 2 = 2.5.
  // Legs: Two 2 -> count 2 with N 4 still splits; 4 x 0.5 / 2 + 2 = 3.
  CReportAnalize report(*doc);
  ASSERT_TRUE(report.Analyze());
  int rated = 0;
  for (const auto& r : report.RatedDetails()) {
    if (r.menu == kColour) {
      EXPECT_FLOAT_EQ(r.score, 2.5f);
    }
    if (r.menu == kLegs) {
      EXPECT_FLOAT_EQ(r.score, 3.0f);
    }
    rated += r.menu == kColour || r.menu == kLegs;
  }
  EXPECT_EQ(rated, 2) << "both menus must be rated";
}

TEST(MenuScoring, MenuWithoutCountsIsNotRated) {
  EXPECT_FALSE(ScoreMenu({0, 0}, {0, 1}, 0, 4).has_value());
  EXPECT_FALSE(ScoreMenu({1, 1}, {0, 1}, 2, 0).has_value());
  EXPECT_TRUE(ScoreMenu({1, 0}, {0, 1}, 1, 4).has_value());
}

TEST(MenuScoring, BandsUseTheSinglePrecisionFactor) {
  const BandThresholds t = ComputeBandThresholds(0.0f, 1.0f);
  EXPECT_EQ(t[0], static_cast<float>(0.0 + 1.0 * static_cast<double>(0.4f)));
  for (int k = 1; k < 5; ++k) EXPECT_LT(t[k - 1], t[k]);
  EXPECT_EQ(BandOf(0.0f, t), 0);
  EXPECT_EQ(BandOf(1.0f, t), 5);
  EXPECT_EQ(BandOf(std::numeric_limits<float>::quiet_NaN(), t), 5);
}

TEST(MenuScoring, ExchangeSortOrdersByKeyThenScore) {
  std::vector<RatedMenu> rated = {{7, 2.0f, 2, 4}, {8, 1.0f, 0, 3}, {9, 0.5f, 0, 4}, {10, 3.0f, 0, 3}};
  ExchangeSortRatedMenus(rated);
  EXPECT_EQ(MenusOf(rated), (std::vector<WORD>{8, 10, 9, 7}));
}

// The set-bit walk gives the same counts as testing every bit.
TEST_F(AnalysisTest, CountingMatchesAPlainModelOnRandomData) {
  std::mt19937 rng(7);
  const WORD menus[] = {kColour, kShape, kLegs};
  for (int a = 6; a < 70; ++a) {
    CQAttdata& attribute = doc->GetOrCreateAttribute(a);
    attribute.menuIndex = menus[a % 3];
    attribute.name = "A" + std::to_string(a);
  }
  doc->GetAttribute(40).menuIndex = kNoIndex16;  // belongs to no menu: never counted
  AddExtraItems(30);
  for (int i = 0; i < doc->ItemCount(); ++i)
    for (int a = 0; a < doc->AttributeCount(); ++a)
      if (rng() % 3 == 0) SetBit(doc->GetItemAttributeBits(i), static_cast<WORD>(a));
  std::vector<int> candidates;
  for (int i = 0; i < doc->ItemCount(); i += 2) candidates.push_back(i);
  const CandidateCounts counts = CountCandidates(*doc, candidates);
  for (int a = 0; a < doc->AttributeCount(); ++a) {
    DWORD expected = 0;
    for (int i : candidates)
      if (doc->GetAttribute(a).menuIndex != kNoIndex16 && TestBit(doc->GetItemAttributeBits(i), a)) ++expected;
    EXPECT_EQ(counts.attributes[a], expected) << a;
  }
  for (int m = 0; m < doc->MenuCount(); ++m) {
    DWORD expected = 0;
    for (int i : candidates) {
      bool any = false;
      for (int a = 0; a < doc->AttributeCount(); ++a)
        any |= doc->GetAttribute(a).menuIndex == m && TestBit(doc->GetItemAttributeBits(i), a);
      expected += any;
    }
    EXPECT_EQ(counts.menus[m], expected) << m;
  }
  const CandidateCounts shared = CountCandidates(*doc, candidates, 3);
  EXPECT_EQ(shared.attributes, counts.attributes);
  EXPECT_EQ(shared.menus, counts.menus);
}
