// The names of a ";"-separated picture list, as every reader of one takes them.
#pragma once

#include <string>
#include <vector>

// Appends the non-empty pieces of the list.
void SplitList(const std::string& text, std::vector<std::string>& names);
