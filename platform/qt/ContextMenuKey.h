// The keys that open a context menu: the Menu key, and Shift+F10 as desktop
// programs take it, which Qt does not turn into a context-menu event itself.
#pragma once

#include <QKeyEvent>

namespace platform::qt {

inline bool IsContextMenuKey(const QKeyEvent& event) {
  return event.key() == Qt::Key_Menu ||
         (event.key() == Qt::Key_F10 && (event.modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier);
}

inline bool IsEnterKey(const QKeyEvent& event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

}  // namespace platform::qt
