#include "database/NameOrderSort.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
