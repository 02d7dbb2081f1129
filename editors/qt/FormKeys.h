// The keys that move the focus through an item editor's form.
#pragma once

#include <QKeyEvent>
#include <optional>

#include "editors/FormFocus.h"

inline std::optional<FocusKey> FormFocusKey(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return std::nullopt;
  switch (event.key()) {
    case Qt::Key_Up:
      return FocusKey::Up;
    case Qt::Key_Down:
      return FocusKey::Down;
    case Qt::Key_PageUp:
      return FocusKey::PageUp;
    case Qt::Key_PageDown:
      return FocusKey::PageDown;
    case Qt::Key_Home:
      return FocusKey::Home;
    case Qt::Key_End:
      return FocusKey::End;
    default:
      return std::nullopt;
  }
}
