// Reads only the version word and the header record at the start of a
// ".qor" file, for lists of databases that show titles without loading.
#pragma once

#include <filesystem>
#include <string>

#include "database/Records.h"

enum class HeaderReadResult { Ok, CannotOpen, BadFormat };

// CannotOpen for what is no plain file of its folder (a FIFO, a device, a
// link that leads out); BadFormat for a header that is not whole within a
// bound of a few megabytes.
HeaderReadResult ReadDatabaseHeaderFile(const std::filesystem::path& path, CQDochdr& header);

// The document's edit rule applied to a header read from a file.
inline bool IsHeaderEditable(const CQDochdr& header) { return header.lockWord != 0; }
