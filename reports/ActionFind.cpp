// Item, menu and attribute links, and the order in which each page's
// action tries them.
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"
#include "reports/Action.h"
#include "reports/Report.h"
#include "platform/ReportFactory.h"

namespace {

bool IsWord(const ParsedLink& link, const char* word) { return link.form == LinkForm::Pseudo && link.word == word; }

// An item a link may name: in range and not a deleted slot.
std::optional<int> LinkedItem(const ParsedLink& link, const CZAVDoc& doc) {
  auto item = LinkIndex(link, doc.ItemCount());
  if (item && *item < static_cast<int>(doc.m_itemStates.size()) && doc.m_itemStates[*item] == STATE_FREE)
    return std::nullopt;
  return item;
}

void ShowCurrentReport(CZAVDoc& doc) {
  if (doc.m_showReportHook) doc.m_showReportHook(false);
}

bool IsEditingCommand(int command) {
  return command == kCmdEditItem || command == kCmdEditItemReferences || command == kCmdEditItemAttributes;
}

}  // namespace

// ---- ActionFindItem ------------------------------------------------------------

bool ActionFindItem::Execute() { return TryItemLinks() || TryBaseLinks(); }

bool ActionFindItem::TryItemLinks() {
  if (IsWord(m_link, "item%20")) {
    if (auto item = LinkedItem(m_link, Doc())) RunItemPopup(*item);
  } else if (IsWord(m_link, "setattall") || IsWord(m_link, "clearattall")) {
    SetAttributeForAll(m_link.word == "setattall");
  } else if (IsWord(m_link, "limage%20")) {
    if (auto item = LinkedItem(m_link, Doc()))
      ReportFactory().RunReport(Doc(), kReportItemDescription, *item, kFirstPage);
  } else {
    return false;
  }
  return true;
}

void ActionFindItem::SetAttributeForAll(bool set) {
  // Item data never changes on a locked database.
  if (!IsDatabaseEditable(&Doc())) return;
  const auto attribute = LinkIndex(m_link, Doc().AttributeCount());
  ILeftView* tree = Tree();
  if (!attribute || !tree) return;
  if (tree->SetAttributeForAllItems(set, *attribute)) Doc().SetModifiedFlag(true);
}

void ActionFindItem::RunItemPopup(int item) {
  const bool editable = IsDatabaseEditable(&Doc());
  const int command = View().PopupItemMenu(editable);
  platform::Ui().Trace("submenu command = " + std::to_string(command) + " \n");
  if (!editable && IsEditingCommand(command)) return;
  IItemListView* list = List();
  ILeftView* tree = Tree();
  switch (command) {
    case kCmdFindItemInList:
      if (list) list->SelectItem(item);
      break;
    case kCmdToggleEliminated:
      Doc().ToggleItemExcluded(item);
      break;
    case kCmdItemDescription:
      if (tree) tree->RefreshItemList();
      if (list) list->SelectItem(item);
      ReportFactory().RunReport(Doc(), kReportItemDescription, item, kFirstPage);
      break;
    case kCmdDistinctive:
      ReportFactory().RunReport(Doc(), kReportDistinctive, item, kFirstPage);
      break;
    case kCmdEditItem:
      if (!list) break;
      list->SelectItem(item);
      if (list->EditItemDescription(item)) {
        if (tree) tree->RefreshItemList();
        ShowCurrentReport(Doc());
      }
      break;
    case kCmdEditItemReferences:
      if (list) list->SelectItem(item), list->EditItemReferences();
      break;
    case kCmdEditItemAttributes:
      if (list) list->SelectItem(item), list->EditItemAttributes();
      break;
    default:
      break;
  }
}

// ---- ActionFindMenuItem --------------------------------------------------------

bool ActionFindMenuItem::Execute() { return TryMenuLinks() || TryBaseLinks(); }

bool ActionFindMenuItem::TryMenuLinks() {
  ILeftView* tree = Tree();
  if (IsWord(m_link, "att")) {
    m_foundNode = 0;
    const auto attribute = LinkIndex(m_link, Doc().AttributeCount());
    if (attribute && tree && Doc().GetAttribute(*attribute).menuIndex != kNoIndex16)
      m_foundNode = tree->SelectAttributeNode(*attribute);
  } else if (IsWord(m_link, "menu")) {
    m_foundNode = 0;
    const auto menu = LinkIndex(m_link, Doc().MenuCount());
    if (menu && tree && Doc().GetMenu(*menu).kind != MENU_FREE)
      m_foundNode = tree->SelectMenuNode(*menu, Doc().m_reportKind == kReportAnalysis);
  } else {
    return false;
  }
  // The link takes the reader to the node as a click on it would: its page shows.
  if (m_foundNode && tree) tree->ShowNodeReport(m_foundNode);
  return true;
}

// ---- the pages' actions -----------------------------------------------------------

bool ActionForItemReport::Execute() {
  if (!IsWord(m_link, "move")) return TryItemLinks() || TryMenuLinks() || TryBaseLinks();
  if (auto item = LinkedItem(m_link, Doc())) {
    ReportFactory().RunReport(Doc(), kReportItemDescription, *item, kNextPage);
    if (IItemListView* list = List()) list->SelectItem(*item);
    ShowCurrentReport(Doc());
  }
  return true;
}

bool ActionForItemsReport::Execute() {
  if (TryItemLinks()) return true;
  if (IsWord(m_link, "next")) {
    ReportFactory().RunReport(Doc(), kReportItemList, -1, kNextPage);
    return true;
  }
  return TryMenuLinks() || TryBaseLinks();
}

bool ActionFindMenuAndItem::Execute() { return TryMenuLinks() || TryItemLinks() || TryBaseLinks(); }

bool ActionForGalleryReport::Execute() {
  if (TryItemLinks()) return true;
  if (!IsWord(m_link, "next")) return TryBaseLinks();
  if (m_kind == kReportGallery) ReportFactory().RunReport(Doc(), kReportGallery, -1, kNextPage);
  if (m_kind == kReportEliminated) ReportFactory().RunReport(Doc(), kReportEliminated, -1, kNextPage);
  return true;
}

bool ActionForMenuListRepotrt::Execute() {
  if (TryMenuLinks()) return true;
  if (!IsWord(m_link, "next")) return TryBaseLinks();
  ReportFactory().RunReport(Doc(), kReportMenus, -1, kNextPage);
  return true;
}
