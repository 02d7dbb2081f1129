// Marking from the tree: the mark core, OR marks through picture regions and
// setting one attribute for many items.
#include <memory>

#include "database/BitMatrix.h"
#include "database/EngineViews.h"
#include "database/MarkLog.h"
#include "shell/MenuTree.h"
#include "database/RegionAttributes.h"
#include "shell/TreeDocumentCalls.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"

bool g_partialMatchWarned = false;

static constexpr const char* kPartialMatchText =
    "Only partial matches with missing data or\r\nselected but eliminated items remain.";

static void RefreshTreeView(CZAVDoc& doc, CMenuTree& tree) {
  if (ILeftView* view = doc.GetLeftView())
    view->RefreshTree();
  else
    tree.RefreshTree();
}

void CMenuTree::StoreMark(int mark, HTREEITEM node) {
  const int attribute = static_cast<int>(m_nodes.Data(node));
  treedoc::SetMark(m_doc, attribute, mark);
  m_nodes.SetImage(node, GetAttributeImage(attribute));
  treedoc::PurgeUndo(m_doc, mark, node, attribute);
}

void CMenuTree::MarkAttribute(int mark, HTREEITEM node, bool ctrlHeld) {
  if (GetNodeKind(node) != KIND_ATTRIBUTE) return;
  IItemListView* list = m_doc.GetItemListView();
  // A list without a selected row is no reason to refuse the mark.
  const int remembered = list ? list->GetSelectedItemOrNone() : -1;
  platform::WaitCursor wait;
  if (ctrlHeld) {
    for (HTREEITEM sibling : m_nodes.Children(m_nodes.Parent(node))) StoreMark(mark, sibling);
    // An OR image depends on the other OR marks of the menu.
    UpdateAttributeImages(m_nodes.Parent(node));
  } else {
    StoreMark(mark, node);
  }
  if (m_doc.ItemCount() == 0) return;
  ReevaluateAfterMark(remembered);
}

static bool AnyItemFullyMatching(const CZAVDoc& doc) {
  for (int item = 0; item < doc.ItemCount(); ++item)
    if (doc.IsItemFullyMatching(item)) return true;
  return false;
}

void CMenuTree::ReevaluateAfterMark(int remembered) {
  treedoc::ResetStates(m_doc, true);
  treedoc::Eliminate(m_doc);
  const bool filled = m_doc.m_remainingCount > 0;
  if (filled) {
    if (AnyItemFullyMatching(m_doc)) {
      g_partialMatchWarned = false;
    } else {
      if (!g_partialMatchWarned) platform::Ui().ShowMessage(kPartialMatchText);
      g_partialMatchWarned = true;
    }
    engine_views::FillItemList(m_doc);
    RefreshTreeView(m_doc, *this);
    treedoc::ShowCurrentReport(m_doc);
  }
  treedoc::Announce(m_doc, false);
  // The page made above stands, or the item page the announcement showed:
  // made again it would be the same page. Neither changes an item's state,
  // so the rows filled above stay right too.
  if (!filled) treedoc::ShowCurrentReport(m_doc);
  IItemListView* list = m_doc.GetItemListView();
  if (list && filled)
    list->RefillUnchangedRows();
  else
    engine_views::FillItemList(m_doc);
  if (list) {
    if (remembered >= 0 && treedoc::IsRemaining(m_doc, remembered))
      list->SelectItem(remembered);
    else
      list->SelectRow(0);
  }
}

void CMenuTree::ApplyRegionOrMarks(HTREEITEM menuNode, const std::vector<RegionAttribute>& regions) {
  auto record = std::make_unique<MARKUNDO_Object>(MARK_OR, menuNode);
  for (const RegionAttribute& region : regions) {
    if (region.attribute < 0 || region.attribute >= m_doc.AttributeCount()) continue;
    if (region.selected) {
      treedoc::SetMark(m_doc, region.attribute, MARK_OR);
      record->attributes.push_back(region.attribute);
    } else if (treedoc::GetMark(m_doc, region.attribute) == MARK_OR) {
      treedoc::SetMark(m_doc, region.attribute, MARK_CLEAR);
      treedoc::PurgeUndo(m_doc, MARK_CLEAR, kNoNode, region.attribute);
    }
  }
  m_doc.m_markLog.push_back(std::move(record));
  treedoc::ResetStates(m_doc, true);
  treedoc::Eliminate(m_doc);
  treedoc::Announce(m_doc, false);
  UpdateAttributeImages(menuNode);
  engine_views::FillItemList(m_doc);
  RefreshTreeView(m_doc, *this);
  treedoc::ShowCurrentReport(m_doc);
}

bool CMenuTree::SetAttributeForAllItems(bool set, int attribute) {
  const char* question = set ? "The attribute will be set for remaining items.\n Are you sure?"
                             : "The attribute will be cleared for all items.\n Are you sure?";
  if (!platform::Ui().AskYesNo(question, false)) return false;
  if (m_doc.AttributeCount() == 0 || m_doc.ItemCount() == 0) ThrowErrorMessage("Database is empty");
  if (attribute < 0 || attribute >= m_doc.AttributeCount()) ThrowErrorMessage("Wrong attribute index.");
  for (int item = 0; item < m_doc.ItemCount(); ++item) {
    const int state = treedoc::ItemState(m_doc, item);
    const bool changes = treedoc::IsRemaining(m_doc, item) || (!set && state == STATE_USER_ELIMINATED);
    DWORD* row = changes ? m_doc.GetItemAttributeBits(item) : nullptr;
    if (!row) continue;
    if (set)
      SetBit(row, static_cast<WORD>(attribute));
    else
      ClearBit(row, static_cast<WORD>(attribute));
  }
  m_doc.RequestRecount();
  treedoc::ResetStates(m_doc, true);
  treedoc::Eliminate(m_doc);
  treedoc::Announce(m_doc, false);
  engine_views::FillItemList(m_doc);
  RefreshTreeView(m_doc, *this);
  return true;
}
