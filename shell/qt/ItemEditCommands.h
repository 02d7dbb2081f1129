// The item list's commands that run the item editor: "Edit item description"
// on the selected item and "Insert" for a new one, from the list's popups,
// the tree's items node and the item page's popup.
#pragma once

class CItemListView;
class CLeftView;

void InstallItemEditCommands(CItemListView& list, CLeftView& tree);
