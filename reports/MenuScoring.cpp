#include "reports/MenuScoring.h"

#include <algorithm>

#include "database/CandidateCounts.h"
#include "database/ParallelFor.h"
#include "database/ZAVDoc.h"
#include "reports/ItemRows.h"

bool IsCandidateItem(const CZAVDoc& doc, int item, bool anySelected) {
  return anySelected ? doc.IsItemSelected(item) : doc.IsItemRemaining(item);
}

std::vector<int> CollectCandidateItems(const CZAVDoc& doc) {
  const bool anySelected = doc.CountSelectedItems() != 0;
  std::vector<int> candidates;
  for (int i = 0; i < doc.ItemCount(); ++i)
    if (IsCandidateItem(doc, i, anySelected)) candidates.push_back(i);
  return candidates;
}

namespace {

// Where each menu's attributes lie in a row: per menu a run of (word, mask)
// pieces, so one pass per item tells which menus it has data for.
struct MenuLayout {
  std::vector<WORD> menus;           // menus with attributes
  std::vector<std::size_t> ends;     // end of each menu's run of pieces
  std::vector<int> words;            // piece: the word of the row
  std::vector<DWORD> masks;          // piece: the menu's bits in that word
};

MenuLayout MakeMenuLayout(const std::vector<WORD>& menuOf, int words, int menus) {
  struct Piece {
    int word;
    DWORD mask;
  };
  std::vector<std::vector<Piece>> perMenu(menus);
  for (int a = 0; a < static_cast<int>(menuOf.size()) && a / 32 < words; ++a) {
    const WORD m = menuOf[a];
    if (m == kNoIndex16) continue;
    auto& list = perMenu[m];
    if (list.empty() || list.back().word != a / 32) list.push_back({a / 32, 0});
    list.back().mask |= DWORD{1} << (a % 32);
  }
  MenuLayout layout;
  for (int m = 0; m < menus; ++m) {
    if (perMenu[m].empty()) continue;
    for (const Piece& piece : perMenu[m]) {
      layout.words.push_back(piece.word);
      layout.masks.push_back(piece.mask);
    }
    layout.menus.push_back(static_cast<WORD>(m));
    layout.ends.push_back(layout.words.size());
  }
  return layout;
}

// Adds 1 to the count of every menu in which the row has an attribute.
void CountMenusOfRow(const DWORD* row, const MenuLayout& layout, std::vector<DWORD>& counts) {
  const int* words = layout.words.data();
  const DWORD* masks = layout.masks.data();
  std::size_t i = 0;
  for (std::size_t k = 0; k < layout.menus.size(); ++k) {
    DWORD any = 0;
    for (const std::size_t end = layout.ends[k]; i < end; ++i) any |= row[words[i]] & masks[i];
    counts[layout.menus[k]] += any != 0;
  }
}

}  // namespace

namespace {

// The counts over one share of the candidates.
void CountShare(const ItemRows& rows, const MenuLayout& layout, const int* first, const int* last,
                std::vector<DWORD>& attributes, std::vector<DWORD>& menus) {
  CandidateCounter columns(rows.wordsPerRow());
  for (const int* item = first; item != last; ++item) {
    const DWORD* row = rows.Row(*item);
    if (!row) continue;
    columns.AddRow(row);
    CountMenusOfRow(row, layout, menus);
  }
  // Bits past the last attribute land beyond its count and are never read.
  columns.AddTo(attributes);
}

}  // namespace

// Threads only pay for themselves on many candidate rows.
constexpr int kCandidatesPerShare = 4096;

CandidateCounts CountCandidates(const CZAVDoc& doc, const std::vector<int>& candidates) {
  const int total = static_cast<int>(candidates.size());
  return CountCandidates(doc, candidates, static_cast<unsigned>(PlanChunks(total, kCandidatesPerShare, 1).chunks));
}

CandidateCounts CountCandidates(const CZAVDoc& doc, const std::vector<int>& candidates, unsigned shares) {
  CandidateCounts counts;
  const int attributes = doc.AttributeCount();
  const int menus = doc.MenuCount();
  counts.attributes.assign(attributes, 0);
  counts.menus.assign(menus, 0);
  const ItemRows rows(doc);
  if (!rows.valid()) return counts;

  std::vector<WORD> menuOf(attributes);
  for (int a = 0; a < attributes; ++a) {
    const WORD m = doc.GetAttribute(a).menuIndex;
    menuOf[a] = m < menus ? m : kNoIndex16;
  }
  const MenuLayout layout = MakeMenuLayout(menuOf, rows.wordsPerRow(), menus);

  const int total = static_cast<int>(candidates.size());
  const int wanted = static_cast<int>(std::max(1u, shares));
  const int per = std::max(1, (total + wanted - 1) / wanted);
  const ChunkPlan plan{total, per, std::max(1, (total + per - 1) / per)};
  std::vector<CandidateCounts> partial(plan.chunks, CandidateCounts{counts.attributes, counts.menus});
  ParallelFor(plan, [&](int first, int last, int k) {
    CountShare(rows, layout, candidates.data() + first, candidates.data() + last, partial[k].attributes,
               partial[k].menus);
  });
  for (const auto& share : partial) {
    for (int a = 0; a < attributes; ++a)
      if (menuOf[a] != kNoIndex16) counts.attributes[a] += share.attributes[a];
    for (int m = 0; m < menus; ++m) counts.menus[m] += share.menus[m];
  }
  return counts;
}

std::optional<float> ScoreMenu(const std::vector<DWORD>& attributeCounts, const std::vector<WORD>& children,
                               DWORD menuCount, int remaining) {
  if (remaining <= 0) return std::nullopt;
  const std::int32_t d = static_cast<std::int32_t>(static_cast<std::int64_t>(remaining) - menuCount);
  const float f = static_cast<float>(1.0 - static_cast<double>(static_cast<float>(d)) / remaining);
  float s1 = 0;
  float s2 = 0;
  for (WORD a : children) {
    const DWORD c = a < attributeCounts.size() ? attributeCounts[a] : 0;
    if (c == 0) continue;
    const float cf = static_cast<float>(c);
    s1 = s1 + cf;
    s2 = s2 + cf * cf;
  }
  // A menu whose attributes no candidate has would divide by zero.
  if (s1 == 0) return std::nullopt;
  const float weighted = static_cast<float>(static_cast<double>(s2) * f / s1);
  return weighted + static_cast<float>(d);
}

BandThresholds ComputeBandThresholds(float lowest, float highest) {
  // The single-precision 0.4, widened: the bands depend on this exact factor.
  constexpr double kFactor = static_cast<double>(0.4f);
  BandThresholds t{};
  double previous = lowest;
  for (float& threshold : t) {
    threshold = static_cast<float>(previous + (static_cast<double>(highest) - previous) * kFactor);
    previous = threshold;
  }
  return t;
}

int BandOf(float score, const BandThresholds& thresholds) {
  for (int k = 0; k < static_cast<int>(thresholds.size()); ++k)
    if (thresholds[k] > score) return k;
  return 5;
}

void ExchangeSortRatedMenus(std::vector<RatedMenu>& rated) {
  const std::size_t n = rated.size();
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (rated[j].key < rated[i].key || (rated[j].key == rated[i].key && rated[j].score < rated[i].score))
        std::swap(rated[i], rated[j]);
}
