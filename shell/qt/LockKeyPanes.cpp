#include "shell/qt/LockKeyPanes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

struct LockKey {
  Qt::Key key;
  const char* text;
  const char* name;
};

constexpr std::array<LockKey, 3> kLockKeys = {{{Qt::Key_CapsLock, "CAP", "capsLockPane"},
                                               {Qt::Key_NumLock, "NUM", "numLockPane"},
                                               {Qt::Key_ScrollLock, "SCRL", "scrollLockPane"}}};

}  // namespace

CLockKeyPanes::CLockKeyPanes(QStatusBar& bar) : QObject(&bar) {
  for (std::size_t i = 0; i < kLockKeys.size(); ++i) {
    m_panes[i] = new QLabel(kLockKeys[i].text, &bar);
    m_panes[i]->setObjectName(kLockKeys[i].name);
    m_panes[i]->setEnabled(false);
    bar.addPermanentWidget(m_panes[i]);
  }
  qApp->installEventFilter(this);
}

bool CLockKeyPanes::eventFilter(QObject* watched, QEvent* event) {
  // Every event of the program passes here, some from objects still being
  // built (a child-added event from inside a constructor): look at nothing
  // but the event until it is a key press.
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  // A key passes the filter once per widget on its way up: take it where it
  // starts, at the focus widget (or the window when nothing has the focus).
  QWidget* focus = QApplication::focusWidget();
  const bool first = watched->isWidgetType() && (focus ? watched == focus : static_cast<QWidget*>(watched)->isWindow());
  if (first) {
    const auto* key = static_cast<QKeyEvent*>(event);
    for (std::size_t i = 0; i < kLockKeys.size(); ++i)
      if (key->key() == kLockKeys[i].key && !key->isAutoRepeat()) m_panes[i]->setEnabled(!m_panes[i]->isEnabled());
  }
  return QObject::eventFilter(watched, event);
}
