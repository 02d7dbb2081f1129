#include "shell/TreeDropRules.h"

#include <algorithm>
#include <string>
#include <vector>

#include "database/MenuDepth.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "shell/MenuTree.h"
#include "shell/TreeDocumentCalls.h"

namespace {

// Moves entry from of src so that it stands right after entry after of dst
// (-1: at the front). Inserting first keeps the value when both are one list.
template <class T>
void MoveListEntry(std::vector<T>& src, std::vector<T>& dst, int from, int after) {
  if (from < 0 || from >= static_cast<int>(src.size())) ThrowErrorMessage("Can't move! Wrong source index.");
  if (after < -1 || after >= static_cast<int>(dst.size())) ThrowErrorMessage("Can't move! Wrong destination index.");
  const T value = src[from];
  dst.insert(dst.begin() + (after + 1), value);
  const int removeAt = (&src == &dst && from > after) ? from + 1 : from;
  src.erase(src.begin() + removeAt);
}

int PositionIn(const std::vector<WORD>& list, int value) {
  const auto it = std::find(list.begin(), list.end(), static_cast<WORD>(value));
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// Moves a menu's or an attribute's entry between the child lists of two menus.
void MoveChildEntry(CZAVDoc& doc, int entry, int oldMenu, int newMenu, int afterEntry) {
  auto& oldList = doc.GetMenu(oldMenu).children;
  MoveListEntry(oldList, doc.GetMenu(newMenu).children, PositionIn(oldList, entry), afterEntry);
}

void Tell(const char* text) { platform::Ui().ShowMessage(text); }

}  // namespace

bool CTreeDropRules::CanDrag(HTREEITEM node) const {
  const CTreeNodes& nodes = m_tree.Nodes();
  return m_tree.GetDocument().IsEditable() && nodes.IsValid(node) && nodes.Parent(node) != kNoNode;
}

bool CTreeDropRules::IsAncestor(HTREEITEM node, HTREEITEM ancestor) const {
  for (HTREEITEM p = m_tree.Nodes().Parent(node); p != kNoNode; p = m_tree.Nodes().Parent(p))
    if (p == ancestor) return true;
  return false;
}

HTREEITEM CTreeDropRules::Drop(HTREEITEM target, HTREEITEM dragged) {
  const CTreeNodes& nodes = m_tree.Nodes();
  if (!CanDrag(dragged) || !nodes.IsValid(target)) return kNoNode;
  if (target == dragged) {
    Tell("An item can't be dropped onto itself");
    return kNoNode;
  }
  if (target == nodes.Parent(dragged)) return MoveToFirst(dragged);
  if (IsAncestor(target, dragged)) {
    Tell("An item can't be dropped onto one of its children");
    return kNoNode;
  }
  return MoveNode(target, dragged);
}

HTREEITEM CTreeDropRules::MoveToFirst(HTREEITEM node) {
  CZAVDoc& doc = m_tree.GetDocument();
  const CTreeNodes& nodes = m_tree.Nodes();
  const HTREEITEM parent = nodes.Parent(node);
  const int data = static_cast<int>(nodes.Data(node));
  switch (m_tree.GetNodeKind(node)) {
    case KIND_MENU:
    case KIND_ATTRIBUTE_MENU:
      return MoveMenu(node, doc.GetMenu(data).parent, parent, -1, kInsertFirst);
    case KIND_ATTRIBUTE:
      return MoveAttribute(node, doc.GetAttribute(data).menuIndex, parent, -1, kInsertFirst);
    case KIND_REFERENCE:
      return MoveReference(data, -1);
    default:
      Tell("Can't make first");
      return kNoNode;
  }
}

HTREEITEM CTreeDropRules::MoveNode(HTREEITEM target, HTREEITEM dragged) {
  CZAVDoc& doc = m_tree.GetDocument();
  const CTreeNodes& nodes = m_tree.Nodes();
  const int draggedKind = m_tree.GetNodeKind(dragged);
  const int targetKind = m_tree.GetNodeKind(target);
  const int t = static_cast<int>(nodes.Data(target));
  const bool draggedMenu = draggedKind == KIND_MENU || draggedKind == KIND_ATTRIBUTE_MENU;
  bool submenu = targetKind == KIND_MENU_ROOT;
  if (draggedMenu && targetKind == KIND_MENU) {
    const MenuDropChoice choice = m_ask ? m_ask() : MenuDropChoice::Dismissed;
    platform::Ui().Trace("submenu command = " + std::to_string(static_cast<int>(choice)) + " \n");
    if (choice == MenuDropChoice::Dismissed) return kNoNode;
    submenu = choice == MenuDropChoice::Submenu;
  }
  if (draggedMenu && submenu && (targetKind == KIND_MENU || targetKind == KIND_MENU_ROOT))
    return MoveMenu(dragged, t, target, -1, kInsertFirst);
  if (draggedMenu && !submenu && (targetKind == KIND_MENU || targetKind == KIND_ATTRIBUTE_MENU)) {
    const int parentMenu = doc.GetMenu(t).parent;
    return MoveMenu(dragged, parentMenu, nodes.Parent(target), PositionIn(doc.GetMenu(parentMenu).children, t), target);
  }
  if (draggedKind == KIND_ATTRIBUTE && targetKind == KIND_ATTRIBUTE_MENU) {
    const int last = static_cast<int>(doc.GetMenu(t).children.size()) - 1;
    return MoveAttribute(dragged, t, target, last, kInsertLast);
  }
  if (draggedKind == KIND_ATTRIBUTE && targetKind == KIND_ATTRIBUTE) {
    const int menu = doc.GetAttribute(t).menuIndex;
    return MoveAttribute(dragged, menu, nodes.Parent(target), PositionIn(doc.GetMenu(menu).children, t), target);
  }
  if (draggedKind == KIND_REFERENCE && targetKind == KIND_REFERENCE)
    return MoveReference(static_cast<int>(nodes.Data(dragged)), t);
  Tell("Can't move");
  return kNoNode;
}

HTREEITEM CTreeDropRules::MoveMenu(HTREEITEM dragged, int newParent, HTREEITEM parentNode, int afterEntry,
                                   HTREEITEM afterNode) {
  CZAVDoc& doc = m_tree.GetDocument();
  const int menu = static_cast<int>(m_tree.Nodes().Data(dragged));
  CQMenudata& record = doc.GetMenu(menu);
  if (newParent != record.parent && !BranchFitsBelow(doc, newParent, BranchLevels(doc, menu))) {
    platform::Ui().ShowMessage(TooDeepMessage());
    return kNoNode;
  }
  MoveChildEntry(doc, menu, record.parent, newParent, afterEntry);
  record.parent = static_cast<WORD>(newParent);
  m_tree.Nodes().Delete(dragged);
  const int image = record.kind == MENU_OF_MENUS ? IMAGE_MENU : IMAGE_ATTRIBUTE_MENU;
  const HTREEITEM moved = m_tree.InsertNode(parentNode, nullptr, static_cast<std::uint32_t>(menu), afterNode, image);
  m_tree.BuildMenuSubtree(moved, menu);
  return Finish(moved);
}

HTREEITEM CTreeDropRules::MoveAttribute(HTREEITEM dragged, int newMenu, HTREEITEM parentNode, int afterEntry,
                                        HTREEITEM afterNode) {
  CZAVDoc& doc = m_tree.GetDocument();
  const int attribute = static_cast<int>(m_tree.Nodes().Data(dragged));
  CQAttdata& record = doc.GetAttribute(attribute);
  MoveChildEntry(doc, attribute, record.menuIndex, newMenu, afterEntry);
  record.menuIndex = static_cast<WORD>(newMenu);
  m_tree.Nodes().Delete(dragged);
  return Finish(m_tree.InsertNode(parentNode, nullptr, static_cast<std::uint32_t>(attribute), afterNode,
                                  m_tree.GetAttributeImage(attribute)));
}

// The reference nodes carry their reference's position, so after a move
// they are made again in the new order.
HTREEITEM CTreeDropRules::MoveReference(int reference, int afterReference) {
  CZAVDoc& doc = m_tree.GetDocument();
  doc.MoveReferenceTitle(reference, afterReference);
  const int movedTo = reference > afterReference ? afterReference + 1 : afterReference;
  const HTREEITEM root = m_tree.ReferencesRoot();
  m_tree.DeleteChildren(root);
  HTREEITEM moved = kNoNode;
  for (int r = 0; r < static_cast<int>(doc.m_referenceTitles.size()); ++r) {
    const HTREEITEM node = m_tree.InsertNode(root, nullptr, static_cast<std::uint32_t>(r), kInsertLast, IMAGE_MENU);
    if (r == movedTo) moved = node;
  }
  return Finish(moved);
}

// A move changes which menus an item has data in, and the page shown may
// list the moved node.
HTREEITEM CTreeDropRules::Finish(HTREEITEM moved) {
  CZAVDoc& doc = m_tree.GetDocument();
  doc.UpdateMissingDataBits();
  doc.SetModifiedFlag();
  m_tree.RefreshTree();
  treedoc::ShowCurrentReport(doc);
  return moved;
}
