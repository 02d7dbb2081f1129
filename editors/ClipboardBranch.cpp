#include "editors/ClipboardBranch.h"

#include <algorithm>

int ClipboardBranch::CountMenus() const {
  return static_cast<int>(std::count_if(records.begin(), records.end(), [](const auto& r) { return r.IsMenu(); }));
}

int ClipboardBranch::CountAttributes() const { return static_cast<int>(records.size()) - CountMenus(); }

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
