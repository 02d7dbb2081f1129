// The second half of a cut: freeing the branch once the clipboard holds it.
#pragma once

#include <vector>

class CZAVDoc;

struct FreedBranch {
  std::vector<int> menus;       // the menu and every menu below it
  std::vector<int> attributes;  // the attributes of those menus
};

// Whether an item of the key has one of the attributes of the menu or of a
// menu below it. Cut and Paste carry no item data, so a cut of such a branch
// loses it; the tree asks first.
bool BranchHasItemData(const CZAVDoc& doc, int menu);

// The question the tree asks before such a cut; No is its default.
const char* CutLosesItemDataQuestion();

// Frees the menu with everything below it and takes it out of its parent's
// child list. A freed attribute must not go on eliminating items, so the
// marks of the freed attributes are cleared (the items are evaluated again
// when one was marked). The items' data of the freed attributes stays in
// their columns until a new attribute takes the slot.
//
// Refused through the error box on a locked database and for the top menu
// or an index that names no menu.
FreedBranch FreeMenuBranch(CZAVDoc& doc, int menu);
