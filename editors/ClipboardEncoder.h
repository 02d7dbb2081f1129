// The writing side of the menu clipboard.
#pragma once

#include <cstdint>
#include <vector>

class CZAVDoc;

// The stream of the menu's branch: the menu, its submenus and attributes,
// depth first in child-list order. Child entries that name no record are
// left out and every menu is written once, so a damaged child list can
// neither fail nor loop. Empty for an index that names no menu.
std::vector<std::uint8_t> EncodeMenuBranch(const CZAVDoc& doc, int menu);
