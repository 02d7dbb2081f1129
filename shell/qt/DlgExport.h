// The export dialog: lists the installed exporters, creates the chosen one,
// tells it about the database (and a target file when it wants one) and
// streams the database to it behind the progress window.
#pragma once

#include <QDialog>
#include <vector>

#include "editors/ExportSelection.h"
#include "editors/qt/ExporterPlugins.h"

class CZAVDoc;
class QListWidget;
class QPushButton;

class CDlgExport : public QDialog {
  Q_OBJECT
 public:
  CDlgExport(CZAVDoc& document, ExportSelection selection, QWidget* parent = nullptr);

  // Fills the list; the first row selected, "Export" disabled without one.
  void OnInitDialog();
  // "Export" and a double click: the dialog ends with OK after an export,
  // and stays open after a refusal, a cancel or a failing element call.
  void OnOK();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool Export();

  CZAVDoc& m_document;
  ExportSelection m_selection;
  std::vector<ExporterEntry> m_exporters;
  QListWidget* m_list;
  QPushButton* m_export;
};
