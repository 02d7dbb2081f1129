// Sorting the name array of the document's current order again, as the item
// list options ask after a change of names or of the order chosen.
#pragma once

class CZAVDoc;

// Sorts the name array of the current order (species names in scientific
// order, item names in common-name order) by the items' display names,
// case-sensitively, and points each item's name index for that order at its
// entry's new position. Entries with equal names keep no defined order.
void SortCurrentNameOrder(CZAVDoc& document);

// Sorts the name array of the given order by the display names its items
// have in that order, without regard to case; items of equal names keep
// their order. Each item's index for that order follows its entry, and an
// entry's item that named another entry is pointed at this one first.
void SortNameArray(CZAVDoc& document, int order);

// Sorts every name array of an enabled name kind: the list shows either,
// and new items are inserted into both at their sorted places.
void SortNameArrays(CZAVDoc& document);
