// Database text is data, never markup: every page kind shows a name made of
// HTML and quote characters literally, and building a page leaves the
// stored records as they were.
#include "ReportTestDatabase.h"
#include "reports/Report.h"
#include "reports/ReportPages.h"

using namespace reportpages_test;

namespace {

const std::string kHostile = "<b>\"x'&</b>";

class HostileTextTest : public ReportPagesTest {
 protected:
  void SetUp() override {
    ReportPagesTest::SetUp();
    SwitchEveryOptionOn();
    MakeEveryTextHostile();
    Mark(kRed, MARK_YES);  // some items eliminated, some remaining
  }

  static void SwitchEveryOptionOn() {
    ItemOptions& item = ItemOptions::Shared();
    item.data = item.dataAll = item.dataMenus = item.file = item.reference = item.referenceAll = 1;
    MenuListOptions::Shared().file = 1;
    GalleryOptions::Shared().showNames = 1;
  }

  void MakeEveryTextHostile() {
    doc->m_header.title = doc->m_header.dbVersion = doc->m_header.menuVersion = kHostile;
    for (int m = 0; m < doc->MenuCount(); ++m) {
      CQMenudata& menu = doc->GetMenu(m);
      menu.title = menu.helpText = kHostile;
      menu.pictures = kHostile + ".jpg";
    }
    for (int a = 0; a < doc->AttributeCount(); ++a) {
      CQAttdata& attribute = doc->GetAttribute(a);
      attribute.name = attribute.secondText = attribute.helpText = kHostile;
      attribute.pictures = kHostile + ".jpg";
    }
    for (auto& name : doc->m_itemNames) name->name = kHostile;
    for (auto& title : doc->m_referenceTitles) title = kHostile;
    for (int i = 0; i < doc->ItemCount(); ++i) {
      CQItemrec& item = doc->GetItem(i);
      item.description = kHostile + "@Links" + kHostile + "@$" + kHostile + "\r\n";
      item.pictures = "robin.jpg;" + kHostile + ".jpg";
      item.referencePages.assign(1, kHostile);
    }
  }

  std::string Page(int kind, int argument) {
    std::unique_ptr<CReport> report = MakeReport(*doc, kind, argument);
    EXPECT_TRUE(report) << kind;
    if (!report) return {};
    report->Execute(nullptr, kFirstPage);
    return view.last();
  }
};

struct PageKind {
  int kind;
  int argument;
};

const PageKind kEveryPage[] = {
    {kReportMenus, -1},        {kReportReferences, -1},   {kReportItemList, -1},       {kReportGallery, -1},
    {kReportMenuItem, kShape}, {kReportReferenceItem, 0}, {kReportItemDescription, 0}, {kReportAttribute, kLong},
    {kReportAnalysis, -1},     {kReportDistinctive, 0},   {kReportCommon, -1},         {kReportEliminated, -1},
    {kReportRegions, kLegs},
};

}  // namespace

TEST_F(HostileTextTest, EveryPageKindShowsMarkupInNamesAsText) {
  for (const PageKind& page : kEveryPage) {
    const std::string html = Page(page.kind, page.argument);
    EXPECT_EQ(html.find(kHostile), std::string::npos) << "kind " << page.kind;
    EXPECT_EQ(html.find("<b>\"x"), std::string::npos) << "kind " << page.kind;
    EXPECT_EQ(html.find("\"x'"), std::string::npos) << "a quote left open in kind " << page.kind;
    EXPECT_NE(html.find("&lt;b&gt;"), std::string::npos) << "kind " << page.kind << " shows no name";
  }
}

TEST_F(HostileTextTest, ReasonsForAnEliminationShowNamesAsText) {
  const std::string html = Page(kReportItemDescription, jay);
  EXPECT_NE(html.find("Incorrect and/or missing data:"), std::string::npos);
  EXPECT_EQ(html.find(kHostile), std::string::npos);
  EXPECT_EQ(html.find("<b>\"x"), std::string::npos);
}

TEST_F(HostileTextTest, BuildingPagesChangesNoRecord) {
  const std::vector<std::uint8_t> before = doc->StoreToBytes();
  for (const PageKind& page : kEveryPage) Page(page.kind, page.argument);
  EXPECT_EQ(doc->StoreToBytes(), before);
}
