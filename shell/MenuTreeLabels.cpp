// Labels, tooltips and colours of the tree's nodes.
#include <cstdio>

#include "shell/MenuTree.h"
#include "shell/TreeDocumentCalls.h"
#include "database/ZAVDoc.h"

void CMenuTree::RecountCandidates() {
  const int selected = treedoc::SelectedCount(m_doc);
  m_candidatesSelected = selected != 0;
  m_candidateTotal = selected != 0 ? selected : m_doc.m_remainingCount;
}

int CMenuTree::CountMenuCandidates(int menu) const {
  const int total = CandidateTotal();
  if (!m_doc.m_missingData || m_doc.ItemCount() == 0 || m_doc.MenuCount() == 0) return total;
  const bool anySelected = m_candidatesSelected;
  int n = 0;
  for (int item = 0; item < m_doc.ItemCount(); ++item) {
    if (!treedoc::MenuHasData(m_doc, menu, item)) continue;
    const bool candidate = anySelected ? m_doc.IsItemSelected(item) : treedoc::IsRemaining(m_doc, item);
    if (candidate) ++n;
  }
  return n;
}

static std::string AttributeLabel(const CZAVDoc& doc, int attribute, int total) {
  const std::string& name = attribute < doc.AttributeCount() ? doc.GetAttribute(attribute).name : std::string();
  const auto& counts = doc.m_attributeCounts;
  // Without items nothing is counted: no candidate has it, out of none.
  if (attribute >= static_cast<int>(counts.size()) && doc.ItemCount() > 0) return "|  | " + name;
  const int c = attribute < static_cast<int>(counts.size()) ? counts[attribute] : 0;
  if (c == total) return "|All| " + name;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "|%2d| ", c);
  return buffer + name;
}

std::string CMenuTree::GetNodeLabel(HTREEITEM node) const {
  if (!m_nodes.IsValid(node)) return "error";
  if (!m_nodes.Get(node).callbackText) return m_nodes.Get(node).text;
  const int index = static_cast<int>(m_nodes.Data(node));
  switch (GetNodeKind(node)) {
    case KIND_MENU_ROOT:
    case KIND_ATTRIBUTE_ROOT:
      return index < m_doc.MenuCount() ? m_doc.GetMenu(0).title : "Undefined";
    case KIND_MENU:
      return index < m_doc.MenuCount() ? m_doc.GetMenu(index).title : "Undefined";
    case KIND_REFERENCE:
      return index < static_cast<int>(m_doc.m_referenceTitles.size()) ? m_doc.m_referenceTitles[index] : "wrong index";
    case KIND_ATTRIBUTE:
      return AttributeLabel(m_doc, index, CandidateTotal());
    case KIND_ATTRIBUTE_MENU: {
      if (index >= m_doc.MenuCount()) return "Undefined";
      const int total = CandidateTotal();
      const int n = CountMenuCandidates(index);
      const std::string& title = m_doc.GetMenu(index).title;
      if (n == total) return title;
      return title + " |" + std::to_string(n) + "/" + std::to_string(total) + "|";
    }
    default:
      return "error";
  }
}

std::string CMenuTree::GetNodeName(HTREEITEM node) const {
  if (!m_nodes.IsValid(node) || !m_nodes.Get(node).callbackText) return GetNodeLabel(node);
  const int index = static_cast<int>(m_nodes.Data(node));
  switch (GetNodeKind(node)) {
    case KIND_ATTRIBUTE:
      return index < m_doc.AttributeCount() ? m_doc.GetAttribute(index).name : std::string();
    case KIND_ATTRIBUTE_MENU:
      return index < m_doc.MenuCount() ? m_doc.GetMenu(index).title : GetNodeLabel(node);
    default:
      return GetNodeLabel(node);
  }
}

const char* CMenuTree::GetTooltipText(int kind) {
  switch (kind) {
    case KIND_DB_DESCRIPTION:
      return "Use context menu for this item to control database parameters.";
    case KIND_MENU_ROOT:
      return "Menu subtree.";
    case KIND_REFERENCES_ROOT:
      return "Reference subtree.";
    case KIND_MENU:
      return "Menu. Use small button to call context menu.";
    case KIND_REFERENCE:
      return "Reference item. Use small button to call context menu.";
    case KIND_QOR:
      return "QOR item. Use small button to call context menu.";
    case KIND_ATTRIBUTE:
      return "Attribute item. Use small button to call context menu.";
    case KIND_ATTRIBUTE_MENU:
      return "Attribute menu. Use small button to call context menu.";
    default:
      return "Use small button to call context menu.";
  }
}

static void FindCountPart(const std::string& label, TreeNodeStyle& style) {
  const auto first = label.find('|');
  if (first == std::string::npos) return;
  const auto last = label.find('|', first + 1);
  if (last == std::string::npos) return;
  style.countFirst = static_cast<int>(first);
  style.countLast = static_cast<int>(last);
}

TreeNodeStyle CMenuTree::GetNodeStyle(HTREEITEM node, bool highlighted) const {
  TreeNodeStyle style;
  const int kind = GetNodeKind(node);
  const bool menuKind =
      kind == KIND_MENU_ROOT || kind == KIND_MENU || kind == KIND_ATTRIBUTE_MENU || kind == KIND_ATTRIBUTE_ROOT;
  if (!menuKind && kind != KIND_ATTRIBUTE) return style;
  style.ownColours = true;
  style.background = highlighted ? 0xE6E6E6 : 0xFFFFFF;
  const int index = static_cast<int>(m_nodes.Data(node));
  if (menuKind) {
    if (treedoc::IsMenuBranchUseless(m_doc, index)) {
      style.text = 0x787878;
    } else {
      style.arial = style.bold = style.countBold = true;
      style.text = 0x3232DC;
    }
  } else {
    const auto& counts = m_doc.m_attributeCounts;
    const int n = index < static_cast<int>(counts.size()) ? counts[index] : 0;
    style.arial = true;
    style.bold = style.countBold = n != 0;
    style.text = n == 0 ? 0x969696 : (n == m_doc.m_remainingCount ? 0x787878 : 0x3232DC);
  }
  FindCountPart(GetNodeLabel(node), style);
  return style;
}
