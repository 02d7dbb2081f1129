// The attribute-data editor: which attributes one item has, with steps
// through the item list and Mark All / Clear All for the listed items.
#pragma once

#include <memory>

#include "editors/qt/SteppingItemDialog.h"

class CAttributeFormView;
class CZAVDoc;
class ItemAttributeEditor;

class CIdatadlg : public CSteppingItemDialog {
  Q_OBJECT
 public:
  CIdatadlg(std::unique_ptr<ItemAttributeEditor> editor, QWidget* parent);
  ~CIdatadlg() override;

  ItemAttributeEditor& Editor() const { return *m_editor; }
  CAttributeFormView& Form() const { return *m_form; }
  // Mark All (set) or Clear All on the focused check box.
  void MarkAll(bool set);

 protected:
  void ReloadForm() override;

 private:
  std::unique_ptr<ItemAttributeEditor> m_editor;
  CAttributeFormView* m_form;
};

// Runs the editor on the item shown in the list's row; true when it ended with OK.
bool RunItemAttributeEditor(CZAVDoc& doc, int item, int listRow, QWidget* parent);
