// The About box: the program's title, version and build date, and the way
// to the contact box.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
  void OnContactInfo();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
