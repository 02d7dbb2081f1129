// Help pages from the program's "hlp" folder, and HTML texts shown in a
// window of their own (the picture viewer).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The topic is a file name with an optional "#anchor", or a whole HTML text.
// modal: the help dialog; else a window of its own.
void ShowHelp(const std::string& topic, bool modal);

// Where the topic's file is found, nothing when it is not or when the name
// is absolute or climbs out with "..".
std::optional<std::filesystem::path> FindHelpFile(const std::string& fileName);

// The picture chooser of the editors: a name relative to the database
// folder, empty when nothing was chosen.
std::string ChooseImageFile(const std::string& current);
