// Setting or clearing one attribute for every item the list shows as
// remaining (states 1, 3 and 4), as the attribute-data editor and the
// region dialog offer it.
#pragma once

#include <string>

class CZAVDoc;

// "Mark all items in the list as having the attribute Colour: Red?"
std::string MarkAllQuestion(const CZAVDoc& doc, int attribute, bool set);

// Sets or clears the attribute's bit in the row of every remaining item;
// the data bits follow, the document is modified and must be recounted.
void SetAttributeForListedItems(CZAVDoc& doc, int attribute, bool set);

// Asks, then sets or clears; true when the user said Yes.
bool AskAndMarkAllInList(CZAVDoc& doc, int attribute, bool set);
