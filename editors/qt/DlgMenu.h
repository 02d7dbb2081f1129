// The menu editor: title, difficulty level, help text and pictures of one
// menu; opened without an index it creates the menu under the parent.
#pragma once

#include "editors/MenuEditorForm.h"
#include "editors/qt/CheckedEditorDialog.h"

class CZAVDoc;
class CPictureRowsWidget;

class CDlgMenu : public CCheckedEditorDialog {
  Q_OBJECT
 public:
  // The dialog takes the picture rows it shows.
  CDlgMenu(QWidget* parent, CZAVDoc& doc, int menu, int parentMenu, bool attributeMenu, CPictureRowsWidget* pictures);

  // The menu edited; a new menu's slot once OK has stored it.
  int MenuIndex() const { return m_menu; }

 protected:
  void Store() override;

 private:
  CZAVDoc& m_doc;
  int m_menu;
  int m_parentMenu;
  bool m_attributeMenu;
  QLineEdit* m_title;
  QLineEdit* m_difficulty;
  QPlainTextEdit* m_helpText;
  CPictureRowsWidget* m_pictures;
};
