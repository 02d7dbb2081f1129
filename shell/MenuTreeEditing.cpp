#include "shell/MenuTreeEditing.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "database/MenuDepth.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "reports/Action.h"
#include "reports/Report.h"
#include "shell/TreeDocumentCalls.h"

namespace {

bool AskSure() { return platform::Ui().AskYesNo("Are you sure", false); }

void ShowTitledPage(CZAVDoc& doc, const char* title) { CReport(doc, title).Execute(nullptr, 0); }

void EraseEntry(std::vector<WORD>& list, int value) {
  auto it = std::find(list.begin(), list.end(), static_cast<WORD>(value));
  if (it != list.end()) list.erase(it);
}

}  // namespace

CMenuTreeEditing::CMenuTreeEditing(CMenuTree& tree) : m_tree(tree), m_doc(tree.GetDocument()) {}

bool CMenuTreeEditing::CanInsertAttribute(int kind) {
  return kind == KIND_ATTRIBUTE || kind == KIND_ATTRIBUTE_MENU || kind == KIND_ATTRIBUTE_ROOT;
}

bool CMenuTreeEditing::CanInsertMenu(int kind) { return kind == KIND_MENU_ROOT || kind == KIND_MENU; }

bool CMenuTreeEditing::CanEditMenu(int kind) {
  return kind == KIND_MENU_ROOT || kind == KIND_MENU || kind == KIND_ATTRIBUTE_MENU || kind == KIND_ATTRIBUTE_ROOT;
}

// The slot is read as the 16-bit number the records store.
void CMenuTreeEditing::CheckNewAttributeLimit(const CZAVDoc& doc) {
  if (static_cast<WORD>(doc.FindFreeAttribute()) > kMaxAttributesOrMenus) ThrowErrorMessage("Too many Attributes!");
}

void CMenuTreeEditing::CheckNewMenuLimit(const CZAVDoc& doc) {
  if (static_cast<WORD>(doc.FindFreeMenu()) > kMaxAttributesOrMenus) ThrowErrorMessage("Too many menues!");
}

void CMenuTreeEditing::SetModifiedAndRefresh() {
  m_doc.UpdateMissingDataBits();
  m_doc.SetModifiedFlag();
  m_doc.ShowReport(false);
}

void CMenuTreeEditing::RefreshTreeView() {
  if (ILeftView* view = m_doc.GetLeftView())
    view->RefreshTree();
  else
    m_tree.RefreshTree();
}

HTREEITEM CMenuTreeEditing::InsertAttribute(HTREEITEM selected, const AttributeEditor& edit) {
  const int kind = m_tree.GetNodeKind(selected);
  if (!CanInsertAttribute(kind)) return kNoNode;
  const bool afterSelected = kind == KIND_ATTRIBUTE;
  const HTREEITEM menuNode = afterSelected ? m_tree.Nodes().Parent(selected) : selected;
  const int menu = IndexOf(menuNode);
  CheckNewAttributeLimit(m_doc);
  int attribute = -1;
  if (!edit(attribute, menu)) return kNoNode;
  HTREEITEM after = kInsertLast;
  if (afterSelected) {
    // The editor appended the attribute; it moves right after the selected one.
    std::vector<WORD>& children = m_doc.GetMenu(menu).children;
    EraseEntry(children, attribute);
    auto at = std::find(children.begin(), children.end(), static_cast<WORD>(IndexOf(selected)));
    children.insert(at == children.end() ? at : at + 1, static_cast<WORD>(attribute));
    after = selected;
  }
  const HTREEITEM node = m_tree.InsertNode(menuNode, nullptr, attribute, after, IMAGE_ATTRIBUTE);
  RefreshTreeView();
  SetModifiedAndRefresh();
  return node;
}

HTREEITEM CMenuTreeEditing::InsertMenu(HTREEITEM selected, bool attributeMenu, const MenuEditor& edit) {
  if (!CanInsertMenu(m_tree.GetNodeKind(selected))) return kNoNode;
  CheckNewMenuLimit(m_doc);
  // Refused before the editor opens, as the menu count is.
  if (!BranchFitsBelow(m_doc, IndexOf(selected), 1)) ThrowErrorMessage(TooDeepMessage());
  int menu = -1;
  if (!edit(menu, IndexOf(selected), attributeMenu)) return kNoNode;
  const HTREEITEM node =
      m_tree.InsertNode(selected, nullptr, menu, kInsertLast, attributeMenu ? IMAGE_ATTRIBUTE_MENU : IMAGE_MENU);
  SetModifiedAndRefresh();
  // The new menu is the selected node: its page, not the one before, is shown.
  m_tree.ShowNodeReport(node);
  return node;
}

HTREEITEM CMenuTreeEditing::InsertReference(HTREEITEM selected, const ReferenceEditor& edit) {
  const int kind = m_tree.GetNodeKind(selected);
  if ((kind != KIND_REFERENCES_ROOT && kind != KIND_REFERENCE) || !edit(-1)) return kNoNode;
  const int reference = static_cast<int>(m_doc.m_referenceTitles.size()) - 1;
  const HTREEITEM node = m_tree.InsertNode(m_tree.ReferencesRoot(), nullptr, reference, kInsertLast, IMAGE_MENU);
  SetModifiedAndRefresh();
  return node;
}

bool CMenuTreeEditing::EditReference(HTREEITEM node, const ReferenceEditor& edit) {
  if (m_tree.GetNodeKind(node) != KIND_REFERENCE || !edit(IndexOf(node))) return false;
  m_tree.Nodes().Relabel(node);
  SetModifiedAndRefresh();
  return true;
}

bool CMenuTreeEditing::EditMenu(HTREEITEM node, const MenuEditor& edit) {
  const int kind = m_tree.GetNodeKind(node);
  if (!CanEditMenu(kind)) return false;
  int menu = IndexOf(node);
  const HTREEITEM parentNode = m_tree.Nodes().Parent(node);
  const int parent = parentNode == kNoNode ? 0 : IndexOf(parentNode);
  if (!edit(menu, parent, kind == KIND_ATTRIBUTE_MENU)) return false;
  m_tree.Nodes().Relabel(node);
  m_doc.UpdateMissingDataBits();
  m_doc.SetModifiedFlag();
  treedoc::ShowMenuItemReport(m_doc, menu);
  return true;
}

bool CMenuTreeEditing::EditAttribute(HTREEITEM node, const AttributeEditor& edit) {
  if (m_tree.GetNodeKind(node) != KIND_ATTRIBUTE) return false;
  int attribute = IndexOf(node);
  if (!edit(attribute, m_doc.GetAttribute(attribute).menuIndex)) return false;
  m_tree.Nodes().Relabel(node);
  m_doc.UpdateMissingDataBits();
  m_doc.SetModifiedFlag();
  treedoc::ShowAttributePage(m_doc, attribute, false);
  return true;
}

bool CMenuTreeEditing::DeleteAttribute(HTREEITEM node) {
  if (m_tree.GetNodeKind(node) != KIND_ATTRIBUTE) return false;
  IItemListView* list = m_doc.GetItemListView();
  const int row = list ? list->GetSelectedRow() : -1;
  const bool sure = AskSure();
  if (sure) {
    const int attribute = IndexOf(node);
    m_doc.ClearAllMarks();
    m_tree.Nodes().Delete(node);
    const WORD menu = m_doc.GetAttribute(attribute).menuIndex;
    m_doc.ClearAttribute(attribute);
    if (menu < m_doc.MenuCount()) EraseEntry(m_doc.GetMenu(menu).children, attribute);
    ShowTitledPage(m_doc, "Attribute item deleted!");
    SetModifiedAndRefresh();
  }
  // Whatever the answer, the page of the item chosen in the list comes back.
  if (list && row >= 0) {
    list->SelectRow(row);
    list->OnSelChange();
  }
  return sure;
}

// Whether freeing the menu frees attributes too: their marks would otherwise
// stay behind, invisible, and keep eliminating items.
bool CMenuTreeEditing::SubtreeHoldsAttributes(int menu) const {
  std::vector<bool> seen(m_doc.MenuCount(), false);
  std::vector<int> stack{menu};
  while (!stack.empty()) {
    const int m = stack.back();
    stack.pop_back();
    if (m < 0 || m >= m_doc.MenuCount() || seen[m]) continue;
    seen[m] = true;
    const CQMenudata& record = m_doc.GetMenu(m);
    if (record.kind == MENU_OF_ATTRIBUTES && !record.children.empty()) return true;
    if (record.kind == MENU_OF_MENUS) stack.insert(stack.end(), record.children.begin(), record.children.end());
  }
  return false;
}

bool CMenuTreeEditing::DeleteMenu(HTREEITEM node) {
  const int kind = m_tree.GetNodeKind(node);
  if (kind != KIND_MENU && kind != KIND_ATTRIBUTE_MENU) return false;
  if (!AskSure()) return false;
  const int menu = IndexOf(node);
  if (SubtreeHoldsAttributes(menu)) m_doc.ClearAllMarks();
  m_tree.Nodes().Delete(node);
  const WORD parent = m_doc.GetMenu(menu).parent;
  m_doc.ClearMenu(menu);
  if (parent < m_doc.MenuCount()) EraseEntry(m_doc.GetMenu(parent).children, menu);
  ShowTitledPage(m_doc, "Menu item deleted!");
  SetModifiedAndRefresh();
  return true;
}

bool CMenuTreeEditing::DeleteReference(HTREEITEM node) {
  if (m_tree.GetNodeKind(node) != KIND_REFERENCE) return false;
  const auto reference = static_cast<std::size_t>(m_tree.Nodes().Data(node));
  if (reference >= m_doc.m_referenceTitles.size() || !AskSure()) return false;
  m_tree.Nodes().Delete(node);
  m_doc.RemoveReferenceTitle(static_cast<int>(reference));
  if (treedoc::ShowsReferences(m_doc)) m_tree.FillReferences();
  SetModifiedAndRefresh();
  return true;
}

bool CMenuTreeEditing::SortAttributeMenu(HTREEITEM node) {
  if (m_tree.GetNodeKind(node) != KIND_ATTRIBUTE_MENU) return false;
  CQMenudata& menu = m_doc.GetMenu(IndexOf(node));
  std::vector<std::pair<const std::string*, WORD>> pairs;
  for (HTREEITEM child : m_tree.Nodes().Children(node)) {
    const WORD attribute = static_cast<WORD>(m_tree.Nodes().Data(child));
    pairs.emplace_back(&m_doc.GetAttribute(attribute).name, attribute);
    EraseEntry(menu.children, attribute);
  }
  m_tree.Nodes().DeleteChildren(node);
  // Byte order, letter case counting: "Alpha" < "alpha" < "beta".
  std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return *a.first < *b.first; });
  for (const auto& [name, attribute] : pairs) {
    m_tree.InsertNode(node, nullptr, attribute, kInsertLast, m_tree.GetAttributeImage(attribute));
    menu.children.push_back(attribute);
  }
  // The order alone changed: which items have data in which menu stays, so
  // the data bits are not rebuilt (at the size limits that rebuild would be
  // most of the command's time).
  m_doc.SetModifiedFlag();
  m_doc.ShowReport(false);
  return true;
}
