#include "platform/qt/WindowPlacement.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace platform::qt {
namespace {

int TitleHeight(const QWidget* widget) {
  QStyle* style = widget ? widget->style() : nullptr;
  return style ? std::max(1, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, widget)) : 1;
}

QRect ScreenRoom(const QWidget* owner) {
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

QRect VisibleRoomFor(const QWidget* owner) {
  // Before it is first shown an area has not laid out its viewport yet.
  if (const auto* area = qobject_cast<const QMdiArea*>(owner))
    return QRect(QPoint(0, 0), area->isVisible() ? area->viewport()->size() : area->contentsRect().size());
  const QRect screen = ScreenRoom(owner);
  const QWidget* main = owner ? owner->window() : nullptr;
  QRect room = main && main->isVisible() ? main->geometry().intersected(screen) : screen;
  if (room.isEmpty()) room = screen;
  // A top-level window is placed by its inner rectangle; its title sits above.
  return room.adjusted(0, TitleHeight(owner), 0, 0);
}

QRect CascadeRect(const QRect& room, QSize wanted, int earlier, int step) {
  const QSize size = wanted.boundedTo(room.size()).expandedTo(QSize(1, 1));
  step = std::max(1, step);
  const int places = 1 + std::max(0, std::min(room.width() - size.width(), room.height() - size.height())) / step;
  const int offset = (std::max(0, earlier) % places) * step;
  return {room.topLeft() + QPoint(offset, offset), size};
}

QRect CentredRect(const QRect& room, QSize wanted) {
  const QSize size = wanted.boundedTo(room.size()).expandedTo(QSize(1, 1));
  return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, room);
}

QRect KeptInside(const QRect& window, const QRect& room) {
  const QSize size = window.size().boundedTo(room.size()).expandedTo(QSize(1, 1));
  const int x = std::clamp(window.x(), room.left(), std::max(room.left(), room.left() + room.width() - size.width()));
  const int y = std::clamp(window.y(), room.top(), std::max(room.top(), room.top() + room.height() - size.height()));
  return {QPoint(x, y), size};
}

void PlaceInCascade(QWidget& window, const QRect& room, QSize wanted, int earlier) {
  window.setGeometry(CascadeRect(room, wanted, earlier, TitleHeight(&window)));
}

void PlaceCentred(QWidget& window, const QRect& room, QSize wanted) { window.setGeometry(CentredRect(room, wanted)); }

}  // namespace platform::qt
