// The picture cell against a temporary database folder.
#include <unistd.h>

#include "ReportCoreFixtures.h"
#include "reports/PictureViewer.h"
#include "reports/Report.h"
#include "reports/ReportOptions.h"

using namespace reportcore_test;

namespace {
int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++n;
  return n;
}
}  // namespace

class ImageCellTest : public ::testing::Test {
 protected:
  Desk desk;
  std::string folderUrl;
  void SetUp() override {
    desk.folder.Write("a.jpg");
    desk.folder.Write("c.jpg");
    folderUrl = "file://" + desk.folder.path().string() + "/";
    GalleryOptions::Shared() = GalleryOptions{};
  }
  std::string Cell(const std::string& list, int height, const std::string* title, bool sized, bool linked,
                   int* counter = nullptr) {
    CReport report(desk.doc);
    std::string out = "old";
    report.ImageCell(out, list, height, title, sized, counter, linked);
    return out;
  }
};

TEST_F(ImageCellTest, PlainPictureAndMissingFile) {
  EXPECT_EQ(Cell("a.jpg", 0, nullptr, false, false),
            "<img class='NoThumbnail' src='" + folderUrl + "a.jpg'/ alt=\"\"/>\n\n");
  EXPECT_EQ(Cell("b.jpg", 0, nullptr, false, false), "\n<span class='im_missing'>Image file b.jpg missing</span>\n");
  EXPECT_EQ(Cell("", 0, nullptr, false, true), "<div id='gallery'></div>");
  EXPECT_EQ(Cell(" ;;", 0, nullptr, false, false), "");
}

TEST_F(ImageCellTest, LinkedListCountsMissingAndListsFoundPictures) {
  int counter = 0;
  const std::string cell = Cell("a.jpg;b.jpg;;c.jpg", 5, nullptr, false, true, &counter);
  EXPECT_EQ(counter, 3);
  EXPECT_EQ(Count(cell, "im_missing"), 1);
  EXPECT_EQ(Count(cell, "<img class='hiddenThumbnail'"), 2);
  EXPECT_EQ(cell.rfind("<div class='images'>", 0), 0u);
  const std::string list = desk.folder.path().string() + "/a.jpg;" + desk.folder.path().string() + "/c.jpg;";
  EXPECT_NE(cell.find("href='qorlink::images//2/0/;" + list + "'"), std::string::npos);
  EXPECT_NE(cell.find("href='qorlink::images//2/1/;" + list + "'"), std::string::npos);
  EXPECT_NE(cell.find(" style='height:20px;' "), std::string::npos);
}

TEST_F(ImageCellTest, SizedSinglePairAndHeightRules) {
  const std::string title = "Robin";
  const int before = PictureCounter();
  const std::string cell = Cell("a.jpg", 0, &title, true, true);
  const std::string n = std::to_string(before + 1);
  EXPECT_NE(cell.find("<img id='IMG_TN_" + n + "' class='thumbnail' src='" + folderUrl +
                      "a.jpg' alt=\"\""
                      " onMouseOver=\"window.status='Robin'\" onMouseOut=\"window.status=''\"  style='height:120px;' "),
            std::string::npos);
  EXPECT_NE(cell.find("qorlink::images//1/0/Robin;" + desk.folder.path().string() + "/a.jpg;"), std::string::npos);
  EXPECT_EQ(cell.rfind("<div id='gallery'>", 0), 0u);
  GalleryOptions::Shared().thumbnailSize = 0;
  EXPECT_EQ(Cell("a.jpg", 0, nullptr, true, false).find("style="), std::string::npos);
}

TEST_F(ImageCellTest, ImagesBaseAddressServesMissingPicturesAndKeepsHttps) {
  desk.doc.m_header.description = "Key [images: www.example.org/pics ] more";
  const std::string cell = Cell("a.jpg;sub\\b.jpg", 0, nullptr, false, true);
  EXPECT_NE(cell.find("src='http://www.example.org/pics/sub/b.jpg'"), std::string::npos);
  EXPECT_NE(cell.find("qorlink::images//2/"), std::string::npos) << "the base picture counts as present";
  desk.doc.m_header.description = "[images:https://secure.example.org/p/]";
  EXPECT_NE(Cell("b.jpg", 0, nullptr, false, false).find("src='https://secure.example.org/p/b.jpg'"),
            std::string::npos);
}

TEST_F(ImageCellTest, HostileTitlesAndNamesStayText) {
  const std::string title = "O'Hara \"x\" \\ <b>;&";
  const std::string cell = Cell("a.jpg;c.jpg", 0, &title, false, true);
  EXPECT_EQ(cell.find("<b>"), std::string::npos);
  EXPECT_NE(cell.find("window.status='O\\'Hara &quot;x&quot; \\\\ &lt;b&gt;;&amp;'"), std::string::npos);
  const std::string missing = Cell("<script>.jpg", 0, nullptr, false, false);
  EXPECT_EQ(missing.find("<script>"), std::string::npos);
  desk.folder.Write("it's.jpg");
  const std::string quoted = Cell("it's.jpg", 0, nullptr, false, false);
  EXPECT_NE(quoted.find("src='" + folderUrl + "it%27s.jpg'"), std::string::npos);
}

TEST(PictureViewer, AddressesRoundTripAndPagesFollowTheCount) {
  const std::string list = EncodeViewerPart("/k/a;1.jpg") + ";" + EncodeViewerPart("http://x.org/b.jpg") + ";";
  auto request = ParseViewerAddress("2/1/" + EncodeViewerPart("My; 100%") + ";" + list);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->first, 1);
  EXPECT_EQ(request->title, "My; 100%");
  EXPECT_EQ(request->pictures, (std::vector<std::string>{"/k/a;1.jpg", "http://x.org/b.jpg"}));
  const std::string page = MakeViewerPage(*request, "/k/birds.qor");
  EXPECT_NE(page.find("id='thumbpictures'"), std::string::npos);
  EXPECT_NE(page.find("src='http://x.org/b.jpg' alt='My; 100%'"), std::string::npos);
  EXPECT_NE(page.find("<img src='file:///k/a%3B1.jpg' onClick='SetImage(this.src);'"), std::string::npos);
  EXPECT_NE(page.find("qorlink::closedoc"), std::string::npos);
  auto single = ParseViewerAddress("1/5/T;/k/a.jpg;");
  ASSERT_TRUE(single);
  const std::string one = MakeViewerPage(*single, "/k/birds.qor");
  EXPECT_NE(one.find("id='bignothumbnails'"), std::string::npos);
  EXPECT_NE(one.find("id='mainImage' class='fit-x' src=''"), std::string::npos) << "start beyond the list";
  for (const char* bad : {"/1/T;a", "1//T;a", "1/0/;a", "1/0/T;", "1/x/T;a", "1/0/T", "1/99999999999/T;a"})
    EXPECT_FALSE(ParseViewerAddress(bad)) << bad;
}

TEST(PictureViewer, ViewerLinkOpensAWindowOfItsOwn) {
  Desk desk;
  ReportAction base;
  EXPECT_TRUE(desk.Click(base, "qorlink::images//1/0/T;/k/a.jpg;"));
  ASSERT_EQ(desk.help.htmlWindows.size(), 1u);
  EXPECT_EQ(desk.help.htmlWindows[0].rfind("<html><script language='javascript'>", 0), 0u);
  EXPECT_TRUE(desk.Click(base, "qorlink::images//1/0/T;"));
  EXPECT_EQ(desk.help.htmlWindows.size(), 1u);
}
