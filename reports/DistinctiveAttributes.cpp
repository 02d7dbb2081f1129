#include "reports/DistinctiveAttributes.h"

#include <algorithm>
#include <bit>
#include <climits>

#include "database/CandidateCounts.h"
#include "database/ZAVDoc.h"
#include "reports/ItemRows.h"

namespace {

// Counts, per attribute of the item, the candidates that share it, and the
// item's own row keeps the counts of its attributes. The tree keeps the
// counts over the same items while the matrix is unchanged: then no row but
// the item's is read; else every candidate row is counted column by column.
std::vector<DWORD> CountShared(const CZAVDoc& doc, int item, const std::vector<int>& candidates) {
  const ItemRows rows(doc);
  const DWORD* own = rows.Row(item);
  if (!own) return std::vector<DWORD>(doc.AttributeCount(), 0);
  std::vector<DWORD> counts;
  if (const std::vector<DWORD>* kept = doc.CountsKeptFor(candidates)) {
    counts = *kept;
  } else {
    // Threads only pay for themselves on many candidate rows.
    constexpr int kCandidatesPerShare = 4096;
    const auto words = static_cast<DWORD>(rows.wordsPerRow());
    counts = CountRowsOnPool(words, static_cast<int>(candidates.size()), kCandidatesPerShare,
                             [&](int k) { return rows.Row(candidates[k]); });
  }
  counts.resize(doc.AttributeCount());
  for (std::size_t a = 0; a < counts.size(); ++a)
    if (!TestBit(own, static_cast<WORD>(a))) counts[a] = 0;
  return counts;
}

// Position of each listed attribute in its own menu's child list (INT_MAX
// when the list does not hold it), found with one scan per menu.
std::vector<int> PlacesInMenus(const CZAVDoc& doc, const std::vector<DistinctiveAttribute>& listed) {
  std::vector<int> place(doc.AttributeCount(), INT_MAX);
  std::vector<bool> scanned(doc.MenuCount(), false);
  for (const auto& entry : listed) {
    const WORD menu = doc.GetAttribute(entry.attribute).menuIndex;
    if (scanned[menu]) continue;
    scanned[menu] = true;
    const auto& children = doc.GetMenu(menu).children;
    for (int k = 0; k < static_cast<int>(children.size()); ++k) {
      const WORD a = children[k];
      if (a < place.size() && place[a] == INT_MAX && doc.GetAttribute(a).menuIndex == menu) place[a] = k;
    }
  }
  return place;
}

}  // namespace

std::vector<DistinctiveAttribute> FindDistinctiveAttributes(const CZAVDoc& doc, int item,
                                                            const std::vector<int>& candidates, int remaining) {
  const std::vector<DWORD> counts = CountShared(doc, item, candidates);
  std::vector<DistinctiveAttribute> listed;
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    const WORD menu = doc.GetAttribute(a).menuIndex;
    const DWORD c = counts[a];
    if (menu >= doc.MenuCount() || c == 0 || static_cast<std::int64_t>(c) == remaining) continue;
    listed.push_back({c, a});
  }
  const std::vector<int> place = PlacesInMenus(doc, listed);
  // Stable, so that entries equal in all three keys keep index order, as
  // inserting each one after its equals would.
  std::stable_sort(listed.begin(), listed.end(), [&](const auto& x, const auto& y) {
    if (x.count != y.count) return x.count < y.count;
    const WORD mx = doc.GetAttribute(x.attribute).menuIndex;
    const WORD my = doc.GetAttribute(y.attribute).menuIndex;
    if (mx != my) return mx < my;
    return place[x.attribute] < place[y.attribute];
  });
  return listed;
}
