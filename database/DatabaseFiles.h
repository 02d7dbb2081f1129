// The files beside a database: its page (shown for the root menu and as the
// opening page) and its thumbnails folder.
#pragma once

#include <string>

// The path with the extension of its file name replaced by ending, or with
// ending added when the file name has none (a "." in a folder name is no
// extension).
std::string ReplaceFileExtension(const std::string& path, const std::string& ending);

// The database path with the extension of its file name replaced by ".htm".
std::string DatabasePagePath(const std::string& databasePath);

// The "Thumbnails" folder beside the database, with a final separator;
// empty when the path has no folder part.
std::string ThumbnailsFolderPath(const std::string& databasePath);

// The generated page text for a page at pagePath.
std::string GeneratedPageText(const std::string& pagePath);

// Writes the generated page for the database, through a temporary file,
// when no page (or only an empty one) is there yet; shows "Couldn't create
// the file!" or "Couldn't write the file!" on failure.
void WriteDatabasePageIfMissing(const std::string& databasePath);

// The file relative to the program's folder, else to "../share/qor" beside
// it; empty when neither exists.
std::string FindProgramDataFile(const std::string& relative);
