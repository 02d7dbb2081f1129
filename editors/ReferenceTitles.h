// Adding and renaming reference titles. Every item in use keeps one page per
// title, so a new title gives each of them an empty page at its place.
#pragma once

#include <string>

class CZAVDoc;

// index -1 appends a new title, else the title at index is replaced. A blank
// title is refused through the error box ("Reference title must be entered").
// Returns the title's index.
int StoreReferenceTitle(CZAVDoc& doc, int index, const std::string& title);
