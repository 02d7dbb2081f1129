#include "editors/RegionPaintList.h"

#include "editors/RegionGeometry.h"

namespace {

RegionStroke PolygonStroke(RegionPen pen, const RegionPolygon& polygon, bool closed = true) {
  return {pen, &polygon, closed, {}};
}

RegionStroke RectangleStroke(RegionPen pen, const RegionRect& rect) { return {pen, nullptr, true, rect}; }

// The first polygon with the id, else the first rectangle; nothing when neither.
void AddRegionOf(std::vector<RegionStroke>& strokes, const RegionSet& regions, const std::string& id, RegionPen pen) {
  if (const int polygon = FindPolygonIndex(regions, id); polygon >= 0)
    strokes.push_back(PolygonStroke(pen, regions.polygons[polygon]));
  else if (const int rect = FindRectangleIndex(regions, id); rect >= 0)
    strokes.push_back(RectangleStroke(pen, regions.rectangles[rect]));
}

void AddEditStrokes(std::vector<RegionStroke>& strokes, const ImageRegionCtrlState& state) {
  const RegionSet& regions = state.Regions();
  for (const RegionPolygon& polygon : regions.polygons) strokes.push_back(PolygonStroke(RegionPen::Region, polygon));
  if (!state.CurrentPolygon().empty())
    strokes.push_back(PolygonStroke(RegionPen::Drawing, state.CurrentPolygon(), false));
  for (const RegionRect& rect : regions.rectangles) strokes.push_back(RectangleStroke(RegionPen::Region, rect));
  if (!RectIsEmpty(state.CurrentRectangle()))
    strokes.push_back(RectangleStroke(RegionPen::Drawing, state.CurrentRectangle()));
  if (!state.HighlightedId().empty()) AddRegionOf(strokes, regions, state.HighlightedId(), RegionPen::Highlight);
}

}  // namespace

std::vector<RegionStroke> BuildPaintList(const ImageRegionCtrlState& state) {
  std::vector<RegionStroke> strokes;
  if (state.Usage() == USAGE_EDIT) {
    AddEditStrokes(strokes, state);
  } else {
    for (const std::string& id : state.SelectedIds()) AddRegionOf(strokes, state.Regions(), id, RegionPen::Region);
  }
  return strokes;
}
