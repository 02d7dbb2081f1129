// Fitting a region dialog to its picture: the dialog grows or shrinks by
// the difference between the picture's visible size and the control's size.
#pragma once

#include "database/ImageRegion.h"
#include "editors/RegionScroll.h"

struct DialogFit {
  RegionRect dialog;   // the dialog's new window rectangle
  RegionSize control;  // the control's new size; it keeps its place
};

// Width follows the visible width both ways; height only grows.
DialogFit FitDialogToPicture(const RegionRect& dialog, RegionSize control, RegionSize visible);

// Keeps the dialog where it is when it fits on the screen, else centres it.
RegionRect PlaceOnScreen(const RegionRect& dialog, RegionSize screen);
