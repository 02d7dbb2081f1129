// Multi-line fields hand back their lines ended by "\n"; a stored text keeps
// the line ends it had (texts from Windows databases use "\r\n").
#pragma once

#include <string>

// The typed text with its "\n" line ends turned into "\r\n" when the stored
// text it replaces used "\r\n"; otherwise the typed text as it is.
std::string KeepLineEnds(const std::string& typed, const std::string& stored);
