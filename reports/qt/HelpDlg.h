// The modal help dialog "QOR Help": one browser filling the dialog. Its
// links are not intercepted, and F1 inside it does nothing.
#pragma once

#include <QDialog>
#include <string>

class CCustomControlSite;

class CHelpDlg : public QDialog {
  Q_OBJECT

 public:
  CHelpDlg(std::string topic, QWidget* parent = nullptr);

  const std::string& Topic() const { return m_topic; }

 private:
  std::string m_topic;
  CCustomControlSite* m_browser;
};
