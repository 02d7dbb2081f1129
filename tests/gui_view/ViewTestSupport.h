// Helpers for the web view tests: waiting on the real browser with a
// timeout, running page scripts, and a link action that records its calls.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>
#include <QPoint>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <functional>
#include <string>
#include <vector>

#include "reports/Action.h"

namespace viewtest {

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 15000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// In the page's own world by default; a world of its own reads the
// document of a page that runs no script of its own too.
inline QVariant RunJs(QWebEnginePage& page, const QString& script, int timeoutMs = 10000,
                      quint32 world = QWebEngineScript::MainWorld) {
  QVariant result;
  bool finished = false;
  page.runJavaScript(script, world, [&](const QVariant& value) {
    result = value;
    finished = true;
  });
  WaitUntil([&] { return finished; }, timeoutMs);
  return result;
}

// The document as it shows, whether the page runs scripts or not.
inline QVariant ReadDom(QWebEnginePage& page, const QString& script) {
  return RunJs(page, script, 10000, QWebEngineScript::ApplicationWorld);
}

// Loads through fn and waits for the page's load to finish. The deadline is
// long: a process's first page also starts the browser, which took more
// than 15 s under the sanitizers on a busy machine.
inline bool WaitForLoad(QWebEnginePage& page, const std::function<void()>& load, int timeoutMs = 60000) {
  int finished = 0;
  QMetaObject::Connection connection = QObject::connect(&page, &QWebEnginePage::loadFinished, [&] { ++finished; });
  load();
  const bool loaded = WaitUntil([&] { return finished > 0; }, timeoutMs);
  QObject::disconnect(connection);
  return loaded;
}

// Where the element (a script expression) shows, in the view's coordinates,
// scrolled into sight first; an image-map region is found on its picture.
inline QPoint ElementCentre(QWebEnginePage& page, const QString& element) {
  const QVariantList point =
      ReadDom(page,
              QStringLiteral("(function (e) {"
                             "  if (!e) return [-1, -1];"
                             "  if (e.tagName === 'AREA') {"
                             "    var img = document.querySelector(\"img[usemap='#\" + e.parentNode.name + \"']\");"
                             "    img.scrollIntoView();"
                             "    var b = img.getBoundingClientRect(), c = e.coords.split(',').map(Number);"
                             "    return [b.left + (c[0] + c[2]) / 2, b.top + (c[1] + c[3]) / 2];"
                             "  }"
                             "  e.scrollIntoView();"
                             "  var r = e.getBoundingClientRect();"
                             "  return [r.left + r.width / 2, r.top + r.height / 2];"
                             "})(%1)")
                  .arg(element))
          .toList();
  if (point.size() != 2) return {-1, -1};
  return {qRound(point[0].toDouble()), qRound(point[1].toDouble())};
}

// A real mouse click where the element shows: the browser reports it to the
// page as the user's own, unlike a script's click().
inline bool MouseClick(QWebEngineView& view, const QString& element, Qt::KeyboardModifiers modifiers = {}) {
  if (!view.window()->isVisible()) {
    view.window()->resize(800, 600);
    view.window()->show();
    if (!QTest::qWaitForWindowExposed(view.window())) return false;
  }
  const QPoint at = ElementCentre(*view.page(), element);
  // The page's scrolling and layout reach the browser's hit testing a frame
  // later; a click before that lands where the element was.
  QTest::qWait(100);
  QWidget* target = view.focusProxy() ? view.focusProxy() : &view;
  if (at.x() < 0 || !target->rect().contains(at)) return false;
  QTest::mouseClick(target, Qt::LeftButton, modifiers, at);
  return true;
}

inline QString ById(const char* id) {
  return QStringLiteral("document.getElementById('%1')").arg(QString::fromUtf8(id));
}

struct Call {
  std::string address;
  bool shift;
};

// Records every navigation it is handed; `handled` is its answer.
class RecordingAction : public ReportAction {
 public:
  RecordingAction(std::vector<Call>& calls, bool handled = true) : m_calls(calls), m_handled(handled) {}
  bool Execute() override {
    m_calls.push_back({m_address, m_shift});
    return m_handled;
  }

 private:
  std::vector<Call>& m_calls;
  bool m_handled;
};

}  // namespace viewtest
