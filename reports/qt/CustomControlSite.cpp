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
  page->setUrlRequestInterceptor(new CLocalRequestInterceptor(page));
  QWebEngineSettings* settings = page->settings();
  // Pictures and style sheets beside the database are read as files; the
  // interceptor keeps scripts from reading files and every local page off
  // the network.
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
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
