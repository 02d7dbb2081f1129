// The reference title editor: adds a new reference title or renames one.
#pragma once

#include <QDialog>

class CZAVDoc;
class QLineEdit;

class CDlgReference : public QDialog {
  Q_OBJECT
 public:
  // index -1 adds a title; else the title at index is edited.
  CDlgReference(QWidget* parent, CZAVDoc& doc, int index);

  void accept() override;
  QLineEdit* TitleEdit() const { return m_title; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CZAVDoc& m_doc;
  int m_index;
  QLineEdit* m_title;
};

// Runs the editor; true when a title was stored.
bool EditReferenceTitle(CZAVDoc& doc, int index, QWidget* parent);
