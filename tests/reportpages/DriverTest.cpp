// The report driver and the page factory: the current page made again with
// its action, option sets written, unknown kinds left alone.
#include "ReportTestDatabase.h"
#include "reports/ReportItems.h"
#include "reports/ReportPages.h"

using namespace reportpages_test;

class DriverTest : public ReportPagesTest {};

TEST_F(DriverTest, ShowReportRebuildsTheItemListOnItsCurrentPage) {
  AddExtraItems(8);
  RunReportPage(*doc, kReportItemList, -1, kFirstPage);
  RunReportPage(*doc, kReportItemList, -1, kNextPage);
  ASSERT_NE(dynamic_cast<ActionForItemsReport*>(view.action()), nullptr);
  const std::string second = view.last();
  doc->ShowReport(false);
  EXPECT_EQ(view.pages.size(), 3u);
  EXPECT_EQ(view.last(), second);
  EXPECT_EQ(doc->m_reportKind, kReportItemList);
  EXPECT_NE(dynamic_cast<ActionForItemsReport*>(view.action()), nullptr);
  EXPECT_FALSE(profile.Has(kItemListOptionsSection, "Description"));
  doc->ShowReport(true);
  EXPECT_TRUE(profile.Has(kItemListOptionsSection, "Description"));
}

TEST_F(DriverTest, EveryKindGetsItsPageAndAction) {
  const struct {
    int kind;
    int argument;
    const char* heading;
  } kinds[] = {
      {kReportMenus, -1, "<h1>Interactive Identification Menus</h1>"},
      {kReportReferences, -1, "<h1>Reference list</h1>"},
      {kReportGallery, -1, "<h1>Selected Species Gallery</h1>"},
      {kReportMenuItem, kLegs, "<h1>Legs</h1>"},
      {kReportReferenceItem, 0, "<h1>Reference Item</h1>"},
      {kReportItemDescription, 0, "<h1>"},
      {kReportAttribute, kTwo, "<h1>Two</h1>"},
      {kReportAnalysis, -1, "<h1>Analyze</h1>"},
      {kReportDistinctive, 0, "<h1>Distinctive Attributes of "},
      {kReportCommon, -1, "<h1>Common attributes</h1>"},
      {kReportEliminated, -1, "<h1>Current Search</h1>"},
  };
  for (const auto& k : kinds) {
    RunReportPage(*doc, k.kind, k.argument, kFirstPage);
    EXPECT_EQ(doc->m_reportKind, k.kind);
    doc->ShowReport(false);
    EXPECT_EQ(doc->m_reportKind, k.kind);
    EXPECT_EQ(doc->m_reportArgument, k.argument);
    EXPECT_NE(view.last().find(k.heading), std::string::npos) << k.kind;
    const bool plain = k.kind == kReportReferences || k.kind == kReportMenuItem || k.kind == kReportReferenceItem ||
                       k.kind == kReportAttribute;
    EXPECT_EQ(view.action() == nullptr, plain) << k.kind;
  }
  EXPECT_NE(dynamic_cast<ActionFindMenuAndItem*>(view.action()), nullptr);
}

TEST_F(DriverTest, OptionSetsWrittenByKind) {
  RunReportPage(*doc, kReportMenus, -1, kFirstPage);
  doc->ShowReport(true);
  EXPECT_TRUE(profile.Has(kMenuListOptionsSection, "Description"));
  RunReportPage(*doc, kReportGallery, -1, kFirstPage);
  doc->ShowReport(true);
  EXPECT_FALSE(profile.Has(kGalleryOptionsSection, "PicturesMax"));
  RunReportPage(*doc, kReportItemDescription, robin, kFirstPage);
  doc->ShowReport(false);
  EXPECT_TRUE(profile.Has(kItemOptionsSection, "Description"));
}

TEST_F(DriverTest, OtherKindsLeaveThePageAsItIs) {
  for (int kind : {-1, 13, 14, 17}) {
    doc->m_reportKind = kind;
    doc->ShowReport(true);
  }
  EXPECT_TRUE(view.pages.empty());
  EXPECT_TRUE(profile.values().empty());
}

TEST_F(DriverTest, HooksShowTheCurrentReportAndTheItemPage) {
  RunReportPage(*doc, kReportCommon, -1, kFirstPage);
  ASSERT_TRUE(doc->m_showReportHook);
  doc->m_showReportHook(false);
  EXPECT_EQ(view.pages.size(), 2u);
  doc->m_showItemPageHook(jay);
  EXPECT_EQ(doc->m_reportKind, kReportItemDescription);
  EXPECT_NE(view.last().find("<h1>Jay / Garrulus glandarius / Corvidae</h1>"), std::string::npos);
}

// With a "Thumbnails" folder the small picture is the thumbnail when it
// exists, else the picture itself; only a missing picture is "missing".
TEST_F(DriverTest, ItemListWithThumbnailsFolder) {
  std::filesystem::create_directories(folder / "Thumbnails");
  doc->m_thumbnailFolder[0] = doc->m_thumbnailFolder[1] = 1;
  doc->m_itemListOptions[kListThumbnail] = 1;
  RunReportPage(*doc, kReportItemList, -1, kFirstPage);
  EXPECT_EQ(view.last().find("Image file robin.jpg missing"), std::string::npos);
  EXPECT_NE(view.last().find("class='thumbnail' src='file://"), std::string::npos);
  std::ofstream(folder / "Thumbnails" / "robin.jpg") << "small";
  RunReportPage(*doc, kReportItemList, -1, kFirstPage);
  EXPECT_NE(view.last().find("Thumbnails/robin.jpg"), std::string::npos);
}
