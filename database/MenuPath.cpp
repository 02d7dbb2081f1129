#include "database/MenuPath.h"

#include <algorithm>

#include "database/ZAVDoc.h"

std::optional<std::vector<int>> GetMenuPath(const CZAVDoc& document, int menu) {
  const int count = document.MenuCount();
  if (menu < 0 || menu >= count) return std::nullopt;
  std::vector<int> path;
  for (int m = menu;;) {
    const WORD parent = document.GetMenu(m).parent;
    if (parent == kNoIndex16) {
      if (path.empty()) path.push_back(m);  // the root itself was asked for
      break;
    }
    path.push_back(m);
    // A path longer than the menu count has gone round a loop.
    if (parent >= count || static_cast<int>(path.size()) > count) return std::nullopt;
    m = parent;
  }
  std::reverse(path.begin(), path.end());
  return path;
}

std::string GetLongMenuName(const CZAVDoc& document, int menu) {
  const auto path = GetMenuPath(document, menu);
  if (!path || document.GetMenu(menu).parent == kNoIndex16) return {};
  std::string name;
  // Every menu after the first gets its separator, an empty title too.
  for (std::size_t at = 0; at < path->size(); ++at) {
    if (at > 0) name += " / ";
    name += document.GetMenu((*path)[at]).title;
  }
  return name;
}
