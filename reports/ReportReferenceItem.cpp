#include "reports/ReportReferenceItem.h"

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"

CReportReferenceItem::CReportReferenceItem(CZAVDoc& document, int reference)
    : CReport(document, kReportReferenceItem, reference), m_reference(reference) {}

void CReportReferenceItem::Build() {
  const auto& titles = Document().m_referenceTitles;
  WriteHead(false, true);
  if (IsValidIndex(m_reference, titles.size())) {
    AppendHeading1("Reference Item");
    AppendBreak();
    AppendVerdana(titles[m_reference]);
  } else {
    AppendHeading1("Item does not exist.");
  }
  WriteFooter(false);
}
