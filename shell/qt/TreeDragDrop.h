// Dragging nodes of the tree with the mouse: the drag follows the pointer
// over the view, scrolls near the top and bottom edges and opens a closed
// menu the pointer rests on; the drop hands the two nodes to the tree's
// drop rules. The view itself never moves a row.
//
// The drag runs on the view's own mouse events rather than a platform drag:
// only the tree is a place to drop on, and the same press, moves and
// release drive it from a test as from a hand.
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

#include "shell/TreeDropRules.h"

class CLeftView;
class QMouseEvent;

class CTreeDragDrop : public QObject {
  Q_OBJECT
 public:
  // The scroll zones at the top and bottom of the view, in pixels: a
  // pointer in the outer ones starts the timer, in the inner ones it scrolls.
  static constexpr int kStartZone = 63;
  static constexpr int kScrollZone = 60;
  static constexpr int kTickMs = 300;

  // Watches the view's viewport; the view owns this object.
  explicit CTreeDragDrop(CLeftView& view);

  bool Dragging() const { return m_dragging; }
  HTREEITEM DropTarget() const { return m_target; }
  // One tick of the scroll-and-expand timer, as it comes every 300 ms.
  void Tick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Press(const QMouseEvent& event);
  bool Move(const QPoint& point);
  void Release(const QPoint& point);
  void DropAndSelect(HTREEITEM target, HTREEITEM dragged);
  void Track(const QPoint& point);
  bool ScrollOneLine(const QPoint& point);
  void ExpandUnderPoint(const QPoint& point);
  void EndDrag();
  MenuDropChoice AskMenuDrop();

  CLeftView& m_view;
  QObject* m_viewport = nullptr;
  CTreeDropRules m_rules;
  QTimer m_timer;
  HTREEITEM m_pressed = kNoNode;
  HTREEITEM m_dragged = kNoNode;
  HTREEITEM m_target = kNoNode;
  QPoint m_pressAt;
  QPoint m_point;  // the pointer's last place while dragging
  bool m_dragging = false;
};
