#include "shell/qt/ItemEditCommands.h"

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "editors/qt/DlgItem.h"
#include "platform/ReportFactory.h"
#include "platform/qt/DialogRunner.h"
#include "shell/ItemListRows.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/PictureListPanel.h"
#include "shell/PopupCommandIds.h"

using namespace popup_cmd;

namespace {

// A stored item may have moved in the name order or gained attributes the
// marks judge: the items are evaluated again and tree and list refilled.
int RefreshAfterStore(CItemListView& list, int item) {
  list.GetDocument().Reevaluate(true);
  list.SelectItem(item);
  return list.ListBox().Rows().RowCount();
}

// Runs the editor; the item it ended on when anything was stored, else -1.
int RunItemEditor(CItemListView& list, int item, bool stepping) {
  CZAVDoc& doc = list.GetDocument();
  const int rows = stepping ? list.ListBox().Rows().RowCount() : 0;
  CDlgItem dialog(doc, item, rows, stepping ? list.GetSelectedRow() : 0,
                  new CPictureListPanel(CPictureListPanel::Wording::Image), &list);
  dialog.SetAfterStepStore([&list](int stored) { return RefreshAfterStore(list, stored); });
  const bool ok = platform::qt::RunModal(dialog) == QDialog::Accepted;
  // Cancel keeps what Next and Previous stored.
  if (!ok && !dialog.StoredAny()) return -1;
  RefreshAfterStore(list, dialog.ItemIndex());
  return dialog.ItemIndex();
}

bool EditItem(CItemListView& list, int item) {
  if (!IsDatabaseEditable(&list.GetDocument())) return false;
  const int shown = RunItemEditor(list, item, true);
  if (shown < 0) return false;
  list.GetDocument().ShowReport(false);
  list.OnSelChange();
  return true;
}

void InsertItem(CItemListView& list) {
  CZAVDoc& doc = list.GetDocument();
  if (!IsDatabaseEditable(&doc)) return;
  const int item = RunItemEditor(list, -1, false);
  if (item < 0) return;
  ReportFactory().RunReport(doc, kReportItemDescription, item, kSamePage);
  list.UpdateCaption();
}

}  // namespace

void InstallItemEditCommands(CItemListView& list, CLeftView& tree) {
  list.SetItemEditor([&list](int item) { return EditItem(list, item); });
  list.AddItemCommandHandler(kEditItemDescription, [&list](int item) { EditItem(list, item); });
  list.AddCommandHandler(kInsertItem, [&list] { InsertItem(list); });
  tree.AddCommandHandler(kInsertItem, [&list] { InsertItem(list); });
}
