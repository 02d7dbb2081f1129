#include "editors/SteppingItemEditor.h"

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/Ui.h"

SteppingItemEditor::SteppingItemEditor(CZAVDoc& doc, int item, int listRow)
    : m_doc(doc), m_item(item), m_listRow(listRow) {}

void SteppingItemEditor::Load() {
  m_itemName = GetItemDisplayName(m_doc, m_item);
  LoadItem();
}

void SteppingItemEditor::Ok() {
  if (IsModified()) Store();
  OnClose();
}

bool SteppingItemEditor::Cancel() {
  if (IsModified()) {
    const int answer = platform::Ui().AskYesNoCancel(SaveQuestion());
    if (answer < 0) return false;
    if (answer > 0) Store();
  }
  OnClose();
  return true;
}

void SteppingItemEditor::ShowListRow() const {
  if (IItemListView* list = m_doc.GetItemListView()) {
    list->SelectRow(m_listRow);
    list->OnSelChange();
  }
}

int StepToItemRow(int rowCount, int row, int direction, const std::function<int(int)>& itemAtRow) {
  if (rowCount <= 0) return -1;
  for (int step = 1; step <= rowCount; ++step) {
    const int candidate = ((row + direction * step) % rowCount + rowCount) % rowCount;
    if (itemAtRow(candidate) >= 0) return candidate;
  }
  return -1;
}

void SteppingItemEditor::Step(int direction) {
  IItemListView* list = m_doc.GetItemListView();
  if (!list) return;
  if (IsModified()) Store();
  // Rows without an item are passed over; with none holding one the editor stays.
  const int row = StepToItemRow(list->RowCount(), m_listRow, direction, [list](int r) { return list->ItemAtRow(r); });
  if (row < 0) return;
  m_listRow = row;
  ShowListRow();
  m_item = list->ItemAtRow(row);
  Load();
}
