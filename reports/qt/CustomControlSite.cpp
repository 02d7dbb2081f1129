#include "reports/qt/CustomControlSite.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineSettings>

#include "reports/qt/BrowserBridge.h"
#include "reports/qt/GuardedPage.h"
#include "reports/qt/LocalRequestInterceptor.h"
#include "reports/qt/PageScript.h"
#include "reports/qt/QorUrlSchemes.h"
#include "reports/qt/Idispimp.h"
#include "reports/qt/KeyFolderScheme.h"

CCustomControlSite::CCustomControlSite(QWidget* parent, QWebEnginePage* page)
    : QWebEngineView(parent), m_bridge(new CBrowserBridge(this)) {
  HostPage(page ? page : new CGuardedPage(this));
}

void CCustomControlSite::HostPage(QWebEnginePage* page) {
  if (!page->parent()) page->setParent(this);
  auto* channel = new QWebChannel(page);
  channel->registerObject(QStringLiteral("qorHost"), m_bridge);
  page->setWebChannel(channel, kQorHostWorld);
  InstallQorPageScripts(*page);
  InstallQorSchemeHandlers(*page->profile());
  key_folder::InstallHandler(*page->profile());
  page->setUrlRequestInterceptor(new CLocalRequestInterceptor(page));
  QWebEngineSettings* settings = page->settings();
  // A key's pages come from the key's own scheme and see only its folder; a
  // page still shown from a file (help, the opening page, a picture window)
  // is an origin of its own that may show other files but read none. The
  // interceptor keeps every local page off the network, and no page warms
  // up connections or names on its own.
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
  settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
  setPage(page);
}

void CCustomControlSite::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  const QWebEnginePage::WebAction hidden[] = {QWebEnginePage::Back, QWebEnginePage::Forward,
                                              QWebEnginePage::ViewSource};
  for (QWebEnginePage::WebAction action : hidden) menu->removeAction(pageAction(action));
  menu->setAttribute(Qt::WA_DeleteOnClose, true);
  menu->popup(event->globalPos());
}
