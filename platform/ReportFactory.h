// How link actions and other core code ask for a report page without
// knowing the report classes: the report pages install a factory that
// builds the report of a kind with its standard link action
//   1 menus (ActionForMenuListRepotrt), 3 item list (ActionForItemsReport),
//   4 gallery (ActionForGalleryReport), 7 item description (ActionForItemReport),
//   10 distinctive attributes and 12 current search (ActionFindMenuAndItem), ...
// and runs it with the keep-page value. Re-creating the current report
// goes through the document's report driver (CZAVDoc::m_showReportHook).
#pragma once

class CZAVDoc;

class IReportFactory {
 public:
  virtual ~IReportFactory() = default;
  // Builds and shows the report of `kind` on `argument` (-1 for list pages).
  virtual void RunReport(CZAVDoc& document, int kind, int argument, int keepPage) = 0;
};

// The installed factory; one that builds nothing until the reports install theirs.
IReportFactory& ReportFactory();
void SetReportFactory(IReportFactory* factory);
