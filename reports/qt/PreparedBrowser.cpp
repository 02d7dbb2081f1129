#include "reports/qt/PreparedBrowser.h"

#include <QPointer>
#include <QUrl>

#include "reports/qt/CustomControlSite.h"
#include "reports/qt/ReportPage.h"

namespace prepared_browser {

namespace {

QPointer<CCustomControlSite>& Spare() {
  static QPointer<CCustomControlSite> spare;
  return spare;
}

CCustomControlSite* MakeFor(QWidget* parent) {
  auto* site = new CCustomControlSite(parent, new CReportPage);
  site->page()->setUrl(QUrl(QStringLiteral("about:blank")));
  return site;
}

}  // namespace

void Prepare(QWidget* keeper) {
  if (Spare()) return;
  Spare() = MakeFor(keeper);
  Spare()->hide();
}

CCustomControlSite* TakeFor(QWidget* view) {
  CCustomControlSite* site = Spare().data();
  Spare().clear();
  if (!site) return MakeFor(view);
  site->setParent(view);
  site->show();  // shown with the view; the keeper had it hidden
  return site;
}

}  // namespace prepared_browser
