// Marks, item states with their counts, the user's own exclusions and the
// mark log.
#include <algorithm>

#include "database/EngineViews.h"
#include "database/ItemStateScan.h"
#include "database/MarkLog.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

namespace {

bool IsEliminating(BYTE state) { return state == STATE_ELIMINATED || state == STATE_USER_ELIMINATED; }

bool IsLoggedSingleMark(int mark) {
  return mark == MARK_YES || mark == MARK_NO || mark == MARK_NEVER || mark == MARK_ONLY;
}

}  // namespace

bool CZAVDoc::IsItemRemaining(int item) const {
  if (!IsValidIndex(item, m_items.size()) || !IsValidIndex(item, m_itemStates.size())) return false;
  return IsRemainingState(m_itemStates[item]);
}

bool CZAVDoc::IsItemSelected(int item) const {
  if (!IsValidIndex(item, m_items.size()) || !IsValidIndex(item, m_itemStates.size())) return false;
  return IsSelectedState(m_itemStates[item]);
}

bool CZAVDoc::IsItemFullyMatching(int item) const {
  if (!IsValidIndex(item, m_items.size()) || !IsValidIndex(item, m_itemStates.size())) return false;
  return m_itemStates[item] == STATE_REMAINING || m_itemStates[item] == STATE_SELECTED;
}

int CZAVDoc::CountMissingDataItems() const {
  if (!m_missingData) return 0;
  return static_cast<int>(std::count(m_itemStates.begin(), m_itemStates.end(), BYTE{STATE_MISSING_DATA}));
}

BYTE CZAVDoc::GetItemState(int item) const {
  return IsValidIndex(item, m_itemStates.size()) ? m_itemStates[item] : BYTE{STATE_FREE};
}

BYTE CZAVDoc::GetAttributeMark(int attribute) const {
  return IsValidIndex(attribute, m_marks.size()) ? m_marks[attribute] : BYTE{MARK_CLEAR};
}

void CZAVDoc::SetItemState(int item, BYTE state) {
  if (!IsValidIndex(item, m_itemStates.size())) return;
  BYTE& stored = m_itemStates[item];
  // A selected item that fails (5) stays in the remaining count until it
  // is eliminated outright.
  if (IsEliminating(state) && (IsRemainingState(stored) || stored == STATE_SELECTED_ELIMINATED))
    --m_remainingCount;
  else if (!IsEliminating(state) && !IsRemainingState(stored))
    ++m_remainingCount;
  stored = state;
}

void CZAVDoc::SetAttributeMark(int attribute, BYTE mark) {
  if (!IsValidIndex(attribute, m_marks.size())) return;
  BYTE& stored = m_marks[attribute];
  if (stored == MARK_CLEAR && mark != MARK_CLEAR) ++m_markedCount;
  if (stored != MARK_CLEAR && mark == MARK_CLEAR) --m_markedCount;
  stored = mark;
}

int CZAVDoc::CountSelectedItems() const {
  int count = 0;
  for (int i = 0; i < ItemCount(); ++i) count += IsItemSelected(i) ? 1 : 0;
  return count;
}

int CZAVDoc::CountUsedItems() const {
  int count = 0;
  for (const auto& item : m_items) count += item->IsFreeSlot() ? 0 : 1;
  return count;
}

void CZAVDoc::ResetItemStates(bool keepUser) {
  if (m_recountFlag) RecountItems();
  if (m_itemStates.size() < m_items.size()) m_itemStates.resize(m_items.size(), STATE_REMAINING);
  // As SetItemState would for each item, in one pass over the states: the
  // count rises for each item brought back from out of play.
  m_remainingCount = item_states::ResetForMarks(m_itemStates.data(), ItemCount(), keepUser);
}

bool CZAVDoc::ToggleItemExcluded(int item) {
  if (!IsValidIndex(item, m_items.size()) || !IsValidIndex(item, m_itemStates.size())) return false;
  const BYTE before = m_itemStates[item];
  switch (before) {
    case STATE_USER_ELIMINATED:
      SetItemState(item, STATE_REMAINING);
      engine_views::RefreshTree(*this);
      break;
    case STATE_ELIMINATED:
      SetItemState(item, STATE_REMAINING);
      break;
    case STATE_REMAINING:
      SetItemState(item, STATE_USER_ELIMINATED);
      break;
    default:
      return false;
  }
  engine_views::RefreshTree(*this);
  UpdateIdentifiedStatus(false);
  engine_views::ShowCurrentReport(*this);
  if (IItemListView* list = GetItemListView()) {
    const int row = list->GetSelectedRow();
    list->FillList();
    list->SelectRow(before == STATE_USER_ELIMINATED ? row + 1 : row);
    list->OnSelChange();
  }
  return true;
}

void CZAVDoc::ClearAllMarks() {
  platform::WaitCursor wait;
  for (int a = 0; a < static_cast<int>(m_marks.size()); ++a) {
    SetAttributeMark(a, MARK_CLEAR);
    PurgeUndoRecords(MARK_CLEAR, 0, a);
  }
  for (int i = 0; i < ItemCount() && i < static_cast<int>(m_itemStates.size()); ++i) {
    const BYTE state = m_itemStates[i];
    if (state == STATE_USER_ELIMINATED || state == STATE_SELECTED || state == STATE_SELECTED_ELIMINATED)
      SetItemState(i, STATE_REMAINING);
  }
  ResetItemStates(true);
  UpdateRemainingItems();
  UpdateIdentifiedStatus(true);
  engine_views::RefreshTreeAndList(*this);
  constexpr int kGalleryReport = 4;
  constexpr int kEmptyItemPage = -2000;
  if (m_reportKind == kGalleryReport)
    engine_views::ShowCurrentReport(*this);
  else
    engine_views::ShowItemPage(*this, kEmptyItemPage);
  m_forgivenessLevel = 0;
  m_forgivenessOn = 0;
  m_markLog.clear();
}

void CZAVDoc::OnClearAllMarks() {
  ClearAllMarks();
  if (ILeftView* tree = GetLeftView()) tree->CollapseAll();
}

bool CZAVDoc::PurgeUndoRecords(int mark, int node, int attribute) {
  bool removed = false;
  for (std::size_t i = 0; i < m_markLog.size();) {
    MarkLogRecord& record = *m_markLog[i];
    auto* single = record.IsGroup() ? nullptr : static_cast<SingleMarkRecord*>(&record);
    auto* group = record.IsGroup() ? static_cast<MARKUNDO_Object*>(&record) : nullptr;
    bool drop = single && single->key == node && single->attribute == attribute;
    if (!drop && !removed && mark == MARK_CLEAR) {
      if (node == 0) {
        drop = single && single->attribute == attribute;
      } else if (group && group->key == node && attribute >= 0) {
        // Attribute 0 is an attribute like any other and leaves its group too.
        std::erase(group->attributes, attribute);
        drop = group->attributes.empty();
      }
    }
    if (drop) {
      m_markLog.erase(m_markLog.begin() + static_cast<std::ptrdiff_t>(i));
      removed = true;
    } else {
      ++i;
    }
  }
  if (IsLoggedSingleMark(mark)) {
    auto record = std::make_unique<SingleMarkRecord>();
    record->mark = mark;
    record->key = node;
    record->attribute = attribute;
    m_markLog.push_back(std::move(record));
  }
  return true;
}
