// A click on a region of a menu's picture: select the region's attribute
// node and mark it (YES at once with Shift, else as chosen in the popup).
#include "database/ImageRegion.h"
#include "database/Records.h"
#include "platform/Ui.h"
#include "reports/Action.h"

namespace {

// The mark of a command of the "Attribute" popup; -1 for anything else.
int MarkOfCommand(int command) {
  switch (command) {
    case kCmdMarkYes:
      return MARK_YES;
    case kCmdMarkOr:
      return MARK_OR;
    case kCmdMarkNo:
      return MARK_NO;
    case kCmdMarkNever:
      return MARK_NEVER;
    case kCmdMarkOnly:
      return MARK_ONLY;
    case kCmdMarkClear:
      return MARK_CLEAR;
    default:
      return -1;
  }
}

// Labels may carry a count before "|": the name starts one character after it.
std::string LabelName(const std::string& label) {
  const auto bar = label.rfind('|');
  if (bar == std::string::npos) return label;
  return bar + 2 <= label.size() ? label.substr(bar + 2) : std::string();
}

}  // namespace

TreeNodeHandle ActionSelectRegion::FindRegionNode() const {
  ILeftView* tree = Tree();
  if (!tree || !m_menuNode) return 0;
  const std::string id = EscapeLinkId(m_link.rest, false);
  for (const auto& [node, label] : tree->ChildNodes(m_menuNode))
    if (LabelName(label) == id) return node;
  return 0;
}

bool ActionSelectRegion::Execute() {
  // Only region links mark; the page's other links are the base forms.
  if (m_link.form != LinkForm::QorAttr) return TryBaseLinks();
  const TreeNodeHandle node = FindRegionNode();
  ILeftView* tree = Tree();
  if (tree) tree->SelectNode(node);
  int mark = MARK_YES;
  if (m_shift) {
    platform::Ui().Trace("Shift Pressed!");
  } else {
    mark = MarkOfCommand(View().PopupRegionMenu());
    if (mark < 0) return true;
  }
  if (node && tree) tree->ApplyRegionMark(mark, node);
  return true;
}
