#include "editors/ImageRegionCtrlState.h"

#include "editors/RegionGeometry.h"

namespace {
template <typename Shape>
void EraseAt(std::vector<Shape>& shapes, std::vector<std::string>& ids, int index) {
  shapes.erase(shapes.begin() + index);
  ids.erase(ids.begin() + index);
}
}  // namespace

bool ImageRegionCtrlState::AddCurrentRegion(const std::string& id) {
  if (m_shapeKind == SHAPE_RECTANGLE) {
    if (RectIsEmpty(m_currentRect)) return false;
    m_regions.rectangles.push_back(m_currentRect);
    m_regions.rectangleIds.push_back(id);
    m_currentRect = {};
    return true;
  }
  if (m_currentPolygon.size() < 3) return false;
  m_regions.polygons.push_back(std::move(m_currentPolygon));
  m_regions.polygonIds.push_back(id);
  m_currentPolygon.clear();
  return true;
}

bool ImageRegionCtrlState::DeleteRegion(const std::string& id) {
  if (const int polygon = FindPolygon(id); polygon >= 0) {
    EraseAt(m_regions.polygons, m_regions.polygonIds, polygon);
    return true;
  }
  if (const int rectangle = FindRectangle(id); rectangle >= 0) {
    EraseAt(m_regions.rectangles, m_regions.rectangleIds, rectangle);
    return true;
  }
  return false;
}

int ImageRegionCtrlState::FindPolygon(const std::string& id) const { return FindPolygonIndex(m_regions, id); }
int ImageRegionCtrlState::FindRectangle(const std::string& id) const { return FindRectangleIndex(m_regions, id); }

void ImageRegionCtrlState::SetUsage(RegionUsage usage) {
  m_usage = usage;
  ClearCurrent();
}

void ImageRegionCtrlState::ClearCurrent() {
  m_currentPolygon.clear();
  m_currentRect = {};
}

RegionPoint ImageRegionCtrlState::ToPicture(RegionPoint client) const {
  return {client.x + m_scrollOrigin.x, client.y + m_scrollOrigin.y};
}

void ImageRegionCtrlState::Press(RegionPoint client) {
  if (m_dragging) return;
  m_dragging = true;
  m_dragStart = m_dragEnd = ToPicture(client);
  // A polygon grows from its last vertex, wherever the press lands.
  if (m_usage == USAGE_EDIT && m_shapeKind == SHAPE_POLYGON && !m_currentPolygon.empty())
    m_dragStart = m_currentPolygon.back();
}

bool ImageRegionCtrlState::Move(RegionPoint client) {
  const RegionPoint picture = ToPicture(client);
  if (m_dragging) {
    m_dragEnd = picture;
    return false;
  }
  const std::string before = m_hoveredId;
  UpdateHover(picture);
  return before != m_hoveredId;
}

void ImageRegionCtrlState::Release(RegionPoint client) {
  if (!m_dragging) return;
  m_dragEnd = ToPicture(client);
  m_dragging = false;
  if (m_usage == USAGE_EDIT) FinishShape();
}

void ImageRegionCtrlState::FinishShape() {
  if (m_shapeKind == SHAPE_POLYGON) {
    if (m_currentPolygon.empty()) m_currentPolygon.push_back(m_dragStart);
    if (m_dragEnd != m_dragStart) m_currentPolygon.push_back(m_dragEnd);
  } else if (m_dragEnd != m_dragStart) {
    m_currentRect = RectFromCorners(m_dragStart, m_dragEnd);
  }
}

std::optional<RubberBand> ImageRegionCtrlState::CurrentRubberBand() const {
  if (!m_dragging || m_usage != USAGE_EDIT) return std::nullopt;
  return RubberBand{m_shapeKind == SHAPE_RECTANGLE, m_dragStart, m_dragEnd};
}

void ImageRegionCtrlState::UpdateHover(RegionPoint picture) {
  const std::string* id = FindRegionAt(m_regions, picture);
  const std::string hovered = id ? *id : std::string();
  if (hovered == m_hoveredId) return;
  m_hoveredId = hovered;
  m_hoverTicks = 0;
}

bool ImageRegionCtrlState::StartHoverTips() {
  if (!m_tipsPending) return false;
  m_tipsPending = false;
  return true;
}

bool ImageRegionCtrlState::HoverTick() {
  if (m_hoveredId.empty()) {
    m_hoverTicks = 0;
    return false;
  }
  ++m_hoverTicks;
  return m_hoverTicks >= 2 && m_hoverTicks <= 50;
}

void ImageRegionCtrlState::SetRegionSelected(const std::string& id, bool selected) {
  if (selected)
    m_selectedIds.insert(id);
  else
    m_selectedIds.erase(id);
}

RegionSize ImageRegionCtrlState::SetupScrollBars(RegionSize maxVisible) {
  const ScrollSetup setup = PlanScrollBars(m_pictureSize, maxVisible);
  m_horizontal = setup.horizontal;
  m_vertical = setup.vertical;
  m_scrollOrigin = {};
  return setup.visible;
}

const ScrollBarSetup& ImageRegionCtrlState::Bar(ScrollAxis axis) const {
  return axis == ScrollAxis::Horizontal ? m_horizontal : m_vertical;
}

int ImageRegionCtrlState::Scroll(ScrollAxis axis, ScrollRequest request, int clientExtent, int thumb) {
  if (!Bar(axis).needed) return 0;
  int& origin = axis == ScrollAxis::Horizontal ? m_scrollOrigin.x : m_scrollOrigin.y;
  const int old = origin;
  origin = NextScrollPosition(request, old, clientExtent, ScrollLimit(Bar(axis)), thumb);
  return old - origin;
}
