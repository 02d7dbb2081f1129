// The frame every editor dialog shares: OK runs the editor's checks and
// store, and a failed check (shown in the error box) leaves the dialog open
// with what was typed; F1 opens the editor's help topic.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class CPictureRowsWidget;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;

class CCheckedEditorDialog : public QDialog {
  Q_OBJECT
 public:
  CCheckedEditorDialog(QWidget* parent, const char* caption, std::string helpTopic);

 protected:
  // Checks and stores; abandons through the error box when a check fails.
  virtual void Store() = 0;
  void keyPressEvent(QKeyEvent* event) override;

  QFormLayout& Form() const { return *m_form; }
  QLineEdit* AddLine(const char* label, const char* name, const std::string& text);
  QPlainTextEdit* AddText(const char* label, const char* name, const std::string& text);
  // Takes the picture rows into the dialog, filled with the names.
  CPictureRowsWidget* AddPictures(CPictureRowsWidget* rows, const std::vector<std::string>& names);
  // The buttons go last; call once the fields are in.
  void AddButtons();

 private:
  void OnOK();

  std::string m_helpTopic;
  QFormLayout* m_form;
};

std::string TextOf(const QLineEdit& edit);
std::string TextOf(const QPlainTextEdit& edit);

// Runs the editor through the dialog seam; true when it ended with OK.
bool RunEditorDialog(CCheckedEditorDialog& dialog);
