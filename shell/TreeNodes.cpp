#include "shell/TreeNodes.h"

#include <algorithm>
#include <stdexcept>

bool CTreeNodes::IsValid(HTREEITEM node) const {
  return node > 0 && node <= static_cast<HTREEITEM>(m_nodes.size()) && m_nodes[node - 1].alive;
}

const std::vector<HTREEITEM>& CTreeNodes::Children(HTREEITEM node) const {
  if (node == kNoNode) return m_top;
  static const std::vector<HTREEITEM> none;
  return IsValid(node) ? Get(node).children : none;
}

std::vector<HTREEITEM>& CTreeNodes::ChildList(HTREEITEM parent) {
  return parent == kNoNode ? m_top : m_nodes.at(parent - 1).children;
}

int CTreeNodes::RowOf(HTREEITEM node) const {
  const auto& siblings = Children(Parent(node));
  auto it = std::find(siblings.begin(), siblings.end(), node);
  return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

int CTreeNodes::Depth(HTREEITEM node) const {
  int depth = 0;
  for (HTREEITEM p = Parent(node); p != kNoNode; p = Parent(p)) ++depth;
  return depth;
}

HTREEITEM CTreeNodes::Allocate() {
  if (!m_free.empty()) {
    HTREEITEM node = m_free.back();
    m_free.pop_back();
    return node;
  }
  m_nodes.emplace_back();
  return static_cast<HTREEITEM>(m_nodes.size());
}

HTREEITEM CTreeNodes::Insert(HTREEITEM parent, HTREEITEM after, std::uint32_t data, int image,
                             const std::string* fixedText) {
  if (parent != kNoNode && !IsValid(parent)) return kNoNode;
  auto& siblings = ChildList(parent);
  int row = static_cast<int>(siblings.size());
  if (after == kInsertFirst) {
    row = 0;
  } else if (after != kInsertLast) {
    auto it = std::find(siblings.begin(), siblings.end(), after);
    if (it != siblings.end()) row = static_cast<int>(it - siblings.begin()) + 1;
  }
  const HTREEITEM node = Allocate();
  ++m_structureVersion;
  Node& n = m_nodes[node - 1];
  n = Node{};
  n.parent = parent;
  n.data = data;
  n.image = image;
  n.callbackText = fixedText == nullptr;
  if (fixedText) n.text = *fixedText;
  n.alive = true;
  if (m_observer) m_observer->BeginInsertNode(parent, row);
  auto& list = ChildList(parent);  // Allocate may have moved the storage
  list.insert(list.begin() + row, node);
  if (m_observer) m_observer->EndInsertNode();
  return node;
}

void CTreeNodes::Release(HTREEITEM node) {
  ++m_structureVersion;
  for (HTREEITEM child : m_nodes[node - 1].children) Release(child);
  m_nodes[node - 1] = Node{};
  m_free.push_back(node);
}

void CTreeNodes::Delete(HTREEITEM node) {
  if (!IsValid(node)) return;
  const HTREEITEM parent = Get(node).parent;
  const int row = RowOf(node);
  if (m_observer) m_observer->BeginRemoveNodes(parent, row, row);
  auto& siblings = ChildList(parent);
  siblings.erase(siblings.begin() + row);
  Release(node);
  if (m_observer) m_observer->EndRemoveNodes();
}

void CTreeNodes::DeleteChildren(HTREEITEM node) {
  if (!IsValid(node) || Get(node).children.empty()) return;
  const int last = static_cast<int>(Get(node).children.size()) - 1;
  if (m_observer) m_observer->BeginRemoveNodes(node, 0, last);
  std::vector<HTREEITEM> children;
  children.swap(m_nodes[node - 1].children);
  for (HTREEITEM child : children) Release(child);
  if (m_observer) m_observer->EndRemoveNodes();
}

void CTreeNodes::SetImage(HTREEITEM node, int image) {
  Node& n = m_nodes.at(node - 1);
  if (n.image == image) return;
  n.image = image;
  if (m_observer) m_observer->NodeChanged(node);
}

void CTreeNodes::ForEachPostOrder(HTREEITEM node, const std::function<void(HTREEITEM)>& visit) const {
  if (!IsValid(node)) return;
  for (HTREEITEM child : Get(node).children) ForEachPostOrder(child, visit);
  visit(node);
}
