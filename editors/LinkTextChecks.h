// An item's description keeps its external links behind the marker "@Links",
// one "name@$address" line each. A description or a link name carrying those
// markers would be read back as different links, so editors refuse them.
#pragma once

#include <string>

namespace editors {

// The error box when the description holds "@Links".
void CheckDescriptionWithoutLinkMarker(const std::string& description);
// The error box when the link's text holds "@$" or a line break.
void CheckLinkName(const std::string& name);
// The error box when the address is blank (the link would open nothing) or
// holds a line break (it ends the link's line).
void CheckLinkAddress(const std::string& address);

}  // namespace editors
