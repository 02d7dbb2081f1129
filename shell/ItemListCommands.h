// The item list's commands that change items: duplicate, delete, and the
// re-evaluation after an item's attribute data changed. They act on the
// document and reach the views through the document's view interfaces.
#pragma once

class CZAVDoc;

namespace item_list {

// Copies the item's names, description, pictures and attribute row into a
// new item (a free slot or a new record) without touching the views; the
// new item's index. The item limit is checked before anything changes.
int DuplicateItemRecord(CZAVDoc& doc, int source);

// The whole "Duplicate" command: the copy, the re-evaluation, the list with
// the new item selected and its page. Nothing for a negative item.
void DuplicateItem(CZAVDoc& doc, int source);

// The "Delete" command on the item shown in the selected row: asks, deletes
// on Yes and shows "Item deleted!", then selects the row above (either answer).
void DeleteItem(CZAVDoc& doc, int item, int selectedRow);

// What becomes of the page in the right pane after item data changed.
enum class PageAfterEdit {
  Left,     // the caller shows a page of its own next
  Rebuilt,  // the page shown is made again from the changed data
};

// After an editor changed item data: the item states re-evaluated from the
// marks (keeping the user's exclusions), the tree recounted and the list
// refilled with the item selected again that is selected once the
// re-evaluation has run (an announcement of the one item left selects it).
void ReevaluateAfterItemEdit(CZAVDoc& doc, PageAfterEdit page = PageAfterEdit::Rebuilt);

}  // namespace item_list
