// The apply step of the menu clipboard: a checked branch into a document.
#pragma once

#include <vector>

#include "editors/ClipboardBranch.h"

class CZAVDoc;

// What a paste inserted, so that the tree can show it.
struct PastedBranch {
  int top = -1;  // the slot of the branch's top record
  bool topIsMenu = true;
  std::vector<int> menus;       // the slots the branch's menus took, in stream order
  std::vector<int> attributes;  // the slots its attributes took, in stream order
};

// Inserts the branch below the menu parentMenu, its top at position in the
// menu's child list (-1 or past the end: last). New menus and attributes
// take the free slots first, then new records at the end; pasted
// attributes start without item data. Afterwards the marks are reset and
// the document is modified.
//
// Refused whole through the error box, with nothing changed: on a locked
// database, for a parent that is no menu or cannot hold the branch's top,
// and when a menu or attribute would take a slot beyond the limit ("Too
// many menues!", "Too many Attributes!").
PastedBranch PasteBranch(CZAVDoc& doc, int parentMenu, const ClipboardBranch& branch, int position = -1);
