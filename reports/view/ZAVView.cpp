#include "reports/view/ZAVView.h"

#include <QVBoxLayout>
#include <QWebEngineView>

CZAVView::CZAVView(CZAVDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc), m_web(new QWebEngineView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_web);
}

CZAVView::~CZAVView() = default;

void CZAVView::ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) {
  m_current = action.release();  // kept until the action classes can be freed here
  m_web->setHtml(QString::fromStdString(html));
}
