#include "database/NameOrderSort.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "database/TextCodec.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"

void SortCurrentNameOrder(CZAVDoc& document) {
  const bool common = GetOrderType(document) == kCommonNameOrder;
  auto& names = GetOrderArray(document);
  // The display names are worked out once: the comparison would otherwise
  // build each of them again for every step of the sort.
  std::vector<std::pair<std::string, std::unique_ptr<CQItemname>>> keyed;
  keyed.reserve(names.size());
  for (auto& entry : names) {
    std::string key = entry->itemIndex >= 0 ? GetItemDisplayName(document, entry->itemIndex) : entry->name;
    keyed.emplace_back(std::move(key), std::move(entry));
  }
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t position = 0; position < keyed.size(); ++position) {
    names[position] = std::move(keyed[position].second);
    const int item = names[position]->itemIndex;
    if (item < 0 || item >= document.ItemCount()) continue;
    CQItemrec& record = document.GetItem(item);
    (common ? record.nameIndex : record.speciesIndex) = static_cast<int>(position);
  }
}

namespace {

std::vector<std::unique_ptr<CQItemname>>& NameArrayOf(CZAVDoc& document, int order) {
  return order == kScientificOrder ? document.m_speciesNames : document.m_itemNames;
}

void PointItemsAtEntries(CZAVDoc& document, int order) {
  auto& names = NameArrayOf(document, order);
  for (std::size_t p = 0; p < names.size(); ++p) {
    const std::int32_t item = names[p]->itemIndex;
    if (item < 0 || item >= document.ItemCount()) continue;
    CQItemrec& record = document.GetItem(item);
    (order == kScientificOrder ? record.speciesIndex : record.nameIndex) = static_cast<std::int32_t>(p);
  }
}

}  // namespace

void SortNameArray(CZAVDoc& document, int order) {
  auto& names = NameArrayOf(document, order);
  // In a damaged file an item may name another entry than the one naming
  // it; each entry sorts under the name it gives its item once sorted.
  PointItemsAtEntries(document, order);
  // One display name per entry rather than two per comparison.
  std::vector<std::u16string> keys(names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    keys[i] = FoldedSortKey(GetItemDisplayNameInOrder(document, names[i]->itemIndex, order));
  std::vector<std::size_t> positions(names.size());
  std::iota(positions.begin(), positions.end(), std::size_t{0});
  // Stable: items of the same name keep their order, so every load of a
  // saved file gives the same list.
  std::stable_sort(positions.begin(), positions.end(),
                   [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<std::unique_ptr<CQItemname>> sorted;
  sorted.reserve(names.size());
  for (std::size_t at : positions) sorted.push_back(std::move(names[at]));
  names = std::move(sorted);
  PointItemsAtEntries(document, order);
}

void SortNameArrays(CZAVDoc& document) {
  if (document.m_header.scientificNamesEnabled) SortNameArray(document, kScientificOrder);
  if (document.m_header.commonNamesEnabled) SortNameArray(document, kCommonNameOrder);
}
