// Hit tests and shape arithmetic on the regions of a picture. Polygons of
// any length are tested whole; nothing is copied into fixed buffers.
#pragma once

#include <string>

#include "database/ImageRegion.h"

// Odd-even rule: a point is inside when a ray from it crosses the outline an
// odd number of times. Fewer than three points enclose nothing.
bool PolygonContains(const RegionPolygon& polygon, RegionPoint point);

// Left and top inclusive, right and bottom exclusive.
bool RectContains(const RegionRect& rect, RegionPoint point);

// Empty: no positive width or no positive height.
bool RectIsEmpty(const RegionRect& rect);

// The rectangle spanned by two corners, smaller coordinates left and top.
RegionRect RectFromCorners(RegionPoint a, RegionPoint b);

// The id of the region under the point: a polygon wins over a rectangle;
// within a kind the first in list order. Null when no region holds the point.
const std::string* FindRegionAt(const RegionSet& regions, RegionPoint point);

// Index of the first polygon (rectangle) whose id equals the text exactly, or -1.
int FindPolygonIndex(const RegionSet& regions, const std::string& id);
int FindRectangleIndex(const RegionSet& regions, const std::string& id);
