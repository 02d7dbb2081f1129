#include "shell/MenuTree.h"

#include "shell/TreeDocumentCalls.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/ErrorBox.h"

CMenuTree::CMenuTree(CZAVDoc& doc) : m_doc(doc) {}

HTREEITEM CMenuTree::InsertNode(HTREEITEM parent, const char* text, std::uint32_t data, HTREEITEM after, int image) {
  std::string fixed = text ? text : "";
  HTREEITEM node = m_nodes.Insert(parent, after, data, image, text ? &fixed : nullptr);
  if (node == kNoNode) ThrowErrorMessage("Insertion in tree failed.");
  return node;
}

static int MenuImage(const CQMenudata& menu) { return menu.kind == MENU_OF_MENUS ? IMAGE_MENU : IMAGE_ATTRIBUTE_MENU; }

void CMenuTree::OnInitialUpdate() {
  if (m_doc.MenuCount() == 0) ThrowErrorMessage("Error creating file");
  m_menuRoot = InsertNode(kNoNode, nullptr, 0, kInsertLast, MenuImage(m_doc.GetMenu(0)));
  OnUpdate();
}

void CMenuTree::OnUpdate() {
  // Refilled whether shown or not: hiding them takes their subtree away.
  FillReferences();
  m_nodes.DeleteChildren(m_menuRoot);
  if (m_doc.MenuCount() > 0) {
    m_nodes.SetImage(m_menuRoot, MenuImage(m_doc.GetMenu(0)));
    BuildMenuSubtree(m_menuRoot, 0);
  }
  // The nodes were built with the images of the old counts.
  RefreshTree();
  if (auto* list = m_doc.GetItemListView()) list->FillList();
}

void CMenuTree::BuildMenuSubtree(HTREEITEM node, int menuIndex) {
  const WORD index = static_cast<WORD>(menuIndex);
  if (index >= m_doc.MenuCount()) return;
  const CQMenudata& menu = m_doc.GetMenu(index);
  if (menu.kind == MENU_OF_MENUS) {
    for (auto it = menu.children.rbegin(); it != menu.children.rend(); ++it) {
      if (*it >= m_doc.MenuCount()) continue;
      HTREEITEM child = InsertNode(node, nullptr, *it, kInsertFirst, MenuImage(m_doc.GetMenu(*it)));
      BuildMenuSubtree(child, *it);
    }
  } else if (menu.kind == MENU_OF_ATTRIBUTES) {
    for (WORD attribute : menu.children)
      InsertNode(node, nullptr, attribute, kInsertLast, GetAttributeImage(attribute));
  }
}

void CMenuTree::FillReferences() {
  if (m_referencesRoot != kNoNode) {
    m_nodes.Delete(m_referencesRoot);
    m_referencesRoot = kNoNode;
  }
  if (!treedoc::ShowsReferences(m_doc)) return;
  m_referencesRoot = InsertNode(kNoNode, "References", 0, kInsertLast, IMAGE_MENU);
  for (int r = static_cast<int>(m_doc.m_referenceTitles.size()) - 1; r >= 0; --r)
    InsertNode(m_referencesRoot, nullptr, r, kInsertFirst, IMAGE_MENU);
}

void CMenuTree::ShowDescriptionNode(bool shown) {
  if (m_descriptionNode != kNoNode) m_nodes.Delete(m_descriptionNode);
  m_descriptionNode = kNoNode;
  if (shown) m_descriptionNode = InsertNode(kNoNode, "Database Description", 0, kInsertLast, IMAGE_MENU);
}

int CMenuTree::GetNodeKind(HTREEITEM node) const {
  if (node == kNoNode || node == m_descriptionNode || !m_nodes.IsValid(node)) return KIND_DB_DESCRIPTION;
  if (node == m_menuRoot) {
    if (m_doc.MenuCount() == 0) return KIND_MENU_ROOT;
    return m_doc.GetMenu(0).kind == MENU_OF_ATTRIBUTES ? KIND_ATTRIBUTE_ROOT : KIND_MENU_ROOT;
  }
  if (node == m_referencesRoot) return KIND_REFERENCES_ROOT;
  switch (GetNodeKind(m_nodes.Parent(node))) {
    case KIND_MENU_ROOT:
    case KIND_MENU:
    case KIND_ATTRIBUTE_MENU:
    case KIND_ATTRIBUTE_ROOT: {
      const int image = m_nodes.Image(node);
      if (image == IMAGE_MENU) return KIND_MENU;
      if (image == IMAGE_ATTRIBUTE_MENU) return KIND_ATTRIBUTE_MENU;
      return KIND_ATTRIBUTE;
    }
    case KIND_REFERENCES_ROOT:
    case KIND_REFERENCE:
      return KIND_REFERENCE;
    case KIND_QOR:
      return KIND_QOR;
    case KIND_ATTRIBUTE:
      return KIND_ATTRIBUTE;
    default:
      return KIND_DB_DESCRIPTION;
  }
}

int CMenuTree::GetAttributeImage(int attribute) const {
  if (attribute < 0 || attribute >= m_doc.AttributeCount()) return IMAGE_ATTRIBUTE_UNUSED;
  switch (treedoc::GetMark(m_doc, attribute)) {
    case MARK_YES:
      return IMAGE_YES;
    case MARK_NO:
      return IMAGE_NO;
    case MARK_NEVER:
      return IMAGE_NEVER;
    case MARK_ONLY:
      return IMAGE_ONLY;
    case MARK_OR: {
      const WORD menu = m_doc.GetAttribute(attribute).menuIndex;
      int orMarks = 0;
      if (menu < m_doc.MenuCount())
        for (WORD sibling : m_doc.GetMenu(menu).children)
          if (sibling < m_doc.AttributeCount() && treedoc::GetMark(m_doc, sibling) == MARK_OR) ++orMarks;
      return orMarks >= 2 ? IMAGE_OR_GROUP : IMAGE_OR_SINGLE;
    }
    default:
      break;
  }
  if (m_doc.ItemCount() == 0) return IMAGE_ATTRIBUTE_UNUSED;
  const auto& counts = m_doc.m_attributeCounts;
  const bool used = attribute < static_cast<int>(counts.size()) && counts[attribute] != 0;
  return used ? IMAGE_ATTRIBUTE : IMAGE_ATTRIBUTE_UNUSED;
}

void CMenuTree::UpdateAttributeImages(HTREEITEM node) {
  if (node == m_menuRoot) {
    for (HTREEITEM attributeNode : AttributeNodes()) RefreshAttributeImage(attributeNode);
    return;
  }
  m_nodes.ForEachPostOrder(node, [this](HTREEITEM n) {
    if (!IsMenuImage(m_nodes.Image(n))) RefreshAttributeImage(n);
  });
}

const std::vector<HTREEITEM>& CMenuTree::AttributeNodes() {
  if (m_attributeNodesVersion == m_nodes.StructureVersion()) return m_attributeNodes;
  m_attributeNodes.clear();
  m_nodes.ForEachPostOrder(m_menuRoot, [this](HTREEITEM n) {
    if (!IsMenuImage(m_nodes.Image(n))) m_attributeNodes.push_back(n);
  });
  m_attributeNodesVersion = m_nodes.StructureVersion();
  return m_attributeNodes;
}

void CMenuTree::RefreshTree() {
  treedoc::RecountAttributes(m_doc);
  RecountCandidates();
  UpdateAttributeImages(m_menuRoot);
}

static HTREEITEM FindBelow(const CMenuTree& tree, HTREEITEM node, int wantedKind, std::uint32_t data) {
  const CTreeNodes& nodes = tree.Nodes();
  for (HTREEITEM child : nodes.Children(node)) {
    const int kind = tree.GetNodeKind(child);
    const bool menuKind = kind == KIND_MENU || kind == KIND_ATTRIBUTE_MENU;
    if (nodes.Data(child) == data && (kind == wantedKind || (menuKind && wantedKind == KIND_MENU))) return child;
    if (menuKind) {
      if (HTREEITEM found = FindBelow(tree, child, wantedKind, data)) return found;
    }
  }
  return kNoNode;
}

HTREEITEM CMenuTree::FindAttributeNode(int attribute) const {
  return FindBelow(*this, m_menuRoot, KIND_ATTRIBUTE, static_cast<std::uint32_t>(attribute));
}

HTREEITEM CMenuTree::FindMenuNode(int menu) const {
  if (menu == 0) return m_menuRoot;
  return FindBelow(*this, m_menuRoot, KIND_MENU, static_cast<std::uint32_t>(menu));
}

HTREEITEM CMenuTree::FindByKey(const TreeNodeKey& key) const {
  switch (key.kind) {
    case KIND_ATTRIBUTE:
      return FindAttributeNode(static_cast<int>(key.data));
    case KIND_MENU_ROOT:
    case KIND_ATTRIBUTE_ROOT:
      return m_menuRoot;
    case KIND_MENU:
    case KIND_ATTRIBUTE_MENU:
      return FindBelow(*this, m_menuRoot, key.kind, key.data);
    case KIND_REFERENCES_ROOT:
      return m_referencesRoot;
    case KIND_REFERENCE:
      for (HTREEITEM child : m_nodes.Children(m_referencesRoot))
        if (m_nodes.Data(child) == key.data) return child;
      return kNoNode;
    default:
      return m_descriptionNode;
  }
}

int CMenuTree::MenuIndexOf(HTREEITEM node) const {
  return m_nodes.IsValid(node) ? static_cast<int>(m_nodes.Data(node)) : -1;
}
