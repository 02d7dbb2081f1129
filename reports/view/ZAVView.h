// The right-hand pane of a database frame: the report page in a web view.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "platform/DocumentViews.h"

class CZAVDoc;
class QWebEngineView;

class CZAVView : public QWidget, public IHtmlView {
  Q_OBJECT

 public:
  CZAVView(CZAVDoc& doc, QWidget* parent = nullptr);
  ~CZAVView() override;

  void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) override;

  CZAVDoc& GetDocument() const { return m_doc; }
  QWebEngineView* WebView() const { return m_web; }

 private:
  CZAVDoc& m_doc;
  QWebEngineView* m_web;
  ReportAction* m_current = nullptr;
};
