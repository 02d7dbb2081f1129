// A page that loads only what the navigation guard allows: every hosted
// page (help windows, the help dialog, the open dialog's preview) is one,
// and the report view's page applies the same rule before its own.
#pragma once

#include <QWebEnginePage>

class CGuardedPage : public QWebEnginePage {
  Q_OBJECT

 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};
