// The program's small 16 x 16 images, drawn in code: the folder tree's node
// images and the toolbar buttons.
#pragma once

#include <QIcon>

namespace TreeIcons {
enum Role { kDrives, kDesktop, kFolder, kOpenFolder, kDatabase, kDrive };
QIcon Icon(int role);
}  // namespace TreeIcons

// The toolbar image of a command; a null icon for a command without one.
QIcon ToolbarIcon(int command);
