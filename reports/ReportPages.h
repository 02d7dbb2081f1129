// Making the report of a kind with its standard link action, for the
// document's report driver and for the report factory that link actions
// and tree code use.
#pragma once

#include <memory>

class CReport;
class CZAVDoc;
class ReportAction;

// The report of kinds 1-12 and 17; null for any other kind (the picture
// check and imports, 14 to 16, are run by their commands only, never re-created).
std::unique_ptr<CReport> MakeReport(CZAVDoc& document, int kind, int argument);

// The standard action of a kind; null where the page is served by the
// view's plain action (kinds 2, 5, 6, 8 and unknown kinds).
std::unique_ptr<ReportAction> MakeReportAction(int kind);

// Builds and shows the report; nothing for a kind without a report.
void RunReportPage(CZAVDoc& document, int kind, int argument, int keepPage);

// Makes RunReportPage the program's report factory.
void InstallReportPageFactory();
