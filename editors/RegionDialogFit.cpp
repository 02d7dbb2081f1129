#include "editors/RegionDialogFit.h"

#include <algorithm>

DialogFit FitDialogToPicture(const RegionRect& dialog, RegionSize control, RegionSize visible) {
  const int dx = visible.width - control.width;
  const int dy = std::max(visible.height - control.height, 0);
  return {{dialog.left, dialog.top, dialog.right + dx, dialog.bottom + dy}, {control.width + dx, control.height + dy}};
}

RegionRect PlaceOnScreen(const RegionRect& dialog, RegionSize screen) {
  if (dialog.right <= screen.width && dialog.bottom <= screen.height) return dialog;
  const int width = dialog.right - dialog.left;
  const int height = dialog.bottom - dialog.top;
  const int x = (screen.width - width) / 2;
  const int y = (screen.height - height) / 2;
  return {x, y, x + width, y + height};
}
