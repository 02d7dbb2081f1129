// The host of every web view the program creates (report view, help windows,
// help dialog, open-dialog preview): the page scripts, the web channel with
// the link bridge, the request interceptor that keeps local pages off the
// network, and the browser's own context menu without history and
// page-source entries.
#pragma once

#include <QWebEngineView>

class CBrowserBridge;
class QWebEnginePage;

class CCustomControlSite : public QWebEngineView {
  Q_OBJECT

 public:
  // Hosts the given page (a guarded one when null); the view takes over a
  // page that has no parent.
  explicit CCustomControlSite(QWidget* parent = nullptr, QWebEnginePage* page = nullptr);

  // The bridge on which the page's private links and status texts arrive.
  CBrowserBridge& Bridge() const { return *m_bridge; }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void HostPage(QWebEnginePage* page);

  CBrowserBridge* m_bridge;
};
