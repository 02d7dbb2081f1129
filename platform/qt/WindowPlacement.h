// Where a new window goes: wholly inside the part of the main window the
// user can see, never partly beyond its edge where it cannot be reached.
// Windows opened one after another cascade, one title bar further right
// and down each; a window that stands for itself (a dialog) is centred.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace platform::qt {

// The room a new window opened over `owner` may take, in the coordinates
// the window is placed in: the viewport of an MDI area (for its
// sub-windows), else the owner's main window cut to its screen, below a
// title bar's height for the new window's own frame (the whole screen
// without an owner).
QRect VisibleRoomFor(const QWidget* owner);

// The wanted size cut to the room, placed as the `earlier`-th window of a
// cascade from the room's top-left corner; the cascade starts again at the
// corner where the next window would leave the room.
QRect CascadeRect(const QRect& room, QSize wanted, int earlier, int step);
// The wanted size cut to the room, centred in it.
QRect CentredRect(const QRect& room, QSize wanted);

// A window moved and, where it must, shrunk so that it lies wholly inside
// the room: kept in reach when the room shrinks under it.
QRect KeptInside(const QRect& window, const QRect& room);

// The same, applied to a new window before it is shown; the step of the
// cascade is the height of a window title in the window's style.
void PlaceInCascade(QWidget& window, const QRect& room, QSize wanted, int earlier);
void PlaceCentred(QWidget& window, const QRect& room, QSize wanted);

}  // namespace platform::qt
