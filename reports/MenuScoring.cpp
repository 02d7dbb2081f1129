#include "reports/MenuScoring.h"

#include <algorithm>

#include "database/CandidateCounts.h"
#include "database/ParallelFor.h"
#include "database/ZAVDoc.h"
#include "reports/ItemRows.h"
#include "reports/MenuHitCounter.h"

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

// The counts over one share of the candidates; the attribute counts only
// when they are not known already.
void CountShare(const ItemRows& rows, const MenuHitCounter::Layout& layout, const int* first, const int* last,
                bool countAttributes, CandidateCounts& share) {
  CandidateCounter columns(rows.wordsPerRow());
  MenuHitCounter menus(layout);
  for (const int* item = first; item != last; ++item) {
    const DWORD* row = rows.Row(*item);
    if (!row) continue;
    if (countAttributes) columns.AddRow(row);
    menus.AddRow(row);
  }
  // Bits past the last attribute land beyond its count and are never read.
  if (countAttributes) columns.AddTo(share.attributes);
  menus.AddTo(share.menus);
}

// The tree's kept counts of the attributes that have a menu.
void TakeKeptCounts(const std::vector<DWORD>& kept, const std::vector<WORD>& menuOf, std::vector<DWORD>& attributes) {
  for (std::size_t a = 0; a < attributes.size(); ++a)
    if (menuOf[a] != kNoIndex16) attributes[a] = kept[a];
}

}  // namespace

// Threads only pay for themselves on many candidate rows. A few shares a
// thread, not one: a thread that starts late, or is taken by another
// process for a while, leaves its shares to the others instead of holding
// up the whole count.
constexpr int kCandidatesPerShare = 2048;
constexpr int kSharesPerThread = 4;

CandidateCounts CountCandidates(CZAVDoc& doc, const std::vector<int>& candidates) {
  const int total = static_cast<int>(candidates.size());
  const int threads = PlanChunks(total, kCandidatesPerShare, 1).chunks;
  const int shares = std::clamp(total / kCandidatesPerShare, threads, kSharesPerThread * threads);
  return CountCandidates(doc, candidates, static_cast<unsigned>(shares));
}

CandidateCounts CountCandidates(CZAVDoc& doc, const std::vector<int>& candidates, unsigned shares) {
  CandidateCounts counts;
  const int attributes = doc.AttributeCount();
  const int menus = doc.MenuCount();
  counts.attributes.assign(attributes, 0);
  counts.menus.assign(menus, 0);
  const ItemRows rows(doc);
  if (!rows.valid()) return counts;

  const std::vector<WORD> menuOf = doc.MenusOfAttributes();
  // The tree keeps the attribute counts over the same items while the
  // matrix is unchanged; then the menus' counts come from the menu-data
  // matrix, made once until the data changes.
  const std::vector<DWORD>* kept = doc.CountsKeptFor(candidates);
  if (kept && doc.EnsureMenuDataFor(menuOf)) {
    // Nothing needs the rows: the menu-data matrix has each menu's items.
    counts.menus = doc.CountItemsWithMenuData(candidates);
    TakeKeptCounts(*kept, menuOf, counts.attributes);
    return counts;
  }
  const MenuHitCounter::Layout layout = MenuHitCounter::MakeLayout(menuOf, rows.wordsPerRow(), menus);

  const int total = static_cast<int>(candidates.size());
  const int wanted = static_cast<int>(std::max(1u, shares));
  const int per = std::max(1, (total + wanted - 1) / wanted);
  const ChunkPlan plan{total, per, std::max(1, (total + per - 1) / per)};
  std::vector<CandidateCounts> partial(plan.chunks,
                                       CandidateCounts{kept ? std::vector<DWORD>{} : counts.attributes, counts.menus});
  ParallelFor(plan, [&](int first, int last, int k) {
    CountShare(rows, layout, candidates.data() + first, candidates.data() + last, !kept, partial[k]);
  });
  for (const auto& share : partial) {
    for (int a = 0; a < attributes && !kept; ++a)
      if (menuOf[a] != kNoIndex16) counts.attributes[a] += share.attributes[a];
    for (int m = 0; m < menus; ++m) counts.menus[m] += share.menus[m];
  }
  if (kept) TakeKeptCounts(*kept, menuOf, counts.attributes);
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
