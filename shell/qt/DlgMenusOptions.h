// The menu list report options.
#pragma once

#include "shell/qt/OptionsDialog.h"

class CDlgMenusOptions : public COptionsDialog {
  Q_OBJECT
 public:
  explicit CDlgMenusOptions(QWidget* parent);

 protected:
  bool Store() override;

 private:
  PageBoxes m_page{};
  QCheckBox* m_dontShow;
};
