#include "database/TreeDocumentCalls.h"

#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "reports/Action.h"
#include "reports/Report.h"
#include "reports/ReportFactory.h"
#include "reports/ReportOptions.h"

namespace treedoc {

void SetMark(CZAVDoc& doc, int attribute, int mark) { doc.SetAttributeMark(attribute, static_cast<BYTE>(mark)); }
int GetMark(const CZAVDoc& doc, int attribute) {
  return attribute < static_cast<int>(doc.m_marks.size()) ? doc.GetAttributeMark(attribute) : 0;
}
void PurgeUndo(CZAVDoc& doc, int mark, HTREEITEM node, int attribute) { doc.PurgeUndoRecords(mark, node, attribute); }
void ResetStates(CZAVDoc& doc, bool keepUser) { doc.ResetItemStates(keepUser); }
void Eliminate(CZAVDoc& doc) { doc.UpdateRemainingItems(); }
void Announce(CZAVDoc& doc, bool silent) { doc.UpdateIdentifiedStatus(silent); }
void RecountAttributes(CZAVDoc& doc) { doc.UpdateAttributeCounts(); }
int ItemState(const CZAVDoc& doc, int item) { return doc.GetItemState(item); }
bool IsRemaining(const CZAVDoc& doc, int item) { return doc.IsItemRemaining(item); }
int SelectedCount(const CZAVDoc& doc) { return doc.CountSelectedItems(); }
bool MenuHasData(const CZAVDoc& doc, int menu, int item) { return doc.HasMenuData(menu, item); }
bool IsMenuBranchUseless(const CZAVDoc& doc, int menu) { return doc.IsMenuBranchUseless(menu); }
std::string SpeciesLabel(const CZAVDoc& doc) { return doc.GetSpeciesLabel(); }
std::string CommonLabel(const CZAVDoc& doc) { return doc.GetCommonLabel(); }

bool ShowsReferences(const CZAVDoc&) { return false; }

void ShowCurrentReport(CZAVDoc& doc) {
  if (doc.m_showReportHook) doc.m_showReportHook(false);
}

void ShowMenuPage(CZAVDoc& doc, int menu, HTREEITEM) {
  ReportFactory().RunReport(doc, kReportMenuItem, menu, kFirstPage);
}
void ShowMenuItemReport(CZAVDoc& doc, int menu) { ReportFactory().RunReport(doc, kReportMenuItem, menu, kFirstPage); }
void ShowAttributePage(CZAVDoc& doc, int attribute, bool) {
  ReportFactory().RunReport(doc, kReportAttribute, attribute, kFirstPage);
}
void ShowReferenceItemReport(CZAVDoc& doc, int reference) {
  ReportFactory().RunReport(doc, kReportReferenceItem, reference, kFirstPage);
}
void ShowReferencesReport(CZAVDoc& doc) { ReportFactory().RunReport(doc, kReportReferences, -1, kFirstPage); }
void ShowMenusReport(CZAVDoc& doc) { ReportFactory().RunReport(doc, kReportMenus, -1, kFirstPage); }
void ShowRegionsPage(CZAVDoc& doc, int menu, HTREEITEM) {
  ReportFactory().RunReport(doc, kReportRegions, menu, kFirstPage);
}
void ShowItemPage(CZAVDoc& doc, int item, int keepPage) {
  ReportFactory().RunReport(doc, kReportItemDescription, item, keepPage);
}
void ShowOpeningPage(CZAVDoc&) {}
void ShowHtmlWithoutAction(CZAVDoc& doc, const std::string& html) {
  if (IHtmlView* view = doc.GetHtmlView()) view->ShowPage(html, nullptr);
}
void PrintCurrentPage(CZAVDoc&) {}

void SaveItemOptions(int saved[3]) {
  const ItemOptions& options = ItemOptions::Shared();
  saved[0] = options.data;
  saved[1] = options.dataAll;
  saved[2] = options.referenceAll;
}
void RestoreItemOptions(const int saved[3]) {
  ItemOptions& options = ItemOptions::Shared();
  options.data = saved[0];
  options.dataAll = saved[1];
  options.referenceAll = saved[2];
}

}  // namespace treedoc
