// The view's printing and its popup menus.
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QWebEngineView>
#include <utility>

#include "database/ZAVDoc.h"
#include "reports/qt/ZAVView.h"

namespace {

using MenuEntry = std::pair<int, const char*>;

const MenuEntry kItemEntries[] = {
    {kCmdFindItemInList, "Find item in the list"},
    {kCmdToggleEliminated, "Toggle eliminated"},
    {kCmdItemDescription, "Description"},
    {kCmdDistinctive, "Distinctive attributes"},
    {kCmdEditItem, "Edit item description"},
    {kCmdEditItemReferences, "Edit item references"},
    {kCmdEditItemAttributes, "Edit item attributes"},
};
constexpr int kViewingItemEntries = 4;

const MenuEntry kRegionEntries[] = {
    {kCmdMarkYes, "Mark Yes"},     {kCmdMarkOr, "Mark Or"},     {kCmdMarkNo, "Mark No"},
    {kCmdMarkNever, "Mark Never"}, {kCmdMarkOnly, "Mark Only"}, {kCmdMarkClear, "Mark Clear"},
};

}  // namespace

int CZAVView::RunPopup(const std::vector<MenuEntry>& entries) {
  QMenu menu(this);
  for (const MenuEntry& entry : entries) menu.addAction(QString::fromUtf8(entry.second))->setData(entry.first);
  QAction* chosen = m_popupRunner ? m_popupRunner(menu) : menu.exec(PopupPoint());
  return chosen ? chosen->data().toInt() : 0;
}

// The editing entries are offered only when the item list can carry them out:
// an entry whose editor is missing would do nothing.
int CZAVView::PopupItemMenu(bool editable) {
  std::vector<MenuEntry> entries(std::begin(kItemEntries), std::begin(kItemEntries) + kViewingItemEntries);
  IItemListView* list = m_doc.GetItemListView();
  if (editable && list)
    for (auto it = std::begin(kItemEntries) + kViewingItemEntries; it != std::end(kItemEntries); ++it)
      if (list->OffersItemCommand(it->first)) entries.push_back(*it);
  return RunPopup(entries);
}

int CZAVView::PopupRegionMenu() {
  std::vector<MenuEntry> entries;
  ILeftView* tree = m_doc.GetLeftView();
  for (const MenuEntry& entry : kRegionEntries)
    if (!tree || tree->OffersRegionCommand(entry.first)) entries.push_back(entry);
  return RunPopup(entries);
}

QPrinter& CZAVView::Printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_printer;
}

void CZAVView::PageSetup() {
  QPageSetupDialog dialog(&Printer(), this);
  dialog.exec();
}

void CZAVView::Print() {
  QPrintDialog dialog(&Printer(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  WebView()->print(&Printer());
}
