#include "reports/ReportPages.h"

#include "reports/Action.h"
#include "reports/ReportAnalize.h"
#include "reports/ReportAttributeItem.h"
#include "reports/ReportAttributeRegion.h"
#include "reports/ReportCommonAttributes.h"
#include "reports/ReportEliminated.h"
#include "reports/ReportFactory.h"
#include "reports/ReportGallery.h"
#include "reports/ReportItemItem.h"
#include "reports/ReportItems.h"
#include "reports/ReportMenu.h"
#include "reports/ReportMenuItem.h"
#include "reports/ReportReferenceItem.h"
#include "reports/ReportReferences.h"
#include "reports/ReportUnusual.h"

std::unique_ptr<CReport> MakeReport(CZAVDoc& document, int kind, int argument) {
  switch (kind) {
    case kReportMenus: return std::make_unique<CReportMenu>(document);
    case kReportReferences: return std::make_unique<CReportReferences>(document);
    case kReportItemList: return std::make_unique<CReportItems>(document);
    case kReportGallery: return std::make_unique<CReportGallery>(document);
    case kReportMenuItem: return std::make_unique<CReportMenuItem>(document, argument);
    case kReportReferenceItem: return std::make_unique<CReportReferenceItem>(document, argument);
    case kReportItemDescription: return std::make_unique<CReportItemItem>(document, argument);
    case kReportAttribute: return std::make_unique<CReportAttributeItem>(document, argument);
    case kReportAnalysis: return std::make_unique<CReportAnalize>(document);
    case kReportDistinctive: return std::make_unique<CReportUnusual>(document, argument);
    case kReportCommon: return std::make_unique<CReportCommonAttributes>(document);
    case kReportEliminated: return std::make_unique<CReportEliminated>(document);
    case kReportRegions: return std::make_unique<CReportAttributeRegion>(document, argument);
    default: return nullptr;
  }
}

std::unique_ptr<ReportAction> MakeReportAction(int kind) {
  switch (kind) {
    case kReportMenus: return std::make_unique<ActionForMenuListRepotrt>();
    case kReportItemList: return std::make_unique<ActionForItemsReport>();
    case kReportGallery: return std::make_unique<ActionForGalleryReport>();
    case kReportItemDescription: return std::make_unique<ActionForItemReport>();
    case kReportAnalysis: return std::make_unique<ActionFindMenuItem>();
    case kReportDistinctive:
    case kReportCommon:
    case kReportEliminated:
    case kReportMissingPictures:
    case kReportPictureImport2: return std::make_unique<ActionFindMenuAndItem>();
    case kReportPictureImport1: return std::make_unique<ActionForItemsReport>();
    case kReportRegions: return std::make_unique<ActionSelectRegion>();
    default: return nullptr;
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
};

}  // namespace

void InstallReportPageFactory() {
  static ReportPageFactory factory;
  SetReportFactory(&factory);
}
