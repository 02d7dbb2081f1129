#include "editors/ClipboardBranch.h"

#include <algorithm>

int ClipboardBranch::CountMenus() const {
  return static_cast<int>(std::count_if(records.begin(), records.end(), [](const auto& r) { return r.IsMenu(); }));
}

int ClipboardBranch::CountAttributes() const { return static_cast<int>(records.size()) - CountMenus(); }

int ClipboardBranch::MenuLevels() const {
  // A parent comes before its children, so one pass in stream order serves.
  std::vector<int> level(records.size(), 0);
  int deepest = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!records[i].IsMenu()) continue;
    const int parent = records[i].parent;
    level[i] = (parent < 0 ? 0 : level[static_cast<std::size_t>(parent)]) + 1;
    deepest = std::max(deepest, level[i]);
  }
  return deepest;
}

bool MayStandBelow(DWORD childTag, DWORD parentTag) {
  switch (parentTag) {
    case 0:
      return childTag == CLIP_MENU_OF_MENUS || childTag == CLIP_MENU_OF_ATTRIBUTES || childTag == CLIP_ATTRIBUTE;
    case CLIP_MENU_OF_MENUS:
      return childTag == CLIP_MENU_OF_MENUS || childTag == CLIP_MENU_OF_ATTRIBUTES;
    case CLIP_MENU_OF_ATTRIBUTES:
      return childTag == CLIP_ATTRIBUTE;
    default:
      return false;  // attributes have no children
  }
}
