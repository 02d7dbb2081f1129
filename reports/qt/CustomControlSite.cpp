#include "reports/qt/CustomControlSite.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineSettings>

#include "reports/qt/BrowserBridge.h"
#include "reports/qt/Idispimp.h"
#include "reports/qt/PageScript.h"
#include "reports/qt/QorUrlSchemes.h"

CCustomControlSite::CCustomControlSite(QWidget* parent, QWebEnginePage* page)
    : QWebEngineView(parent), m_bridge(new CBrowserBridge(this)) {
  HostPage(page ? page : new QWebEnginePage(this));
}

void CCustomControlSite::HostPage(QWebEnginePage* page) {
  if (!page->parent()) page->setParent(this);
  auto* channel = new QWebChannel(page);
  channel->registerObject(QStringLiteral("qorHost"), m_bridge);
  channel->registerObject(QStringLiteral("qorExternal"), &CImpIDispatch::Application());
  page->setWebChannel(channel);
  InstallQorPageScripts(*page);
  InstallQorSchemeHandlers(*page->profile());
  QWebEngineSettings* settings = page->settings();
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
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
