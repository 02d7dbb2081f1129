// References, the single-record pages, the gallery and the current search.
#include "ReportTestDatabase.h"
#include "reports/ReportAttributeItem.h"
#include "reports/ReportAttributeRegion.h"
#include "reports/ReportEliminated.h"
#include "reports/ReportGallery.h"
#include "reports/ReportMenuItem.h"
#include "reports/ReportReferenceItem.h"
#include "reports/ReportReferences.h"

using namespace reportpages_test;

class FurtherPagesTest : public ReportPagesTest {
 protected:
  template <class Report, class... Args>
  std::string Build(int keepPage, Args... args) {
    Report report(*doc, args...);
    report.Execute(nullptr, keepPage);
    return view.last();
  }
};

TEST_F(FurtherPagesTest, ReferenceListAndReferencePage) {
  doc->m_referenceTitles.push_back("Notes <1>");
  const std::string list = Build<CReportReferences>(kFirstPage);
  EXPECT_NE(list.find("<h1>Reference list</h1>\n<table>\n<tr valign=top><td ><span class='Courier'>   1.</span></td>"
                      "<td><span class='Courier'>Field Guide</span></td></tr>\n"),
            std::string::npos);
  EXPECT_NE(list.find("<span class='Courier'>Notes &lt;1&gt;</span>"), std::string::npos);
  EXPECT_NE(Build<CReportReferenceItem>(kFirstPage, 0)
                .find("<h1>Reference Item</h1><br><span class='Verdana'>Field Guide</span></body>"),
            std::string::npos);
  EXPECT_NE(Build<CReportReferenceItem>(kFirstPage, 5).find("<h1>Item does not exist.</h1>"), std::string::npos);
  EXPECT_EQ(doc->m_reportArgument, 5);
}

TEST_F(FurtherPagesTest, MenuPage) {
  doc->GetMenu(kShape).pictures = "shape.jpg";
  const std::string page = Build<CReportMenuItem>(kFirstPage, static_cast<int>(kShape));
  const auto title = page.find("<h1>Shape</h1>");
  ASSERT_NE(title, std::string::npos);
  EXPECT_NE(page.find("Image file shape.jpg missing", title), std::string::npos);
  EXPECT_NE(page.find("<div class='param'><span class='Verdana'>Difficulty</span> : <span class='Courier'>2</span>"
                      "</div><div class='param'><span class='Verdana'>Description</span><p>About Shape</p></div>"),
            std::string::npos);
  EXPECT_NE(page.find("onscroll='Move();'"), std::string::npos);
  EXPECT_NE(Build<CReportMenuItem>(kFirstPage, 77).find("<h1>Item does not exist.</h1>"), std::string::npos);
  doc->GetMenu(kShape).kind = MENU_FREE;
  EXPECT_NE(Build<CReportMenuItem>(kFirstPage, static_cast<int>(kShape)).find("<h1>Menu Item Deleted</h1>"),
            std::string::npos);
}

TEST_F(FurtherPagesTest, AttributePage) {
  MenuListOptions::Shared().file = 1;
  doc->GetAttribute(kLong).pictures = "long.jpg";
  const std::string page = Build<CReportAttributeItem>(kFirstPage, static_cast<int>(kLong));
  const auto description = page.find("<span class='Verdana'>Description</span><p>Long help</p>");
  const auto file = page.find("<span class='Verdana'>Image name</span><p>long.jpg</p>");
  ASSERT_NE(description, std::string::npos);
  EXPECT_LT(description, file);
  EXPECT_NE(page.find("<h1>Long</h1>"), std::string::npos);
  EXPECT_NE(Build<CReportAttributeItem>(kFirstPage, 60).find("<h1>Item does not exist</h1>"), std::string::npos);
  doc->GetAttribute(kLong).menuIndex = kNoIndex16;
  EXPECT_NE(Build<CReportAttributeItem>(kFirstPage, static_cast<int>(kLong)).find("<h1>Attribute Deleted</h1>"),
            std::string::npos);
}

TEST_F(FurtherPagesTest, RegionPageWithoutRegionsFile) {
  doc->GetMenu(kLegs).pictures = "legs.jpg";
  const std::string page = Build<CReportAttributeRegion>(kFirstPage, static_cast<int>(kLegs));
  EXPECT_NE(page.find("<h1>Legs</h1><div class='param'><span class='Verdana'>Difficulty</span>"), std::string::npos);
  EXPECT_EQ(page.find("USEMAP"), std::string::npos);
  doc->GetMenu(kLegs).kind = MENU_FREE;
  EXPECT_NE(Build<CReportAttributeRegion>(kFirstPage, static_cast<int>(kLegs)).find("<h1>Undefined Menu</h1>"),
            std::string::npos);
}

class GalleryTest : public FurtherPagesTest {
 protected:
  void SetUp() override {
    FurtherPagesTest::SetUp();
    std::string pictures;
    for (int k = 1; k <= 20; ++k) pictures += "p" + std::string(k < 10 ? "0" : "") + std::to_string(k) + ".jpg;";
    doc->GetItem(crow).pictures = pictures;  // first in name order, files missing
  }
  std::string Gallery(int keepPage) { return Build<CReportGallery>(keepPage); }
};

TEST_F(GalleryTest, TwelvePicturesThenTheRestOfTheItem) {
  const std::string first = Gallery(kFirstPage);
  EXPECT_NE(first.find("<h1>Selected Species Gallery</h1><div id='gallery'>"), std::string::npos);
  EXPECT_NE(first.find("p12.jpg"), std::string::npos);
  EXPECT_EQ(first.find("p13.jpg"), std::string::npos);
  EXPECT_NE(first.find("More ..."), std::string::npos);
  const std::string second = Gallery(kNextPage);
  EXPECT_EQ(second.find("p12.jpg"), std::string::npos);
  EXPECT_NE(second.find("p13.jpg"), std::string::npos);
  EXPECT_NE(second.find("p20.jpg"), std::string::npos);
  EXPECT_NE(second.find("robin.jpg"), std::string::npos);
  EXPECT_EQ(second.find("More ..."), std::string::npos);
  EXPECT_NE(second.find("document.cookie=0;"), std::string::npos);
  const std::string again = Gallery(kSamePage);
  EXPECT_EQ(again.find("p12.jpg"), std::string::npos);
  EXPECT_NE(again.find("p13.jpg"), std::string::npos);
}

TEST_F(GalleryTest, PerItemLimit) {
  GalleryOptions::Shared().picturesPerSpeciesMax = 3;
  const std::string page = Gallery(kFirstPage);
  EXPECT_NE(page.find("p03.jpg"), std::string::npos);
  EXPECT_EQ(page.find("p04.jpg"), std::string::npos);
  EXPECT_NE(page.find("robin.jpg"), std::string::npos);
}

// A page that ends exactly at the per-item limit finishes the item: the
// next page goes on with the next item, not with an empty repeat of it.
TEST_F(GalleryTest, PageEndingAtThePerItemLimitFinishesTheItem) {
  GalleryOptions::Shared().picturesPerSpeciesMax = 3;
  GalleryOptions::Shared().picturesMax = 3;
  GalleryOptions::Shared().showNames = 1;
  const std::string first = Gallery(kFirstPage);
  EXPECT_NE(first.find("More ..."), std::string::npos);
  const std::string second = Gallery(kNextPage);
  EXPECT_EQ(second.find("item%20" + std::to_string(crow) + "end"), std::string::npos);
  EXPECT_NE(second.find("item%20" + std::to_string(jay) + "end"), std::string::npos);
  EXPECT_NE(second.find("robin.jpg"), std::string::npos);
  EXPECT_EQ(doc->m_gallerySavedResume, 0);
}

TEST_F(GalleryTest, ItemsTitleWithoutScientificNames) {
  doc->m_header.scientificNamesEnabled = 0;
  EXPECT_NE(Gallery(kFirstPage).find("<h1>Selected Items Gallery</h1>"), std::string::npos);
}

class CurrentSearchTest : public FurtherPagesTest {};

TEST_F(CurrentSearchTest, NoMarksAndNoEliminatedItems) {
  const std::string page = Build<CReportEliminated>(kFirstPage);
  EXPECT_NE(
      page.find("<h1>Current Search</h1><div class='param'><div id='marklist'><span class='Verdana'>Marks"
                "</span><span class='Verdana'>No Marks</span></div></div><div class='param'><span class='Verdana'>"
                "Eliminated species</span><br><span class='Verdana'>No eliminated species</span></div>"),
      std::string::npos);
}

TEST_F(CurrentSearchTest, MarksWithPathsAndTheUserEliminatedItems) {
  Mark(kTwo, MARK_YES);  // Robin, Jay
  Mark(kRed, MARK_NO);   // Jay
  ASSERT_TRUE(doc->ToggleItemExcluded(jay));
  const std::string page = Build<CReportEliminated>(kFirstPage);
  EXPECT_NE(page.find("<div style=\"padding-left:5mm\"><A href=\"http:\\\\att0end\">&bull;&nbsp;&nbsp;Colour : Red"
                      "</A><span class='Verdana'>&nbsp;&mdash;&nbsp;NO</span></div>"),
            std::string::npos);
  EXPECT_NE(page.find("<div style=\"padding-left:10mm\"><A href=\"http:\\\\att4end\">&bull;&nbsp;&nbsp;Body / Legs : "
                      "Two</A><span class='Verdana'>&nbsp;&mdash;&nbsp;YES</span></div>"),
            std::string::npos);
  EXPECT_NE(page.find("<A href=\"http:\\\\item%20" + std::to_string(jay) +
                      "end\"><span class='Verdana'>Jay / Garrulus glandarius / Corvidae</span></A><br>"),
            std::string::npos);
  // Eliminated by the marks only: not listed.
  EXPECT_EQ(page.find("Magpie"), std::string::npos);
  EXPECT_EQ(page.find("No eliminated species"), std::string::npos);
  doc->m_itemListOptions[kListItemOrder] = 0;
  EXPECT_NE(Build<CReportEliminated>(kFirstPage).find("Garrulus glandarius / Corvidae / Jay"), std::string::npos);
}
