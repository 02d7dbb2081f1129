// The HTML writing functions, the page frame and the escaping of database text.
#include <unistd.h>

#include "ReportCoreFixtures.h"
#include "database/ExternalLinks.h"
#include "database/ProgramFolders.h"
#include "reports/HtmlWriter.h"
#include "reports/PageBuffer.h"
#include "reports/Report.h"

using namespace reportcore_test;

TEST(HtmlText, TextToHtmlEscapesAndMakesParagraphs) {
  EXPECT_EQ(TextToHtml("a<b>\"c'"), "a&lt;b&gt;`c`");
  EXPECT_EQ(TextToHtml("one\r\ntwo"), "<p>one</p><p>two</p>");
  EXPECT_EQ(TextToHtml("one", true), "<p>one</p>");
  // A text's entities are the key's own way to write letters; markup never gets through.
  EXPECT_EQ(TextToHtml("Tom & Jerry"), "Tom & Jerry");
  EXPECT_EQ(TextToHtml("caf&eacute; <b>"), "caf&eacute; &lt;b&gt;");
  EXPECT_EQ(TextToHtml("Plain name, 2 legs."), "Plain name, 2 legs.");
}

TEST(HtmlText, LinksAndSmallPieces) {
  EXPECT_EQ(FormatLink("menu", 12, "Wings"), "<A href=\"http:\\\\menu12end\">Wings</A>");
  EXPECT_EQ(IndentDiv(3), "<div style=\"padding-left:15mm\">");
  EXPECT_EQ(IndentSpaces(2), "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;");
  EXPECT_EQ(IndentSpaces(0), "");
  EXPECT_EQ(CheckBox("c1", true, true), "&bull;&nbsp;&nbsp;");
  EXPECT_EQ(CheckBox("c1", false, true), "&nbsp;&nbsp;&nbsp;&nbsp;");
  EXPECT_EQ(CheckBox("c\"1", true, false), "\n<input type=checkbox name=\"c`1\" checked>");
  EXPECT_EQ(CReport::ParamNumber("Items", 4),
            "<div class='param'><span class='Verdana'>Items</span> : <span class='Courier'>4</span></div>");
  EXPECT_EQ(CReport::ParamText("Note", "", false), "<div class='param'><span class='Verdana'>Note</span></div>");
  EXPECT_EQ(CReport::ParamText("Note", "a\nb", true),
            "<div class='param'><span class='Verdana'>Note</span><p>a</p><p>b</p></div>");
}

TEST(HtmlText, LinksBlockEscapesNamesAndAddresses) {
  const std::string text = JoinDescriptionAndLinks("D", MakeLink("N", "U") + "\r\n");
  EXPECT_EQ(GetDescriptionPart(text), "D");
  std::vector<std::string> lines;
  SplitLinks(GetLinksPart(text), lines);
  ASSERT_EQ(lines.size(), 1u);
  std::string name, address;
  SplitLink(lines[0], name, address);
  EXPECT_EQ(name + "|" + address, "N|U");
  EXPECT_EQ(JoinDescriptionAndLinks("D", ""), "D");
  EXPECT_EQ(LinksToHtml("Bank@$http://www.movebank.org/\r\nlost@$x"),
            "<div class='links'><span class='linkHeader'>External Links:</span><a class='external' "
            "href=\"qorlink:http://www.movebank.org/\" >Bank</a><br/></div>");
  const std::string hostile = LinksToHtml("<script>@$x\" onclick=\"y\r\n");
  EXPECT_EQ(hostile.find("<script>"), std::string::npos);
  EXPECT_EQ(hostile.find("x\" onclick"), std::string::npos);
}

class FrameTest : public ::testing::Test {
 protected:
  Desk desk;
  void SetUp() override { SetProgramFile(desk.folder.path() / "qor"); }
  void TearDown() override { SetProgramFile({}); }
};

TEST_F(FrameTest, TableRowsSpanTheMissingColumns) {
  CReport report(desk.doc);
  report.BeginTable(2);
  report.AppendRow("t");
  report.BeginTable(4);
  report.AppendRow("t", "2", "3");
  report.AppendRow("");
  report.EndTable();
  EXPECT_EQ(ReportPageBuffer(),
            " \n<table>\n<tr valign=top><td colspan=2 >t</td></tr>\n\n<table>\n"
            "<tr valign=top><td colspan=2 >t</td><td>2</td><td>3</td></tr>\n\n</table>\n");
}

TEST_F(FrameTest, DonePageWithOneHeadAndTheThreeStyleSheets) {
  CReport report(desk.doc);
  report.WriteHead(false, true);
  report.Build();
  const std::string& page = ReportPageBuffer();
  EXPECT_EQ(page.rfind(" <html><head><link rel='stylesheet' type='text/css' media='screen' href='", 0), 0u);
  EXPECT_EQ(page.find("<html>"), page.rfind("<html>")) << "one head";
  const std::string folderUrl = "file://" + desk.folder.path().string();
  EXPECT_NE(page.find("href='" + folderUrl + "/qor.css'/>"), std::string::npos);
  EXPECT_NE(page.find("href='" + folderUrl + "/birds.css'/>"), std::string::npos);
  EXPECT_NE(page.find("</script></head><body onresize='SetSize();'>"), std::string::npos);
  EXPECT_NE(page.find("<h1>Done.</h1></body></html>"), std::string::npos);
  desk.doc.m_pathName = "/k/noextension";
  CReport moving(desk.doc, "Title");
  moving.WriteHead(true, false);
  EXPECT_NE(ReportPageBuffer().find("href='.css'/>"), std::string::npos);
  EXPECT_NE(ReportPageBuffer().find("onscroll='Move();'>"), std::string::npos);
  // The path is cut at its last dot, wherever it stands.
  desk.doc.m_pathName = "/keys/v1.2/noextension";
  CReport dotted(desk.doc, "Title");
  dotted.WriteHead(false, false);
  EXPECT_NE(ReportPageBuffer().find("href='file:///keys/v1.css'/>"), std::string::npos);
}

TEST_F(FrameTest, PageBufferDoublesAndEachGrowthAddsOneBlank) {
  CReport report(desk.doc);
  const std::size_t start = ReportPageBuffer().capacity();
  int growths = 0;
  for (int i = 0; i < 400; ++i) {
    const std::size_t before = ReportPageBuffer().capacity();
    AppendHtml(std::string(i % 7 == 0 ? 5000 : 100, 'x'));
    if (ReportPageBuffer().capacity() != before) ++growths;
  }
  EXPECT_GE(ReportPageBuffer().capacity(), start * 2);
  const std::string& page = ReportPageBuffer();
  EXPECT_EQ(page.find_first_not_of(' '), static_cast<std::size_t>(1 + growths));
  EXPECT_GE(page.capacity() - page.size(), 300u);
  EXPECT_GT(growths, 0);
}

TEST_F(FrameTest, AttributeNamesAndTitlesNeverInjectMarkup) {
  desk.doc.GetAttribute(1).name = "<img src=x onerror=alert(1)>";
  CReport report(desk.doc);
  EXPECT_EQ(report.AttributeLine(0, 0, true),
            "&nbsp;&nbsp;&nbsp;&bull;&nbsp;&nbsp;<A href=\"http:\\\\att0end\">Red</A><br />");
  EXPECT_EQ(report.AttributeLine(1, 0, false).find("<img"), std::string::npos);
  report.AppendHeading1("</h1><script>");
  report.AppendInput("n", "\"><script>", "text", true);
  EXPECT_EQ(ReportPageBuffer().find("<script>"), std::string::npos);
}
