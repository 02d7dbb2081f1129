#include "reports/ReportPages.h"

#include "platform/Profile.h"
#include "platform/ReportFactory.h"
#include "reports/Action.h"
#include "reports/ReportAnalize.h"
#include "reports/ReportAttributeItem.h"
#include "reports/ReportAttributeRegion.h"
#include "reports/ReportCommonAttributes.h"
#include "reports/ReportEliminated.h"
#include "reports/ReportGallery.h"
#include "reports/ReportItemItem.h"
#include "reports/ReportItems.h"
#include "reports/ReportMenu.h"
#include "reports/ReportMenuItem.h"
#include "reports/ReportOptions.h"
#include "reports/ReportReferenceItem.h"
#include "reports/ReportReferences.h"
#include "reports/ReportUnusual.h"

std::unique_ptr<CReport> MakeReport(CZAVDoc& document, int kind, int argument) {
  switch (kind) {
    case kReportMenus:
      return std::make_unique<CReportMenu>(document);
    case kReportReferences:
      return std::make_unique<CReportReferences>(document);
    case kReportItemList:
      return std::make_unique<CReportItems>(document);
    case kReportGallery:
      return std::make_unique<CReportGallery>(document);
    case kReportMenuItem:
      return std::make_unique<CReportMenuItem>(document, argument);
    case kReportReferenceItem:
      return std::make_unique<CReportReferenceItem>(document, argument);
    case kReportItemDescription:
      return std::make_unique<CReportItemItem>(document, argument);
    case kReportAttribute:
      return std::make_unique<CReportAttributeItem>(document, argument);
    case kReportAnalysis:
      return std::make_unique<CReportAnalize>(document);
    case kReportDistinctive:
      return std::make_unique<CReportUnusual>(document, argument);
    case kReportCommon:
      return std::make_unique<CReportCommonAttributes>(document);
    case kReportEliminated:
      return std::make_unique<CReportEliminated>(document);
    case kReportRegions:
      return std::make_unique<CReportAttributeRegion>(document, argument);
    default:
      return nullptr;
  }
}

std::unique_ptr<ReportAction> MakeReportAction(int kind) {
  switch (kind) {
    case kReportMenus:
      return std::make_unique<ActionForMenuListRepotrt>();
    case kReportItemList:
      return std::make_unique<ActionForItemsReport>();
    case kReportGallery:
      return std::make_unique<ActionForGalleryReport>();
    case kReportItemDescription:
      return std::make_unique<ActionForItemReport>();
    case kReportAnalysis:
      return std::make_unique<ActionFindMenuItem>();
    case kReportDistinctive:
    case kReportCommon:
    case kReportEliminated:
    case kReportMissingPictures:
    case kReportPictureImport2:
      return std::make_unique<ActionFindMenuAndItem>();
    case kReportPictureImport1:
      return std::make_unique<ActionForItemsReport>();
    case kReportRegions:
      return std::make_unique<ActionSelectRegion>();
    default:
      return nullptr;
  }
}

void RunReportPage(CZAVDoc& document, int kind, int argument, int keepPage) {
  if (auto report = MakeReport(document, kind, argument)) report->Execute(MakeReportAction(kind), keepPage);
}

namespace {

class ReportPageFactory : public IReportFactory {
 public:
  void RunReport(CZAVDoc& document, int kind, int argument, int keepPage) override {
    RunReportPage(document, kind, argument, keepPage);
  }

  // The analysis page's own action also serves the links of its menu table.
  void RunAnalysis(CZAVDoc& document) override {
    CReportAnalize report(document);
    report.Execute(std::make_unique<ActionForAnalize>(), kFirstPage);
  }

  void SaveOptionSet(int kind, bool saveOptions) override {
    platform::Profile& profile = platform::UserProfile();
    if (kind == kReportItemDescription) ItemOptions::Shared().Save(profile);
    if (!saveOptions) return;
    if (kind == kReportMenus) MenuListOptions::Shared().Save(profile);
    if (kind == kReportReferences || kind == kReportItemList) ItemListOptions::Shared().Save(profile);
  }

  void SetThumbnails(bool on) override {
    ItemOptions::Shared().thumbnail = on;
    ItemListOptions::Shared().thumbnail = on;
    MenuListOptions::Shared().thumbnail = on;
  }

  bool RefreshesRightPane() const override { return GalleryOptions::Shared().dontShow == 0; }
  void SetRefreshesRightPane(bool on) override { GalleryOptions::Shared().dontShow = on ? 0 : 1; }
};

}  // namespace

void InstallReportPageFactory() {
  static ReportPageFactory factory;
  SetReportFactory(&factory);
}
