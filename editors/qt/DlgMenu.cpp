#include "editors/qt/DlgMenu.h"

#include <QFormLayout>
#include <QLineEdit>

#include "editors/MenuEditorForm.h"
#include "editors/qt/EditorFields.h"

using editors::qt::AddTextRow;
using editors::qt::TextOf;

CDlgMenu::CDlgMenu(QWidget* parent, CZAVDoc& doc, int menu, int parentMenu, bool attributeMenu,
                   CPictureRowsWidget* pictures)
    : CNodeEditorDialog("Individual Menu Editor", "help.htm#Individual_Menu_Editor", parent),
      m_doc(doc),
      m_menu(menu),
      m_parentMenu(parentMenu),
      m_attributeMenu(attributeMenu) {
  setObjectName("menuEditor");
  const MenuEditorForm form = MenuEditorForm::Load(doc, menu);
  m_title = AddTextRow(*this, Form(), "Title:", "title", form.title);
  m_difficulty = AddTextRow(*this, Form(), "Difficulty Level:", "difficulty", form.difficulty);
  SetFieldWidget(MenuEditorForm::kTitleField, m_title);
  SetFieldWidget(MenuEditorForm::kDifficultyField, m_difficulty);
  AddHelpAndPictures(form.helpText, pictures, form.pictures);
}

bool CDlgMenu::OnOK() {
  MenuEditorForm form;
  form.title = TextOf(*m_title);
  form.difficulty = TextOf(*m_difficulty);
  form.helpText = HelpText();
  form.pictures = PictureNames();
  m_menu = form.Store(m_doc, m_menu, m_parentMenu, m_attributeMenu);
  return true;
}
