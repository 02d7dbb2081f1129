#include "shell/PictureListRows.h"

#include <algorithm>

int SetItemListRows(std::vector<ItemImageString>& rows, const std::string& list) {
  rows.clear();
  if (list.empty()) return 0;
  std::string text = list;
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  // Stored lists lose their final ";", so every ";" separates, whether or not
  // one ends the text; a name listed twice gives one row.
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string element = text.substr(start, end - start);
    start = end + 1;
    if (element.empty()) continue;
    const bool seen =
        std::any_of(rows.begin(), rows.end(), [&](const ItemImageString& r) { return r.text == element; });
    if (!seen) rows.push_back({static_cast<int>(rows.size()), std::move(element), 1});
  }
  return 1;
}

int DropRowPosition(int source, int target, int count) {
  if (source < 0 || target < 0 || source >= count || target > count) return -1;
  if (target == source || target == source + 1) return -1;
  return source < target ? target - 1 : target;
}
