#include "platform/qt/CaptionFit.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QVariant>
#include <QWidget>

namespace platform::qt {
namespace {

// Room for the window icon and the three frame buttons, in title-bar heights.
constexpr int kFrameButtonRoom = 5;

// Widens its window when the caption is shown or changed.
class CaptionWatcher : public QObject {
 public:
  explicit CaptionWatcher(QWidget& window) : QObject(&window), m_window(window) {}

  void Fit() {
    const int needed = CaptionWidth(m_window.windowTitle());
    if (m_window.minimumWidth() < needed) m_window.setMinimumWidth(needed);
    if (m_window.width() < needed) m_window.resize(needed, m_window.height());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &m_window && (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::Show)) Fit();
    return false;
  }

 private:
  QWidget& m_window;
};

}  // namespace

int CaptionWidth(const QString& caption) {
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  const QFontMetrics metrics(font);
  const int titleBar = metrics.height() + 8;
  return metrics.horizontalAdvance(caption) + kFrameButtonRoom * titleBar;
}

void KeepCaptionVisible(QWidget& window) {
  constexpr const char* kWatched = "qorCaptionWatched";
  if (window.property(kWatched).toBool()) return;
  window.setProperty(kWatched, true);
  auto* watcher = new CaptionWatcher(window);
  window.installEventFilter(watcher);
  watcher->Fit();
}

}  // namespace platform::qt
