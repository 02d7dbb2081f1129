// What an editor dialog needs of its picture list: the names in row order.
// The list itself (the shell's reorderable picture rows with their buttons)
// is handed in by whoever opens the dialog.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

class CPictureRowsWidget : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  virtual void SetNames(const std::vector<std::string>& names) = 0;
  virtual std::vector<std::string> Names() const = 0;
};
