#include "fuzz/support/FuzzFrame.h"

#include "database/ZAVDoc.h"
#include "reports/ReportPages.h"

FuzzFrame::FuzzFrame(CZAVDoc& document, int popupAnswer, bool itemDataChanges)
    : m_document(document), m_popupAnswer(popupAnswer), m_itemDataChanges(itemDataChanges) {
  InstallReportPageFactory();  // links that show pages run the real report builders
  m_document.AttachViews(this, this, this);
}

FuzzFrame::~FuzzFrame() { m_document.AttachViews(nullptr, nullptr, nullptr); }

void FuzzFrame::ShowPage(const std::string&, std::unique_ptr<ReportAction> action) {
  m_slots.Install(std::move(action));
}

// A menu node's children labelled as the tree labels them ("count | name"),
// so region links can find their attribute by name.
std::vector<std::pair<TreeNodeHandle, std::string>> FuzzFrame::ChildNodes(TreeNodeHandle node) {
  std::vector<std::pair<TreeNodeHandle, std::string>> children;
  const int menu = node - kMenuNode;
  if (menu < 0 || menu >= m_document.MenuCount()) return children;
  for (const WORD child : m_document.GetMenu(menu).children)
    if (child < m_document.AttributeCount() && m_document.GetMenu(menu).kind == MENU_OF_ATTRIBUTES)
      children.emplace_back(kAttributeNode + child, "1 | " + m_document.GetAttribute(child).name);
  return children;
}

void FuzzFrame::ApplyRegionMark(int mark, TreeNodeHandle attributeNode) {
  const int attribute = attributeNode - kAttributeNode;
  if (attribute < 0 || attribute >= m_document.AttributeCount()) return;
  m_document.SetAttributeMark(attribute, static_cast<BYTE>(mark));
  m_document.ResetItemStates(true);
  m_document.UpdateRemainingItems();
}
