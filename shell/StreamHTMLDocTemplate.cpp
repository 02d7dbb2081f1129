#include "shell/StreamHTMLDocTemplate.h"

#include <QMdiArea>

#include "platform/qt/DialogRunner.h"
#include "reports/view/HelpDlg.h"
#include "reports/view/HelpDocument.h"
#include "reports/view/HelpHtmlView.h"
#include "reports/view/HelpMDIChildWnd.h"

QWidget* CStreamHTMLDocTemplate::OpenDocumentFile(const std::string& pathOrHtml) {
  CHelpDocument document;
  if (pathOrHtml.find("<html>") != std::string::npos) {
    m_html = pathOrHtml;
    document.m_html = m_html;
  } else {
    document.m_path = pathOrHtml;
  }
  CHelpHtmlView* view = OpenHelpWindow(document, m_area.data());
  if (auto* frame = qobject_cast<CHelpMDIChildWnd*>(view->parentWidget())) return frame;
  return view;
}

void CStreamHTMLDocTemplate::RunHelpDialog(const std::string& address, QWidget* parent) {
  CHelpDlg dialog(address, parent);
  platform::qt::RunModal(dialog);
}
