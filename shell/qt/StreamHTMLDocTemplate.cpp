#include "shell/qt/StreamHTMLDocTemplate.h"

#include <QMdiArea>

#include "platform/qt/DialogRunner.h"
#include "reports/qt/HelpDlg.h"
#include "reports/qt/HelpDocument.h"
#include "reports/qt/HelpHtmlView.h"
#include "reports/qt/HelpMDIChildWnd.h"

QWidget* CStreamHTMLDocTemplate::OpenDocumentFile(const std::string& pathOrHtml) {
  const CHelpDocument document = CHelpDocument::FromText(pathOrHtml);
  if (document.HasHtml()) m_html = document.m_html;
  CHelpHtmlView* view = OpenHelpWindow(document, m_area.data());
  if (auto* frame = qobject_cast<CHelpMDIChildWnd*>(view->parentWidget())) return frame;
  return view;
}

void CStreamHTMLDocTemplate::RunHelpDialog(const std::string& address, QWidget* parent) {
  CHelpDlg dialog(address, parent);
  platform::qt::RunModal(dialog);
}
