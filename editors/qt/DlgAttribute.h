// The attribute editor: name, help text and pictures of one attribute;
// opened without an index it creates the attribute in the parent menu.
#pragma once

#include "editors/AttributeEditorForm.h"
#include "editors/qt/CheckedEditorDialog.h"

class CZAVDoc;
class CPictureRowsWidget;

class CDlgAttribute : public CCheckedEditorDialog {
  Q_OBJECT
 public:
  // The dialog takes the picture rows it shows.
  CDlgAttribute(QWidget* parent, CZAVDoc& doc, int attribute, int parentMenu, CPictureRowsWidget* pictures);

  // The attribute edited; a new attribute's slot once OK has stored it.
  int AttributeIndex() const { return m_attribute; }

 protected:
  void Store() override;

 private:
  CZAVDoc& m_doc;
  int m_attribute;
  int m_parentMenu;
  QLineEdit* m_name;
  QPlainTextEdit* m_helpText;
  CPictureRowsWidget* m_pictures;
};
