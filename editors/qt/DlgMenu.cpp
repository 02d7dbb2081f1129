#include "editors/qt/DlgMenu.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "editors/qt/PictureRowsWidget.h"

CDlgMenu::CDlgMenu(QWidget* parent, CZAVDoc& doc, int menu, int parentMenu, bool attributeMenu,
                   CPictureRowsWidget* pictures)
    : CCheckedEditorDialog(parent, "Individual Menu Editor", "help.htm#Individual_Menu_Editor"),
      m_doc(doc), m_menu(menu), m_parentMenu(parentMenu), m_attributeMenu(attributeMenu) {
  setObjectName("menuEditor");
  const MenuEditorForm form = MenuEditorForm::Load(doc, menu);
  m_title = AddLine("Title:", "title", form.title);
  m_difficulty = AddLine("Difficulty Level:", "difficulty", form.difficulty);
  m_helpText = AddText("Help Text:", "helpText", form.helpText);
  m_pictures = AddPictures(pictures, form.pictures);
  AddButtons();
}

void CDlgMenu::Store() {
  MenuEditorForm form;
  form.title = TextOf(*m_title);
  form.difficulty = TextOf(*m_difficulty);
  form.helpText = TextOf(*m_helpText);
  form.pictures = m_pictures->Names();
  m_menu = form.Store(m_doc, m_menu, m_parentMenu, m_attributeMenu);
}
