// Small texts several pages share: mark names and menu title paths.
#pragma once

#include <string>
#include <vector>

#include "database/Records.h"

class CZAVDoc;

// "YES", "OR", "NO", "NEVER", "ONLY" for marks 1 to 5; empty otherwise.
const char* MarkName(BYTE mark);

// "&nbsp;&bull;&nbsp;" + the mark name; empty for an unmarked attribute.
std::string MarkSuffix(BYTE mark);

// Plain text: the titles from the topmost menu below the root down to the
// menu, joined by " / ". Empty for the root itself.
std::string MenuTitlePath(const CZAVDoc& doc, int menu);

// The menus below the root in the tree's order; attributeMenusOnly keeps the
// menus of attributes alone. The root is left out: the pages write its own
// attributes apart from the others.
std::vector<WORD> MenusBelowRoot(const CZAVDoc& doc, bool attributeMenusOnly);
