// The web view of a help window. A page that follows "qorlink::closedoc"
// closes the window (its MDI sub-window, or the top-level window); every
// other address loads as the navigation guard allows, as in the report view.
#pragma once

#include <QWidget>

#include "reports/qt/HelpDocument.h"

class CCustomControlSite;
class QWebEngineView;

class CHelpHtmlView : public QWidget {
  Q_OBJECT

 public:
  CHelpHtmlView(CHelpDocument document, QWidget* parent = nullptr);

  // Shows the document: its HTML text when it has one, else its path.
  void OnInitialUpdate();
  const CHelpDocument& GetDocument() const { return m_document; }
  QWebEngineView* WebView() const;

  static bool IsCloseLink(const QString& address);

 signals:
  void closeRequested();

 private slots:
  void OnAddress(const QString& address);

 private:
  void CloseFrame();

  CHelpDocument m_document;
  CCustomControlSite* m_site;
};
