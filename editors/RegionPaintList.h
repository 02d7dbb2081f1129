// What the region control paints over its picture, in painting order, with
// which pen. Edit mode shows every region and the shape being drawn; select
// mode only the regions whose ids are selected.
#pragma once

#include <vector>

#include "editors/ImageRegionCtrlState.h"

enum class RegionPen {
  Drawing,   // red, 1 pixel: the shape being drawn
  Region,    // blue, 1 pixel: stored or selected regions
  Highlight  // blue, 3 pixels: the highlighted region
};

struct RegionStroke {
  RegionPen pen = RegionPen::Region;
  const RegionPolygon* polygon = nullptr;  // null: the rectangle below
  bool closed = true;                      // false: an open line (the polygon being drawn)
  RegionRect rectangle;
};

// Pointers into the state; valid until the state changes.
std::vector<RegionStroke> BuildPaintList(const ImageRegionCtrlState& state);
