// The report driver: re-creates the page of the current report kind after
// a change of the marks, the options or the data.
#include "database/ZAVDoc.h"
#include "platform/Profile.h"
#include "reports/Action.h"
#include "reports/Report.h"
#include "reports/ReportOptions.h"
#include "reports/ReportPages.h"

namespace {

// Whether the driver re-creates the kind at its current page (else at its first).
bool KeepsPage(int kind) {
  switch (kind) {
    case kReportItemList:
    case kReportGallery:
    case kReportItemDescription:
    case kReportAnalysis:
    case kReportDistinctive:
    case kReportCommon:
    case kReportEliminated: return true;
    default: return false;
  }
}

void SaveOptionSet(int kind, bool saveOptions) {
  platform::Profile& profile = platform::UserProfile();
  if (kind == kReportItemDescription) ItemOptions::Shared().Save(profile);
  if (!saveOptions) return;
  if (kind == kReportMenus) MenuListOptions::Shared().Save(profile);
  if (kind == kReportReferences || kind == kReportItemList) ItemListOptions::Shared().Save(profile);
}

}  // namespace

void CZAVDoc::ShowReport(bool saveOptions) {
  const int kind = m_reportKind;
  if (kind < kReportMenus || kind > kReportEliminated) return;
  SaveOptionSet(kind, saveOptions);
  if (auto report = MakeReport(*this, kind, m_reportArgument))
    report->Execute(MakeReportAction(kind), KeepsPage(kind) ? kSamePage : kFirstPage);
}

void CZAVDoc::InstallReportDriver() {
  InstallReportPageFactory();
  m_showReportHook = [this](bool saveOptions) { ShowReport(saveOptions); };
  m_showItemPageHook = [this](int item) { RunReportPage(*this, kReportItemDescription, item, kFirstPage); };
}
