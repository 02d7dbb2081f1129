// What the region control knows and does, without a window: the regions of
// the picture, the shape being drawn by press/move/release, the hovered
// region with its tooltip ticks, the selected ids of select mode and the
// scroll position. The Qt control feeds it mouse positions in client
// coordinates and paints from it (see RegionPaintList.h).
#pragma once

#include <optional>
#include <set>
#include <string>

#include "database/ImageRegion.h"
#include "editors/RegionScroll.h"

enum RegionShapeKind { SHAPE_POLYGON = 1, SHAPE_RECTANGLE = 2 };
enum RegionUsage { USAGE_EDIT = 1, USAGE_SELECT = 2 };
enum class ScrollAxis { Horizontal, Vertical };

// The line or outline from the drag start to the pointer while drawing.
struct RubberBand {
  bool rectangle = false;
  RegionPoint from;
  RegionPoint to;
};

class ImageRegionCtrlState {
 public:
  // ---- the regions -----------------------------------------------------
  RegionSet& Regions() { return m_regions; }
  const RegionSet& Regions() const { return m_regions; }
  void ClearRegions() { m_regions = {}; }
  // Stores the shape drawn under the id: a non-empty rectangle in rectangle
  // mode, a polygon of three points or more in polygon mode. False (the
  // shape stays) when there is none.
  bool AddCurrentRegion(const std::string& id);
  // Removes the first polygon with the id, else the first rectangle; false when none.
  bool DeleteRegion(const std::string& id);
  int FindPolygon(const std::string& id) const;
  int FindRectangle(const std::string& id) const;

  // ---- modes and the shape being drawn --------------------------------------
  void SetUsage(RegionUsage usage);
  RegionUsage Usage() const { return m_usage; }
  void SetShapeKind(RegionShapeKind kind) { m_shapeKind = kind; }
  RegionShapeKind ShapeKind() const { return m_shapeKind; }
  void ClearCurrent();
  const RegionPolygon& CurrentPolygon() const { return m_currentPolygon; }
  const RegionRect& CurrentRectangle() const { return m_currentRect; }

  // ---- the mouse (client coordinates) -----------------------------------------
  // Each release is a click the owning dialog hears of (its picture click).
  void Press(RegionPoint client);
  // True when the hovered id changed: the tooltip takes the new text.
  bool Move(RegionPoint client);
  void Release(RegionPoint client);
  bool Dragging() const { return m_dragging; }
  std::optional<RubberBand> CurrentRubberBand() const;
  RegionPoint ToPicture(RegionPoint client) const;

  // ---- hover and tooltip --------------------------------------------------------
  const std::string& GetHoveredId() const { return m_hoveredId; }
  // True the first time only: the control then starts its 100 ms timer.
  bool StartHoverTips();
  // One timer tick; returns whether the tooltip shows (ticks 2 to 50 over a region).
  bool HoverTick();
  int HoverTicks() const { return m_hoverTicks; }
  static RegionPoint TooltipAnchor(RegionPoint client) { return {client.x + 16, client.y + 16}; }

  // ---- highlight (edit mode) and selection (select mode) -------------------------------
  void SetHighlightedRegion(const std::string& id) { m_highlightedId = id; }
  const std::string& HighlightedId() const { return m_highlightedId; }
  void SetRegionSelected(const std::string& id, bool selected);
  void ClearSelection() { m_selectedIds.clear(); }
  const std::set<std::string>& SelectedIds() const { return m_selectedIds; }

  // ---- picture and scrolling ---------------------------------------------------------
  void SetPictureSize(RegionSize size) { m_pictureSize = size; }
  RegionSize PictureSize() const { return m_pictureSize; }
  // Plans the bars for the picture against the visible maximum, scrolls to
  // the top left and returns the visible size.
  RegionSize SetupScrollBars(RegionSize maxVisible);
  const ScrollBarSetup& Bar(ScrollAxis axis) const;
  // Moves the bar by the request; returns how far the contents shift (old - new).
  int Scroll(ScrollAxis axis, ScrollRequest request, int clientExtent, int thumb = 0);
  RegionPoint ScrollOrigin() const { return m_scrollOrigin; }

 private:
  void FinishShape();
  void UpdateHover(RegionPoint picture);

  RegionSet m_regions;
  RegionSize m_pictureSize;
  RegionShapeKind m_shapeKind = SHAPE_POLYGON;
  std::set<std::string> m_selectedIds;
  bool m_tipsPending = true;
  RegionPolygon m_currentPolygon;
  RegionRect m_currentRect;
  RegionUsage m_usage = USAGE_EDIT;
  RegionPoint m_dragStart;
  RegionPoint m_dragEnd;
  bool m_dragging = false;
  std::string m_highlightedId;
  std::string m_hoveredId;
  int m_hoverTicks = 0;
  RegionPoint m_scrollOrigin;
  ScrollBarSetup m_horizontal;
  ScrollBarSetup m_vertical;
};
