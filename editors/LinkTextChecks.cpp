#include "editors/LinkTextChecks.h"

#include "platform/ErrorBox.h"

namespace editors {

namespace {
bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }
}  // namespace

void CheckDescriptionWithoutLinkMarker(const std::string& description) {
  if (description.find("@Links") != std::string::npos)
    ThrowErrorMessage("The description may not contain \"@Links\": it marks the start of the external links.");
}

void CheckLinkName(const std::string& name) {
  if (name.find("@$") != std::string::npos)
    ThrowErrorMessage("The link text may not contain \"@$\": it separates the text from the page location.");
  if (HasLineBreak(name)) ThrowErrorMessage("The link text must be a single line.");
}

void CheckLinkAddress(const std::string& address) {
  if (address.find_first_not_of(" \t") == std::string::npos) ThrowErrorMessage("Enter the page location.");
  if (HasLineBreak(address)) ThrowErrorMessage("The page location must be a single line.");
}

}  // namespace editors
