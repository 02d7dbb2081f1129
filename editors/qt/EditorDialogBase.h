// What every editor dialog shares: OK runs the editor's checks in order and
// closes only when they pass (the error box of a failing check leaves the
// dialog open with what was typed), Cancel changes nothing, F1 opens the
// editor's own help topic. Editors build their fields into FormArea() and
// are run through platform::qt::RunModal so tests can drive them.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <string>

class QDialogButtonBox;
class QPushButton;
class QVBoxLayout;

namespace editors::qt {

class EditorDialogBase : public QDialog {
  Q_OBJECT
 public:
  // helpTopic: a help page with its anchor, such as "help.htm#Item_Editor".
  EditorDialogBase(const QString& caption, std::string helpTopic, QWidget* parent);

  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }
  const std::string& HelpTopic() const { return m_helpTopic; }

  // OK: runs OnOK as a command; the dialog ends only when it returns true.
  void accept() override;

  // Runs a command that checks fields; when a check names a field
  // (editors::FieldCheckFailed), the focus goes into that field's widget
  // once the message is closed. False when the command was abandoned.
  bool RunFieldChecks(const std::function<void()>& command);

 protected:
  // The checks and the store of OK. A failing check calls the error box
  // (ThrowErrorMessage); false keeps the dialog open without a message (a
  // question answered No).
  virtual bool OnOK() = 0;
  // The layout above the buttons that the editor fills.
  QVBoxLayout* FormArea() const { return m_form; }
  QDialogButtonBox* Buttons() const { return m_buttons; }
  // The widget of a field the editor's checks name by number.
  void SetFieldWidget(int field, QWidget* widget) { m_fieldWidgets[field] = widget; }

 private:
  void ShowHelpTopic();

  std::string m_helpTopic;
  QVBoxLayout* m_form;
  QDialogButtonBox* m_buttons;
  QPushButton* m_ok;
  QPushButton* m_cancel;
  std::map<int, QPointer<QWidget>> m_fieldWidgets;
};

// Puts the keyboard into a field a failed check named, its text selected so
// typing replaces what was refused.
void FocusRefusedField(QWidget& field);

}  // namespace editors::qt
