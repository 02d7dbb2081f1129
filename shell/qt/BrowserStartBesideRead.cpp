#include "shell/qt/BrowserStartBesideRead.h"

#include "reports/qt/PreparedBrowser.h"

BrowserStartBesideRead::BrowserStartBesideRead(QWidget* keeper) : m_keeper(keeper) {}

void BrowserStartBesideRead::WhileReading(const std::function<bool()>& reading) {
  prepared_browser::Prepare(m_keeper);
  // The end's call to quit is queued for this thread: one that came before
  // the loop turns still ends it. Each turn ends by that call alone, so the
  // read has ended once reading() says so.
  while (reading()) m_loop.exec(QEventLoop::ExcludeUserInputEvents);
  // The key's first page is asked for next: the blank page the loop let
  // start must have ended, or that page could be lost.
  prepared_browser::FinishBlankLoad();
}

void BrowserStartBesideRead::ReadEnded() {
  QMetaObject::invokeMethod(&m_loop, &QEventLoop::quit, Qt::QueuedConnection);
}
