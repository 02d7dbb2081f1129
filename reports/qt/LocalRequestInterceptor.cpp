#include "reports/qt/LocalRequestInterceptor.h"

#include "reports/qt/KeyFolderScheme.h"
#include "reports/qt/NavigationGuard.h"

bool CLocalRequestInterceptor::Blocks(const QUrl& request, const QUrl& firstParty,
                                      QWebEngineUrlRequestInfo::ResourceType type) {
  if (!firstParty.isEmpty() && !CNavigationGuard::IsLocal(firstParty)) return false;  // a page of the web
  if (!CNavigationGuard::IsLocal(request)) return true;
  // A key's page sees its folder through its own scheme, never a file.
  if (key_folder::IsKeyAddress(firstParty) && request.isLocalFile()) return true;
  // A script that could read files could hand them to a link; pictures,
  // style sheets and frames are shown, not read.
  return type == QWebEngineUrlRequestInfo::ResourceTypeXhr && request.isLocalFile();
}

void CLocalRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (Blocks(info.requestUrl(), info.firstPartyUrl(), info.resourceType())) info.block(true);
}
