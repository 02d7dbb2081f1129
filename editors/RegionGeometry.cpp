#include "editors/RegionGeometry.h"

#include <algorithm>

bool PolygonContains(const RegionPolygon& polygon, RegionPoint point) {
  if (polygon.size() < 3) return false;
  // Doubles keep the products of 32-bit differences free of overflow.
  const double px = point.x, py = point.y;
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const double xi = polygon[i].x, yi = polygon[i].y;
    const double xj = polygon[j].x, yj = polygon[j].y;
    if ((yi > py) == (yj > py)) continue;
    const double crossing = xi + (xj - xi) * (py - yi) / (yj - yi);
    if (px < crossing) inside = !inside;
  }
  return inside;
}

bool RectContains(const RegionRect& rect, RegionPoint point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool RectIsEmpty(const RegionRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RegionRect RectFromCorners(RegionPoint a, RegionPoint b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

const std::string* FindRegionAt(const RegionSet& regions, RegionPoint point) {
  for (std::size_t k = 0; k < regions.polygons.size() && k < regions.polygonIds.size(); ++k)
    if (PolygonContains(regions.polygons[k], point)) return &regions.polygonIds[k];
  for (std::size_t k = 0; k < regions.rectangles.size() && k < regions.rectangleIds.size(); ++k)
    if (RectContains(regions.rectangles[k], point)) return &regions.rectangleIds[k];
  return nullptr;
}

namespace {
// An id without its shape (lists of unequal length) counts as not found.
int FindId(const std::vector<std::string>& ids, std::size_t shapeCount, const std::string& id) {
  const auto found = std::find(ids.begin(), ids.end(), id);
  const auto index = static_cast<std::size_t>(found - ids.begin());
  return found == ids.end() || index >= shapeCount ? -1 : static_cast<int>(index);
}
}  // namespace

int FindPolygonIndex(const RegionSet& regions, const std::string& id) {
  return FindId(regions.polygonIds, regions.polygons.size(), id);
}

int FindRectangleIndex(const RegionSet& regions, const std::string& id) {
  return FindId(regions.rectangleIds, regions.rectangles.size(), id);
}
