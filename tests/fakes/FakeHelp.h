// A help display for tests: records the help pages and windows asked for.
#pragma once

#include <string>
#include <vector>

#include "platform/DocumentViews.h"

class FakeHelp : public IHelpDisplay {
 public:
  FakeHelp() { SetHelpDisplay(this); }
  ~FakeHelp() override { SetHelpDisplay(nullptr); }
  void ShowHelpDialog(const std::string& address) override { dialogs.push_back(address); }
  void OpenHelpWindow(const std::string& address) override { windows.push_back(address); }
  void OpenHtmlWindow(const std::string& html) override { htmlWindows.push_back(html); }
  std::vector<std::string> dialogs, windows, htmlWindows;
};
