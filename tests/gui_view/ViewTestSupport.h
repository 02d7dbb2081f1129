// Helpers for the web view tests: waiting on the real browser with a
// timeout, running page scripts, and a link action that records its calls.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
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

inline QVariant RunJs(QWebEnginePage& page, const QString& script, int timeoutMs = 10000) {
  QVariant result;
  bool finished = false;
  page.runJavaScript(script, [&](const QVariant& value) {
    result = value;
    finished = true;
  });
  WaitUntil([&] { return finished; }, timeoutMs);
  return result;
}

// Loads through fn and waits for the page's load to finish.
inline bool WaitForLoad(QWebEnginePage& page, const std::function<void()>& load) {
  int finished = 0;
  QMetaObject::Connection connection = QObject::connect(&page, &QWebEnginePage::loadFinished, [&] { ++finished; });
  load();
  const bool loaded = WaitUntil([&] { return finished > 0; });
  QObject::disconnect(connection);
  return loaded;
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
