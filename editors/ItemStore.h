// Stores what the item editor holds into the document: a new item, or the
// fields of an existing one that differ from what was loaded.
#pragma once

#include "editors/ItemForm.h"

class CZAVDoc;

namespace editors {

// Stores the fields; item -1 makes a new item. Returns the item's index.
// The error box when a new item does not fit ("Can't add. Too many items!").
int StoreItemFields(CZAVDoc& document, int item, ItemFields fields, const ItemFields& loaded);

// The row Next (forward) or Previous steps to, wrapping at either end.
int StepItemRow(int row, int rowCount, bool forward);

}  // namespace editors
