#include "reports/qt/GuardedPage.h"

#include "reports/qt/NavigationGuard.h"

// Frames load through the request interceptor, which keeps them local.
bool CGuardedPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  return !isMainFrame || CNavigationGuard::MayLoad(url, type, this->url());
}
