#include "shell/qt/DlgMenusOptions.h"

#include <QCheckBox>

CDlgMenusOptions::CDlgMenusOptions(QWidget* parent)
    : COptionsDialog(parent, "menusOptionsDialog", "Menu list report options", "help.htm#MenuReportOptionsDialog") {
  const MenuListOptionsForm form = MenuListOptionsForm::From(MenuListOptions::Shared());
  m_page = AddPageBoxes(form.picture, form.description, form.file);
  m_dontShow = AddDontShow(form.dontShow);
  AddButtons();
}

bool CDlgMenusOptions::Store() {
  const MenuListOptionsForm form{m_page.picture->isChecked(), m_page.description->isChecked(), m_page.file->isChecked(),
                                 m_dontShow->isChecked()};
  form.ApplyTo(MenuListOptions::Shared());
  return true;
}
