#include "reports/MenuScoring.h"

#include <bit>

#include "database/ZAVDoc.h"
#include "reports/ItemRows.h"

std::vector<int> CollectCandidateItems(const CZAVDoc& doc) {
  const bool selectedOnly = doc.CountSelectedItems() != 0;
  std::vector<int> candidates;
  for (int i = 0; i < doc.ItemCount(); ++i)
    if (selectedOnly ? doc.IsItemSelected(i) : doc.IsItemRemaining(i)) candidates.push_back(i);
  return candidates;
}

CandidateCounts CountCandidates(const CZAVDoc& doc, const std::vector<int>& candidates) {
  CandidateCounts counts;
  const int attributes = doc.AttributeCount();
  const int menus = doc.MenuCount();
  counts.attributes.assign(attributes, 0);
  counts.menus.assign(menus, 0);
  ItemRows rows(doc);
  if (!rows.valid()) return counts;

  std::vector<WORD> menuOf(attributes);
  for (int a = 0; a < attributes; ++a) {
    const WORD m = doc.GetAttribute(a).menuIndex;
    menuOf[a] = m < menus ? m : kNoIndex16;
  }
  // The last item that touched each menu: no per-item clearing of flags.
  std::vector<int> touchedBy(menus, -1);
  for (int item : candidates) {
    const DWORD* row = rows.Row(item);
    if (!row) continue;
    for (int w = 0; w < rows.wordsPerRow(); ++w) {
      for (DWORD bits = row[w]; bits; bits &= bits - 1) {
        const int a = w * 32 + std::countr_zero(bits);
        if (a >= attributes) break;
        const WORD m = menuOf[a];
        if (m == kNoIndex16) continue;
        ++counts.attributes[a];
        if (touchedBy[m] != item) {
          touchedBy[m] = item;
          ++counts.menus[m];
        }
      }
    }
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
