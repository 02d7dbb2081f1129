#include "reports/qt/PreparedBrowser.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include "reports/qt/CustomControlSite.h"
#include "reports/qt/ReportPage.h"

namespace prepared_browser {

namespace {

struct SpareBrowser {
  QPointer<CCustomControlSite> site;
  bool blankUnderWay = false;
};

SpareBrowser& Spare() {
  static SpareBrowser spare;
  return spare;
}

CCustomControlSite* MakeFor(QWidget* parent) { return new CCustomControlSite(parent, new CReportPage); }

void StartBlankLoad(CCustomControlSite* site) { site->page()->setUrl(QUrl(QStringLiteral("about:blank"))); }

// The spare's blank load, followed while it is the spare.
void FollowBlankLoad(CCustomControlSite* site) {
  const auto set = [site](bool underWay) {
    if (Spare().site == site) Spare().blankUnderWay = underWay;
  };
  QWebEnginePage* page = site->page();
  QObject::connect(page, &QWebEnginePage::loadStarted, site, [set] { set(true); });
  QObject::connect(page, &QWebEnginePage::loadFinished, site, [set] { set(false); });
  QObject::connect(page, &QWebEnginePage::renderProcessTerminated, site, [set] { set(false); });
}

}  // namespace

void Prepare(QWidget* keeper) {
  if (Spare().site) return;
  Spare() = {MakeFor(keeper), false};
  FollowBlankLoad(Spare().site);
  StartBlankLoad(Spare().site);
  Spare().site->hide();
}

// The page says it is loading from the moment its navigation has begun; the
// signal that the load started reaches this thread only later, queued.
bool BlankUnderWay() { return Spare().site && (Spare().blankUnderWay || Spare().site->page()->isLoading()); }

void FinishBlankLoad(std::chrono::milliseconds longest) {
  if (!BlankUnderWay()) return;
  CCustomControlSite* site = Spare().site;
  QEventLoop loop;
  QWebEnginePage* page = site->page();
  QObject::connect(page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
  QObject::connect(page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
  QObject::connect(site, &QObject::destroyed, &loop, &QEventLoop::quit);
  QTimer::singleShot(longest, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

CCustomControlSite* TakeFor(QWidget* view) {
  CCustomControlSite* site = Spare().site.data();
  Spare() = {};
  if (!site) {
    site = MakeFor(view);
    StartBlankLoad(site);
    return site;
  }
  site->setParent(view);
  site->show();  // shown with the view; the keeper had it hidden
  return site;
}

}  // namespace prepared_browser
