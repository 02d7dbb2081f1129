// The frame both item-data editors share: the menu bar and the OK, Cancel,
// Next and Previous buttons around a scrolling form, F1 help, and the
// question before Cancel throws changes away.
#pragma once

#include <QDialog>
#include <string>

class QMenuBar;
class QPushButton;
class QVBoxLayout;
class SteppingItemEditor;

class CSteppingItemDialog : public QDialog {
  Q_OBJECT
 public:
  CSteppingItemDialog(SteppingItemEditor& editor, std::string helpTopic, QWidget* parent);

  void reject() override;
  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }

 protected:
  // Places the form above the buttons.
  void SetForm(QWidget* form);
  QMenuBar* MenuBar() const { return m_menuBar; }
  // Adds a menu-bar command between Next and OK.
  void AddMenuCommand(const QString& text, const char* objectName, std::function<void()> handler);
  // Shows the current item after a step.
  virtual void ReloadForm() = 0;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Step(bool next);
  void Ok();

  SteppingItemEditor& m_editor;
  std::string m_helpTopic;
  QMenuBar* m_menuBar;
  QVBoxLayout* m_layout;
  QAction* m_okAction = nullptr;
  QPushButton* m_ok;
  QPushButton* m_cancel;
};
