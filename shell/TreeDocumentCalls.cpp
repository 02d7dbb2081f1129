#include "shell/TreeDocumentCalls.h"

#include "database/EngineViews.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "reports/Action.h"
#include "reports/Report.h"
#include "reports/HtmlWriter.h"
#include "reports/ReportAttributeItem.h"
#include "reports/ReportAttributeRegion.h"
#include "reports/ReportItemItem.h"
#include "reports/ReportMenu.h"
#include "reports/ReportMenuItem.h"
#include "reports/ReportReferenceItem.h"
#include "reports/ReportReferences.h"
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

bool ShowsReferences(const CZAVDoc& doc) { return doc.m_showReferences != 0; }

void ShowCurrentReport(CZAVDoc& doc) { engine_views::ShowCurrentReport(doc); }

void ShowMenuPage(CZAVDoc& doc, int menu, HTREEITEM node) {
  if (MenuImageHasRegions(doc, menu)) return ShowRegionsPage(doc, menu, node);
  CReportMenuItem(doc, menu).Execute(std::make_unique<ActionForItemReport>(), kFirstPage);
}
void ShowMenuItemReport(CZAVDoc& doc, int menu) { CReportMenuItem(doc, menu).Execute(nullptr, kFirstPage); }
void ShowAttributePage(CZAVDoc& doc, int attribute, bool withAction) {
  std::unique_ptr<ReportAction> action;
  if (withAction) action = std::make_unique<ActionForItemReport>();
  CReportAttributeItem(doc, attribute).Execute(std::move(action), kFirstPage);
}
void ShowReferenceItemReport(CZAVDoc& doc, int reference) {
  CReportReferenceItem(doc, reference).Execute(nullptr, kFirstPage);
}
void ShowReferencesReport(CZAVDoc& doc) { CReportReferences(doc).Execute(nullptr, kFirstPage); }
void ShowMenusReport(CZAVDoc& doc) {
  CReportMenu(doc).Execute(std::make_unique<ActionForMenuListRepotrt>(), kFirstPage);
}
void ShowRegionsPage(CZAVDoc& doc, int menu, HTREEITEM node) {
  CReportAttributeRegion(doc, menu).Execute(std::make_unique<ActionSelectRegion>(node), kFirstPage);
}
void ShowItemPage(CZAVDoc& doc, int item, int keepPage) {
  CReportItemItem(doc, item).Execute(std::make_unique<ActionForItemReport>(), keepPage);
}
void ShowOpeningPage(CZAVDoc& doc) {
  if (IHtmlView* view = doc.GetHtmlView()) view->NavigateTo(doc.GetOpeningPagePath());
}
void ShowHtmlWithoutAction(CZAVDoc& doc, const std::string& html) {
  if (IHtmlView* view = doc.GetHtmlView()) view->ShowPage(html, nullptr);
}
void PrintCurrentPage(CZAVDoc& doc) {
  if (IHtmlView* view = doc.GetHtmlView()) view->Print();
}

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
