#include "reports/view/QtHelpDisplay.h"

#include "reports/view/HelpDlg.h"
#include "reports/view/HelpMDIChildWnd.h"

void QtHelpDisplay::ShowHelpDialog(const std::string& address) {
  CHelpDlg dialog(address, m_host ? m_host->window() : nullptr);
  dialog.exec();
}

void QtHelpDisplay::OpenHelpWindow(const std::string& address) {
  CHelpDocument document;
  document.m_path = address;
  ::OpenHelpWindow(document, m_host);
}

void QtHelpDisplay::OpenHtmlWindow(const std::string& html) {
  CHelpDocument document;
  document.m_html = html;
  ::OpenHelpWindow(document, m_host);
}
