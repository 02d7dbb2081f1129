// Sorting the name array of the document's current order again, as the item
// list options ask after a change of names or of the order chosen.
#pragma once

class CZAVDoc;

// Sorts the name array of the current order (species names in scientific
// order, item names in common-name order) by the items' display names,
// case-sensitively, and points each item's name index for that order at its
// entry's new position. Entries with equal names keep no defined order.
void SortCurrentNameOrder(CZAVDoc& document);
