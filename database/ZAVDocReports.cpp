// The report driver: re-creates the page of the current report kind after
// a change of the marks, the options or the data.
#include "database/ZAVDoc.h"
#include "platform/ReportFactory.h"

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
    case kReportEliminated:
      return true;
    default:
      return false;
  }
}

}  // namespace

void CZAVDoc::ShowReport(bool saveOptions) {
  const int kind = m_reportKind;
  if (kind < kReportMenus || kind > kReportEliminated) return;
  ReportFactory().SaveOptionSet(kind, saveOptions);
  ReportFactory().RunReport(*this, kind, m_reportArgument, KeepsPage(kind) ? kSamePage : kFirstPage);
}

void CZAVDoc::InstallReportDriver() {
  m_showReportHook = [this](bool saveOptions) { ShowReport(saveOptions); };
  m_showItemPageHook = [this](int item) { ReportFactory().RunReport(*this, kReportItemDescription, item, kFirstPage); };
}
