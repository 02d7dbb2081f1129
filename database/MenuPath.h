// The chain of menus from the top of the menu tree down to one menu.
#pragma once

#include <optional>
#include <string>
#include <vector>

class CZAVDoc;

// The menus from the top-level menu (a child of the root) down to the given
// menu, without the root; the root alone when asked for the root. None
// when a parent index does not exist or the chain of parents loops.
std::optional<std::vector<int>> GetMenuPath(const CZAVDoc& document, int menu);

// The titles of the menu's path joined with " / ", an empty title keeping
// its place ("A /  / X"); empty for the root (or a menu without a path),
// whose title never takes part.
std::string GetLongMenuName(const CZAVDoc& document, int menu);
