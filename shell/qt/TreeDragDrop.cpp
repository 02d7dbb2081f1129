#include "shell/qt/TreeDragDrop.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/TreeModel.h"

namespace {

// The entries of the question asked when a menu is dropped on a menu of menus.
constexpr const char* kInsertAsSubmenu = "insert as submenu";
constexpr const char* kPlaceAfter = "place after";

}  // namespace

CTreeDragDrop::CTreeDragDrop(CLeftView& view)
    : QObject(&view), m_view(view), m_rules(view.Tree(), [this] { return AskMenuDrop(); }) {
  m_timer.setInterval(kTickMs);
  connect(&m_timer, &QTimer::timeout, this, &CTreeDragDrop::Tick);
  m_viewport = view.viewport();
  m_viewport->installEventFilter(this);
}

bool CTreeDragDrop::eventFilter(QObject* watched, QEvent* event) {
  // Compared by address alone: the viewport still sends events while the
  // view is being destroyed.
  if (watched != m_viewport) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      Press(static_cast<QMouseEvent&>(*event));
      return false;
    case QEvent::MouseMove:
      return Move(static_cast<QMouseEvent*>(event)->position().toPoint());
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Release(static_cast<QMouseEvent*>(event)->position().toPoint());
      return false;
    default:
      return false;
  }
}

void CTreeDragDrop::Press(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) return;
  m_pressed = CTreeModel::NodeOf(m_view.indexAt(event.position().toPoint()));
  m_pressAt = event.position().toPoint();
}

// True while the drag owns the moves, so the view does not select along.
bool CTreeDragDrop::Move(const QPoint& point) {
  if (!m_dragging) {
    if (m_pressed == kNoNode || (point - m_pressAt).manhattanLength() < QApplication::startDragDistance()) return false;
    // A press on a node's icon opened its popup and blocks the drag.
    if (m_view.DragBlocked() || !m_rules.CanDrag(m_pressed)) {
      m_pressed = kNoNode;
      return false;
    }
    m_dragged = m_pressed;
    m_dragging = true;
  }
  Track(point);
  return true;
}

void CTreeDragDrop::Track(const QPoint& point) {
  m_timer.stop();
  m_point = point;
  const QModelIndex index = m_view.indexAt(point);
  m_target = CTreeModel::NodeOf(index);
  // The target shows as selected; the current node, and so the page, stays.
  if (index.isValid())
    m_view.selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
  else
    m_view.selectionModel()->clearSelection();
  m_view.viewport()->setCursor(index.isValid() ? Qt::ArrowCursor : Qt::ForbiddenCursor);
  const int height = m_view.viewport()->height();
  const bool inZone = point.y() < kStartZone || point.y() >= height - kStartZone + 1;
  const bool closedWithChildren = index.isValid() && m_view.model()->hasChildren(index) && !m_view.isExpanded(index);
  if (inZone || closedWithChildren) m_timer.start();
}

void CTreeDragDrop::Tick() {
  if (!m_dragging) {
    m_timer.stop();
    return;
  }
  if (ScrollOneLine(m_point)) return;
  ExpandUnderPoint(m_point);
}

// True when the view scrolled; the target follows the rows under the pointer.
bool CTreeDragDrop::ScrollOneLine(const QPoint& point) {
  const int height = m_view.viewport()->height();
  const bool up = point.y() >= 0 && point.y() <= kScrollZone;
  const bool down = point.y() >= height - kScrollZone && point.y() <= height;
  if (!up && !down) return false;
  QScrollBar* bar = m_view.verticalScrollBar();
  const int before = bar->value();
  bar->triggerAction(up ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
  if (bar->value() == before) {
    m_timer.stop();
    return false;
  }
  Track(point);
  m_timer.start();
  return true;
}

void CTreeDragDrop::ExpandUnderPoint(const QPoint& point) {
  const QModelIndex index = m_view.indexAt(point);
  if (index.isValid() && m_view.model()->hasChildren(index) && !m_view.isExpanded(index)) m_view.expand(index);
  m_timer.stop();
}

void CTreeDragDrop::EndDrag() {
  m_timer.stop();
  m_dragging = false;
  m_pressed = kNoNode;
  m_view.viewport()->unsetCursor();
  // The selection goes back to the current node until the drop chooses another.
  m_view.selectionModel()->select(m_view.currentIndex(), QItemSelectionModel::ClearAndSelect);
}

void CTreeDragDrop::Release(const QPoint& point) {
  if (!m_dragging) {
    m_pressed = kNoNode;
    return;
  }
  m_point = point;
  const HTREEITEM target = CTreeModel::NodeOf(m_view.indexAt(point)), dragged = m_dragged;
  EndDrag();
  m_dragged = m_target = kNoNode;
  if (target == kNoNode) return;
  // The view ends its own press first (it selects the row under the
  // pointer); the drop then selects the moved node.
  QMetaObject::invokeMethod(
      this, [this, target, dragged] { DropAndSelect(target, dragged); }, Qt::QueuedConnection);
}

void CTreeDragDrop::DropAndSelect(HTREEITEM target, HTREEITEM dragged) {
  HTREEITEM moved = kNoNode;
  RunCommand([&] { moved = m_rules.Drop(target, dragged); });
  if (moved == kNoNode) {
    m_view.selectionModel()->select(m_view.currentIndex(), QItemSelectionModel::ClearAndSelect);
    return;
  }
  m_view.SelectNode(moved);
  const QModelIndex index = m_view.Model().IndexOf(moved);
  for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) m_view.expand(p);
  m_view.scrollTo(index);
}

MenuDropChoice CTreeDragDrop::AskMenuDrop() {
  QMenu menu(&m_view);
  menu.setObjectName("menuDropQuestion");
  QAction* submenu = menu.addAction(kInsertAsSubmenu);
  QAction* after = menu.addAction(kPlaceAfter);
  QAction* chosen = m_view.RunPopup(menu, m_view.viewport()->mapToGlobal(m_point));
  if (chosen == submenu) return MenuDropChoice::Submenu;
  if (chosen == after) return MenuDropChoice::PlaceAfter;
  return MenuDropChoice::Dismissed;
}
