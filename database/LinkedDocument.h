// Which files of a key's folder an item's link may hand to the desktop's
// opener. The opener starts whatever the desktop associates with a file, a
// script or a launcher too, so only documents pass: the name must end in a
// document type's ending and the first bytes must be that type's. A file
// with an execute bit never passes, whatever it holds.
#pragma once

#include <filesystem>
#include <string>

// Empty when the file is a document the desktop may open; else the reason
// shown to the user. Both the name the link gave and the real file's name
// must end in a document ending, and the contents must be of the real
// name's type. The file is opened without blocking and without following a
// link (give the real path), and must be a plain file.
std::string LinkedDocumentRefusal(const std::filesystem::path& realPath, const std::string& linkedName);

// Whether the name ends in one of the document endings (letter case
// ignored); a name ending in a dot or a space never does.
bool HasDocumentEnding(const std::string& fileName);
