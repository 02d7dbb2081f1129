// The view's printing and its popup menus.
#include <QCursor>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QWebEngineView>
#include <utility>

#include "reports/view/ZAVView.h"

namespace {

using MenuEntry = std::pair<int, const char*>;

const MenuEntry kItemEntries[] = {
    {kCmdFindItemInList, "Find item in the list"}, {kCmdToggleEliminated, "Toggle eliminated"},
    {kCmdItemDescription, "Description"},          {kCmdDistinctive, "Distinctive attributes"},
    {kCmdEditItem, "Edit item description"},       {kCmdEditItemReferences, "Edit item references"},
    {kCmdEditItemAttributes, "Edit item attributes"},
};
constexpr int kViewingItemEntries = 4;

const MenuEntry kRegionEntries[] = {
    {kCmdMarkYes, "Mark Yes"},     {kCmdMarkOr, "Mark Or"},     {kCmdMarkNo, "Mark No"},
    {kCmdMarkNever, "Mark Never"}, {kCmdMarkOnly, "Mark Only"}, {kCmdMarkClear, "Mark Clear"},
};

int RunPopup(QWidget* owner, const MenuEntry* entries, int count) {
  QMenu menu(owner);
  for (int i = 0; i < count; ++i) menu.addAction(QString::fromUtf8(entries[i].second))->setData(entries[i].first);
  QAction* chosen = menu.exec(QCursor::pos());
  return chosen ? chosen->data().toInt() : 0;
}

}  // namespace

int CZAVView::PopupItemMenu(bool editable) {
  const int count = editable ? static_cast<int>(std::size(kItemEntries)) : kViewingItemEntries;
  return RunPopup(this, kItemEntries, count);
}

int CZAVView::PopupRegionMenu() { return RunPopup(this, kRegionEntries, static_cast<int>(std::size(kRegionEntries))); }

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
