// The contact box: the maker's web and mail addresses as links that open
// in the desktop's browser or mail program.
#pragma once

#include <QDialog>

class CContactInfo : public QDialog {
  Q_OBJECT
 public:
  explicit CContactInfo(QWidget* parent = nullptr);
};
