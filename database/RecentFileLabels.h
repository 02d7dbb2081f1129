// The names the recent-file list shows: a file's name alone, or, where two
// listed files share a name, as many of their folders as tell them apart.
#pragma once

#include <string>
#include <vector>

// One label per path, in the same order; folders are joined with "/".
std::vector<std::string> RecentFileLabels(const std::vector<std::string>& paths);
