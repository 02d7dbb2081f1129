#include "platform/DocumentViews.h"

namespace {

class SilentHelpDisplay : public IHelpDisplay {
 public:
  void ShowHelpDialog(const std::string&) override {}
  void OpenHelpWindow(const std::string&) override {}
  void OpenHtmlWindow(const std::string&) override {}
};

SilentHelpDisplay g_silentHelp;
IHelpDisplay* g_help = &g_silentHelp;

}  // namespace

IHelpDisplay& HelpDisplay() { return *g_help; }
void SetHelpDisplay(IHelpDisplay* display) { g_help = display ? display : &g_silentHelp; }
