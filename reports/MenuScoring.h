// The arithmetic of the menu analysis: candidate counts, the score of one
// menu, the bands and the order of the rated menus. Kept apart from the page
// so that it can be checked against worked examples and a plain model.
//
// All arithmetic is IEEE single/double exactly as written; the results must
// not depend on the compiler's freedom to contract or reassociate.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "database/Records.h"

class CZAVDoc;

// Per-attribute and per-menu counts over a set of candidate items.
struct CandidateCounts {
  std::vector<DWORD> attributes;  // items having the attribute (attributes with a menu only)
  std::vector<DWORD> menus;       // items having at least one attribute of the menu
};

// The candidate items: the selected ones when any is selected, else the remaining ones.
std::vector<int> CollectCandidateItems(const CZAVDoc& doc);
bool IsCandidateItem(const CZAVDoc& doc, int item, bool anySelected);

// Counts over the candidates' rows; large sets are counted in shares on a
// few threads (the sums do not depend on the split). The attribute counts
// the tree kept over the same items are taken as they are, and the menus'
// counts then come from the menu-data matrix, which is rebuilt first when a
// change of the data left it behind.
CandidateCounts CountCandidates(CZAVDoc& doc, const std::vector<int>& candidates);
CandidateCounts CountCandidates(CZAVDoc& doc, const std::vector<int>& candidates, unsigned shares);

// The score of a menu of attributes, lower is better; none when the menu
// cannot be rated (no item in play, or no attribute with a count).
std::optional<float> ScoreMenu(const std::vector<DWORD>& attributeCounts, const std::vector<WORD>& children,
                               DWORD menuCount, int remaining);

using BandThresholds = std::array<float, 5>;
BandThresholds ComputeBandThresholds(float lowest, float highest);
// 0-4: the first threshold above the score; 5 when none is (also for NaN).
int BandOf(float score, const BandThresholds& thresholds);

struct RatedMenu {
  WORD menu = 0;
  float score = 0;
  int band = 0;
  int key = 0;  // difficulty + 2 x band
};

// The exchange sort of the analysis: ascending key, ties by strictly lower
// score. Its exact swap sequence decides the order of full ties.
void ExchangeSortRatedMenus(std::vector<RatedMenu>& rated);
