// "Edit" on the tree's database description node: the description editor
// on the tree's database, offered only where the popup shows it (editable
// databases).
#pragma once

#include "shell/PopupCommandIds.h"

class CLeftView;

inline constexpr int kCmdEditDatabaseDescription = popup_cmd::kEditDatabaseDescription;

void RegisterDescriptionCommand(CLeftView& view);
// The command itself: the editor, then on OK the tree and the item list
// follow the new settings and the page is re-created.
void EditDatabaseDescription(CLeftView& view);
