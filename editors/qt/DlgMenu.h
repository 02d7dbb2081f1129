// The menu editor: title, difficulty level, help text and pictures of one
// menu; opened without an index it creates the menu under the parent.
#pragma once

#include "editors/qt/NodeEditorDialog.h"

class CZAVDoc;
class QLineEdit;

class CDlgMenu : public CNodeEditorDialog {
  Q_OBJECT
 public:
  // menu -1: a new menu of the flag's kind below parentMenu. The dialog
  // takes the picture rows it shows.
  CDlgMenu(QWidget* parent, CZAVDoc& doc, int menu, int parentMenu, bool attributeMenu, CPictureRowsWidget* pictures);

  // The menu edited; a new menu's slot once OK has stored it.
  int MenuIndex() const { return m_menu; }

 protected:
  bool OnOK() override;

 private:
  CZAVDoc& m_doc;
  int m_menu;
  int m_parentMenu;
  bool m_attributeMenu;
  QLineEdit* m_title;
  QLineEdit* m_difficulty;
};
