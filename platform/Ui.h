// What the core asks of the desktop: message boxes, questions, file
// dialogs, the wait cursor and opening links. The program installs a Qt
// implementation at start; tests install a scripted fake.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MessageIcon { Information, Warning, Error, Question };

struct FileFilter {
  std::string label;     // "QOR Database (*.qor)"
  std::string patterns;  // "*.qor"
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A plain box with an OK button. An empty caption means the program's own.
  virtual void ShowMessage(const std::string& text, const std::string& caption = {},
                           MessageIcon icon = MessageIcon::Information) = 0;
  // A yes/no question; defaultYes chooses the button that Enter presses.
  // Every caller states it: a question whose Yes deletes or discards
  // defaults to No, so a hasty Enter loses nothing.
  virtual bool AskYesNo(const std::string& text, bool defaultYes, const std::string& caption = {}) = 0;
  // Yes / No / Cancel: 1, 0, -1.
  virtual int AskYesNoCancel(const std::string& text, const std::string& caption = {}) = 0;

  virtual std::optional<std::string> AskOpenFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                                     const std::string& initialPath = {}) = 0;
  virtual std::optional<std::string> AskSaveFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                                     const std::string& initialPath = {}) = 0;
  // The save dialog without a replace question of its own, for a command
  // that checks the chosen name itself (a link or a pipe there is refused
  // before anything is asked) and then asks before it replaces a file.
  virtual std::optional<std::string> AskOutputFileName(const std::string& title, const std::vector<FileFilter>& filters,
                                                       const std::string& initialPath = {}) {
    return AskSaveFileName(title, filters, initialPath);
  }
  virtual std::optional<std::string> AskFolder(const std::string& title, const std::string& initialFolder = {}) = 0;

  // Opens a web address or a file with the desktop's registered program.
  virtual bool OpenExternal(const std::string& address) = 0;

  virtual void SetWaitCursor(bool on) = 0;

  // Diagnostic trace lines for the developer; never shown to the user.
  virtual void Trace(const std::string& line) { (void)line; }
};

// The installed implementation; a silent one that answers every question
// with its default until the program or a test installs its own.
UserInterface& Ui();
void SetUi(UserInterface* ui);

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  WaitCursor() { Ui().SetWaitCursor(true); }
  ~WaitCursor() { Ui().SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace platform
