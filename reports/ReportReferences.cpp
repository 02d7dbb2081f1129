#include "reports/ReportReferences.h"

#include <cstdio>

#include "database/ZAVDoc.h"

CReportReferences::CReportReferences(CZAVDoc& document) : CReport(document, kReportReferences, -1) {}

void CReportReferences::Build() {
  WriteHead(false, true);
  AppendHeading1("Reference list");
  BeginTable(0);
  const auto& titles = Document().m_referenceTitles;
  for (std::size_t k = 0; k < titles.size(); ++k) {
    char number[16];
    std::snprintf(number, sizeof number, "%4d.", static_cast<int>(k + 1));
    AppendRow(CourierSpan(number), CourierSpan(titles[k]));
  }
  EndTable();
  WriteFooter(false);
}
