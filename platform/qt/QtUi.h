// The desktop side of platform::UserInterface: message boxes, questions and
// file dialogs as Qt widgets, links through the desktop's services.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Ui.h"

namespace platform::qt {

class QtUi : public UserInterface {
 public:
  // The window the boxes are owned by; may change while the program runs.
  void SetOwner(QWidget* owner) { m_owner = owner; }

  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, bool defaultYes, const std::string& caption) override;
  int AskYesNoCancel(const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskOpenFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                             const std::string& initialPath) override;
  std::optional<std::string> AskSaveFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                             const std::string& initialPath) override;
  std::optional<std::string> AskOutputFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                               const std::string& initialPath) override;
  std::optional<std::string> AskFolder(const std::string& title, const std::string& initialFolder) override;
  bool OpenExternal(const std::string& address) override;
  void SetWaitCursor(bool on) override;
  void Trace(const std::string& line) override;

 private:
  QWidget* Owner() const;
  std::optional<std::string> AskFileToWrite(const std::string& title, const std::vector<FileFilter>& filters,
                                            const std::string& initialPath, bool askReplace);
  QPointer<QWidget> m_owner;
};

// "QOR Databases (*.qor);;All Files (*.*)" from the core's filter list.
QString FilterString(const std::vector<FileFilter>& filters);

}  // namespace platform::qt
