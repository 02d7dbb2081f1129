// Small texts several pages share: mark names and menu title paths.
#pragma once

#include <string>

#include "database/Records.h"

class CZAVDoc;

// "YES", "OR", "NO", "NEVER", "ONLY" for marks 1 to 5; empty otherwise.
const char* MarkName(BYTE mark);

// "&nbsp;&bull;&nbsp;" + the mark name; empty for an unmarked attribute.
std::string MarkSuffix(BYTE mark);

// Plain text: the titles from the topmost menu below the root down to the
// menu, joined by " / ". Empty for the root itself.
std::string MenuTitlePath(const CZAVDoc& doc, int menu);
