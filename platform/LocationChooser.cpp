#include "platform/LocationChooser.h"

namespace platform {
namespace {

class SkippingChooser : public LocationChooser {
 public:
  std::optional<int> ChooseLocation(const std::string&, const std::string&, const std::vector<std::string>&) override {
    return std::nullopt;
  }
};

SkippingChooser g_skippingChooser;
LocationChooser* g_chooser = &g_skippingChooser;

}  // namespace

LocationChooser& Chooser() { return *g_chooser; }
void SetLocationChooser(LocationChooser* chooser) { g_chooser = chooser ? chooser : &g_skippingChooser; }

}  // namespace platform
