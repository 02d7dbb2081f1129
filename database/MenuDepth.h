// How deep the menu tree may grow. The walks over the tree (the dump, the
// tree view, the reports, the exports, the clipboard) go down one call per
// level, so the depth is bounded once, here: a file whose tree is deeper is
// refused as damaged, and no edit builds a deeper one.
#pragma once

#include <string>

class CZAVDoc;

// The most menus above any menu (the root has none). Far more than any key
// needs, and few enough that every walk's calls fit a thread's stack.
inline constexpr int kMaxMenuDepth = 1000;

// The menus above menu, following the parents (0 for the root). Bounded by
// the menu count, so a loop in damaged parents ends.
int MenusAbove(const CZAVDoc& doc, int menu);

// How many levels of menus the branch under menu spans, itself included
// (1 for a menu without submenus, 0 for a menu that does not exist).
int BranchLevels(const CZAVDoc& doc, int menu);

// Whether a branch spanning `levels` levels of menus may hang below parentMenu.
bool BranchFitsBelow(const CZAVDoc& doc, int parentMenu, int levels);

// The refusal an edit shows when the branch would not fit.
std::string TooDeepMessage();
