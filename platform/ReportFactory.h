// How the document and the link actions ask for report pages without
// knowing the report classes. The reports install their factory at start
// (InstallReportPageFactory, reports/ReportPages.h); tests install theirs.
// A factory builds the report of a kind with its standard link action
//   1 menus (ActionForMenuListRepotrt), 3 item list (ActionForItemsReport),
//   4 gallery (ActionForGalleryReport), 7 item description (ActionForItemReport),
//   10 distinctive attributes and 12 current search (ActionFindMenuAndItem), ...
// and runs it with the keep-page value. Re-creating the current report
// goes through the document's report driver (CZAVDoc::ShowReport), which
// asks the factory too.
#pragma once

class CZAVDoc;

// Report kinds of the document's current page.
enum ReportKind : int {
  kReportNone = -1,
  kReportMenus = 1,
  kReportReferences = 2,
  kReportItemList = 3,
  kReportGallery = 4,
  kReportMenuItem = 5,
  kReportReferenceItem = 6,
  kReportItemDescription = 7,
  kReportAttribute = 8,
  kReportAnalysis = 9,
  kReportDistinctive = 10,
  kReportCommon = 11,
  kReportEliminated = 12,
  kReportMissingPictures = 14,
  kReportPictureImport1 = 15,
  kReportPictureImport2 = 16,
  kReportRegions = 17,
};

// What a run asks of a paged report.
enum KeepPage : int { kFirstPage = 0, kSamePage = 1, kNextPage = 2 };

class IReportFactory {
 public:
  virtual ~IReportFactory() = default;
  // Builds and shows the report of `kind` on `argument` (-1 for list pages).
  virtual void RunReport(CZAVDoc& document, int kind, int argument, int keepPage) = 0;
  // The menu analysis page with the action that also serves its menu table.
  virtual void RunAnalysis(CZAVDoc& document) { (void)document; }
  // Writes the option set the page of `kind` is built with into the
  // profile: the item page's set always, the list pages' sets when
  // saveOptions is set.
  virtual void SaveOptionSet(int kind, bool saveOptions) {
    (void)kind;
    (void)saveOptions;
  }
  // The option sets' use-thumbnails value, switched by the thumbnail command.
  virtual void SetThumbnails(bool on) { (void)on; }
  // The right-pane refresh switch ("Dont show" of the gallery options).
  virtual bool RefreshesRightPane() const { return true; }
  virtual void SetRefreshesRightPane(bool on) { (void)on; }
};

// The installed factory; one that builds nothing until the reports install theirs.
IReportFactory& ReportFactory();
void SetReportFactory(IReportFactory* factory);
