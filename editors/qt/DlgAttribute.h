// The attribute editor: name, help text and pictures of one attribute;
// opened without an index it creates the attribute in the parent menu.
#pragma once

#include "editors/qt/NodeEditorDialog.h"

class CZAVDoc;
class QLineEdit;

class CDlgAttribute : public CNodeEditorDialog {
  Q_OBJECT
 public:
  // attribute -1: a new attribute of parentMenu. The dialog takes the
  // picture rows it shows.
  CDlgAttribute(QWidget* parent, CZAVDoc& doc, int attribute, int parentMenu, CPictureRowsWidget* pictures);

  // The attribute edited; a new attribute's slot once OK has stored it.
  int AttributeIndex() const { return m_attribute; }

 protected:
  bool OnOK() override;

 private:
  CZAVDoc& m_doc;
  int m_attribute;
  int m_parentMenu;
  QLineEdit* m_name;
};
