// A user interface for tests: records every text it is shown and answers
// questions and dialogs from queues (or with the default when a queue is empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Ui.h"

class ScriptedUi : public platform::UserInterface {
 public:
  struct Shown {
    std::string kind;  // "message", "question", "open", "save", "folder", "open-external"
    std::string text;
    std::string caption;
    bool defaultYes = false;  // questions: the answer Enter gives
  };

  ScriptedUi() { platform::SetUi(this); }
  ~ScriptedUi() override { platform::SetUi(nullptr); }

  void ShowMessage(const std::string& text, const std::string& caption, platform::MessageIcon) override {
    shown.push_back({"message", text, caption});
  }
  bool AskYesNo(const std::string& text, bool defaultYes, const std::string& caption) override {
    shown.push_back({"question", text, caption, defaultYes});
    if (yesNoAnswers.empty()) return defaultYes;
    bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }
  int AskYesNoCancel(const std::string& text, const std::string& caption) override {
    shown.push_back({"question3", text, caption});
    if (yesNoCancelAnswers.empty()) return -1;
    int answer = yesNoCancelAnswers.front();
    yesNoCancelAnswers.pop_front();
    return answer;
  }
  std::optional<std::string> AskOpenFileName(const std::string& title, const std::vector<platform::FileFilter>& filters,
                                             const std::string& initialPath) override {
    return Next("open", title, filters, initialPath);
  }
  std::optional<std::string> AskSaveFileName(const std::string& title, const std::vector<platform::FileFilter>& filters,
                                             const std::string& initialPath) override {
    return Next("save", title, filters, initialPath);
  }
  std::optional<std::string> AskFolder(const std::string& title, const std::string&) override {
    return Next("folder", title);
  }
  bool OpenExternal(const std::string& address) override {
    shown.push_back({"open-external", address, {}});
    opened.push_back(address);
    return !openFails;
  }
  void SetWaitCursor(bool on) override { waitCursorDepth += on ? 1 : -1; }
  void Trace(const std::string& line) override { traces.push_back(line); }

  // Texts of the message boxes shown, in order.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& s : shown)
      if (s.kind == "message") texts.push_back(s.text);
    return texts;
  }

  std::vector<Shown> shown;
  std::deque<bool> yesNoAnswers;
  std::deque<int> yesNoCancelAnswers;
  std::deque<std::optional<std::string>> fileAnswers;  // open, save and folder dialogs share one queue
  std::vector<std::string> opened;
  bool openFails = false;  // a desktop with no program for the address
  // What the last open or save dialog offered.
  std::vector<platform::FileFilter> lastFilters;
  std::string lastInitialPath;
  std::vector<std::string> traces;
  int waitCursorDepth = 0;

 private:
  std::optional<std::string> Next(const char* kind, const std::string& title,
                                  const std::vector<platform::FileFilter>& filters = {},
                                  const std::string& initialPath = {}) {
    lastFilters = filters;
    lastInitialPath = initialPath;
    shown.push_back({kind, title, {}});
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
};
