// Where an external link's page lies, as the link editor's Browse stores it:
// relative to the database folder ("./page.htm", "./sub/page.htm",
// "../other/page.htm"), with "/" inside the program and, in the database,
// the separator its stored names already use ("\" in keys made on Windows).
// Stored locations are read with either separator.
#pragma once

#include <optional>
#include <string>

class CZAVDoc;

namespace editors {

// The file relative to the folder, "/"-separated, "./" before a location
// that does not climb out; the file's own path when no relative path
// reaches it.
std::string RelativeLocation(const std::string& databaseFolder, const std::string& file);

// "\\" when the database's stored names (pictures, link addresses) use it,
// "/" when they use only "/", "\\" (the file's own form) when they use none.
char StoredSeparator(const CZAVDoc& document);
std::string WithSeparator(std::string location, char separator);

// Where Browse's file dialog starts: the link's file when it exists (a
// relative location is taken below the database folder), else "*.htm" in
// the database folder.
std::string BrowseStartFile(const std::string& location, const std::string& databaseFolder);

// Browse: asks for an HTML page and gives its stored location; nothing when
// the dialog was cancelled. An unsaved database gets the error box
// "Please save the document.".
std::optional<std::string> BrowseLinkLocation(const CZAVDoc& document, const std::string& location);

}  // namespace editors
