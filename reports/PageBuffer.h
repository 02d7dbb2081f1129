// The page buffer: the one text every report writes its page into. Its
// storage is reserved once and grows by doubling, so a page of several
// hundred thousand characters is written without a reallocation per append.
#pragma once

#include <string>

std::string& ReportPageBuffer();

// Sets the buffer to one blank, keeping its storage (every report constructor).
void ResetPageBuffer();

// When fewer than 300 characters of room remain (or fewer than the text
// about to be appended needs), doubles the storage until they do; the grown
// text begins with one more blank.
void EnsurePageRoom(std::size_t needed = 0);
