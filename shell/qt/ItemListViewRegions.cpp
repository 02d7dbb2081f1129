#include "editors/qt/ImageRegionSelectDlg.h"
#include "platform/qt/DialogRunner.h"
#include "shell/qt/ItemListView.h"

void CItemListView::EditItemRegions(int item) {
  CImageRegionSelectDlg dialog(this, this);
  FillItemRegions(dialog.Model(), m_doc, item);
  dialog.Model().navigation = true;
  dialog.OnInitDialog();
  const bool accepted = platform::qt::RunModal(dialog) == QDialog::Accepted;
  m_regionOwner.Finish(dialog.Model(), accepted);
}

void CItemListView::OnRegionSelectRequest(RegionSelectRequest request, ImageRegionSelectModel& dialog) {
  m_regionOwner.OnRegionSelectRequest(request, dialog);
}
