// The item reference editor: one edit box per reference title for the pages
// where the item is treated, with steps through the item list.
#pragma once

#include <memory>
#include <vector>

#include "editors/FormFocus.h"
#include "editors/qt/SteppingItemDialog.h"

class CZAVDoc;
class ItemReferenceEditor;
class QLineEdit;
class QScrollArea;

class CIrefdlg : public CSteppingItemDialog {
  Q_OBJECT
 public:
  CIrefdlg(std::unique_ptr<ItemReferenceEditor> editor, QWidget* parent);
  ~CIrefdlg() override;

  ItemReferenceEditor& Editor() const { return *m_editor; }
  QLineEdit* Edit(int k) const { return m_edits.at(k); }
  QScrollArea* Scroller() const { return m_scroller; }

 protected:
  void ReloadForm() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int IndexOf(QObject* edit) const;
  void Focus(int k);

  std::unique_ptr<ItemReferenceEditor> m_editor;
  QScrollArea* m_scroller;
  std::vector<QLineEdit*> m_edits;
  std::vector<FormSpan> m_spans;
};

// Runs the editor on the item shown in the list's row; the error box when
// the database has no reference titles. True when it ended with OK.
bool RunItemReferenceEditor(CZAVDoc& doc, int item, int listRow, QWidget* parent);
