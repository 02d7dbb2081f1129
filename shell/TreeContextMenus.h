// The context menus of the tree and the item list: one popup per node kind,
// in an editable version (menu 135) and a locked version (menu 136).
#pragma once

#include <vector>

struct ContextMenuEntry {
  const char* text;  // null for a separator
  int command;
};

inline constexpr int kPopupCount = 12;
inline constexpr int kItemsPopup = 7;
inline constexpr int kMainItemsPopup = 3;

const char* ContextPopupName(int popup);
const std::vector<ContextMenuEntry>& ContextPopupEntries(int popup, bool editable);
