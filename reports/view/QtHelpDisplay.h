// The help display of the program: the help dialog and help windows.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/DocumentViews.h"

class QtHelpDisplay : public IHelpDisplay {
 public:
  // host: the MDI area help windows open in (null: top-level windows);
  // also the owner of the help dialog.
  explicit QtHelpDisplay(QWidget* host = nullptr) : m_host(host) {}
  void SetHost(QWidget* host) { m_host = host; }

  void ShowHelpDialog(const std::string& address) override;
  void OpenHelpWindow(const std::string& address) override;
  void OpenHtmlWindow(const std::string& html) override;

 private:
  QPointer<QWidget> m_host;
};
