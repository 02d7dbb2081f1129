// The picture of a menu with its regions: the author draws shapes on it in
// the region editor, the user clicks regions in the region-selection
// dialog. The rules live in ImageRegionCtrlState; this widget feeds it the
// mouse, paints what it says and shows the hover tooltip.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <string>

#include "editors/ImageRegionCtrlState.h"

class CImageRegionCtrl : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // The state belongs to the dialog's model and outlives the control.
  CImageRegionCtrl(ImageRegionCtrlState& state, QWidget* parent = nullptr);

  ImageRegionCtrlState& State() { return m_state; }
  const ImageRegionCtrlState& State() const { return m_state; }

  // Reads the picture; false when it cannot be read (the control then shows
  // no picture and scrolls nothing). The regions are left to the caller.
  bool LoadPicture(const std::string& path);
  bool HasPicture() const { return !m_picture.isNull(); }
  // Plans the bars for the picture against three quarters of the screen;
  // returns the size the picture is shown at.
  RegionSize SetupScrollBars();
  // The control's size when it shows the visible size with its bars.
  QSize SizeFor(RegionSize visible) const;
  // Starts the 100 ms hover timer, once.
  void StartHoverTips();
  void SetHighlightedRegion(const std::string& id);
  void SetRegionSelected(const std::string& id, bool selected) { m_state.SetRegionSelected(id, selected); }
  void ClearCurrent();
  bool AddCurrentRegion(const std::string& id);
  void DeleteRegion(const std::string& id);

 signals:
  // Every release of the left button: the owning dialog's picture click.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  static RegionPoint ToClient(const QPoint& point) { return {point.x(), point.y()}; }
  void OnHoverTick();
  void UpdateBarRanges();

  ImageRegionCtrlState& m_state;
  QImage m_picture;
  QTimer m_hoverTimer;
  QPoint m_lastMouse;
};
