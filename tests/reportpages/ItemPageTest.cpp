// The item description page: navigation bar, reasons, pictures, names by
// level, references and the attribute list.
#include "ReportTestDatabase.h"
#include "database/LevelNames.h"
#include "reports/ReportItemItem.h"

using namespace reportpages_test;

class ItemPageTest : public ReportPagesTest {
 protected:
  std::string Build(int item) {
    CReportItemItem report(*doc, item);
    report.Execute(nullptr, kFirstPage);
    return view.last();
  }
  std::string Move(int item, const char* text) {
    return "<A href=\"http:\\\\move" + std::to_string(item) + "end\">" + text + "</A>";
  }
};

// The value a page's own style element gives a property of a selector.
std::string StyleValue(const std::string& page, const std::string& selector, const std::string& property) {
  const std::size_t style = page.find("<style>");
  if (style == std::string::npos) return "(no style)";
  const std::size_t rule = page.find(selector + " {", style);
  if (rule == std::string::npos || rule > page.find("</style>", style)) return "(no rule)";
  const std::size_t end = page.find('}', rule);
  const std::size_t at = page.find(" " + property + ":", rule);
  if (at == std::string::npos || at > end) return "(no " + property + ")";
  const std::size_t value = at + property.size() + 2;
  return page.substr(value, page.find(';', value) - value);
}

// Scrolled to its end, the page's last line stands above the bar kept at
// the bottom edge: the bar has a fixed height and the page as much room below.
TEST_F(ItemPageTest, ThePageKeepsRoomBelowItsLastLineForTheBar) {
  const std::string page = Build(jay);
  ASSERT_NE(page.find("<DIV ID='MovingPart'>"), std::string::npos);
  const std::string height = StyleValue(page, "#MovingPart", "height");
  EXPECT_NE(height.find("rem"), std::string::npos) << height;
  EXPECT_EQ(StyleValue(page, "#MovingPart", "box-sizing"), " border-box");
  EXPECT_EQ(StyleValue(page, "body", "padding-bottom"), height);
  EXPECT_LT(page.find("<style>"), page.find("</head>"));
  EXPECT_GT(page.find("<style>"), page.rfind("<link rel='stylesheet'"));
}

// Name order Crow, Jay, Magpie, Robin.
TEST_F(ItemPageTest, FirstItemHasNoPreviousLink) {
  const std::string page = Build(crow);
  EXPECT_NE(page.find("<DIV ID='MovingPart'><div id='moving_nav'>Previous remaining<span class='Verdana'>&nbsp;/"
                      "&nbsp;</span>" +
                      Move(jay, "Next remaining") +
                      "</div></DIV><h1>Crow / Corvus corone / "
                      "Corvidae</h1>"),
            std::string::npos);
  EXPECT_NE(page.find("onscroll='Move();'"), std::string::npos);
  EXPECT_NE(page.find("document.body.scrollTop=document.cookie;"), std::string::npos);
  EXPECT_EQ(doc->m_reportArgument, crow);
  EXPECT_EQ(doc->m_pageStart, crow);
}

TEST_F(ItemPageTest, MiddleItemLinksBothWaysAndShowsItsParts) {
  const std::string page = Build(jay);
  EXPECT_NE(page.find(Move(crow, "Previous remaining")), std::string::npos);
  EXPECT_NE(page.find(Move(magpie, "Next remaining")), std::string::npos);
  EXPECT_NE(page.find("\n<input type=\"hidden\" name=\"ItemIndex\" value=\"" + std::to_string(jay) + "\">"),
            std::string::npos);
  const auto common = page.find("<div class='param'><span class='Verdana'>Common</span> : Jay</div>");
  const auto genus = page.find("<span class='Verdana'>Genus</span> : Garrulus</div>");
  const auto species = page.find("<span class='Verdana'>Species</span> : glandarius</div>");
  const auto family = page.find("<span class='Verdana'>Family</span> : Corvidae</div>");
  ASSERT_NE(common, std::string::npos);
  EXPECT_LT(common, genus);
  EXPECT_LT(genus, species);
  EXPECT_LT(species, family);
  EXPECT_NE(page.find("<span class='Verdana'>Description</span><p>Noisy.</p>"), std::string::npos);
  EXPECT_EQ(page.find("forgivenItems"), std::string::npos);
}

TEST_F(ItemPageTest, PictureAndExternalLinks) {
  const std::string page = Build(robin);
  EXPECT_NE(page.find("robin.jpg"), std::string::npos);
  EXPECT_NE(page.find("External Links:"), std::string::npos);
  EXPECT_EQ(page.find("@Links"), std::string::npos);
}

TEST_F(ItemPageTest, EliminatedItemShowsReasonsAndNoBar) {
  Mark(kRed, MARK_YES);
  const std::string page = Build(jay);
  EXPECT_EQ(page.find("moving_nav"), std::string::npos);
  const auto reasons = page.find(
      "<div class='forgivenItems'><span class='forgivenHeader'>Incorrect and/or missing "
      "data:</span><span class='forgivenItem'>");
  ASSERT_NE(reasons, std::string::npos);
  EXPECT_NE(page.find("Red", reasons), std::string::npos);
  // Each reason stands in its span without the ";" that ends it.
  EXPECT_EQ(page.find(";</span>", reasons), std::string::npos);
}

TEST_F(ItemPageTest, MissingDeletedAndEmptyPages) {
  EXPECT_NE(Build(99).find("<h1>Item does not exist.</h1></body></html>"), std::string::npos);
  EXPECT_NE(Build(-1).find("<h1>Item does not exist.</h1>"), std::string::npos);
  const std::string empty = Build(CReportItemItem::kNoItemPage);
  EXPECT_EQ(empty.find("<h1>"), std::string::npos);
  EXPECT_NE(empty.find("<body onresize='SetSize();'></body></html>"), std::string::npos);
  doc->GetItem(magpie).nameIndex = -1;
  doc->GetItem(magpie).genusIndex = -1;
  EXPECT_NE(Build(magpie).find("<h1>Item deleted</h1>"), std::string::npos);
}

TEST_F(ItemPageTest, NavigationSwitchOffWritesNoBar) {
  ItemOptions::Shared().previousNext = 0;
  EXPECT_EQ(Build(jay).find("MovingPart'>"), std::string::npos);
}

TEST_F(ItemPageTest, ReferencesReadWithoutChangingTheItem) {
  ItemOptions::Shared().reference = 1;
  std::string page = Build(robin);
  EXPECT_NE(page.find("<br><span class='Verdana'>References:</span><br><span class='reference'><span "
                      "class='refnum'>1.</span>Field Guide p. 12</span>"),
            std::string::npos);
  EXPECT_EQ(Build(jay).find("References:"), std::string::npos);

  ItemOptions::Shared().referenceAll = 1;
  doc->GetItem(jay).referencePages.clear();
  page = Build(jay);
  EXPECT_NE(page.find("<span class='refnum'>1.</span>Field Guide </span>"), std::string::npos);
  EXPECT_TRUE(doc->GetItem(jay).referencePages.empty());
}

TEST_F(ItemPageTest, FamilyLineLeftOutWhenItsLabelIsEmpty) {
  doc->m_levelNames->inUse = true;
  doc->m_levelNames->common = "Name";
  doc->m_levelNames->genus = "Genus";
  doc->m_levelNames->species = "Species";
  doc->m_levelNames->family = "";
  const std::string page = Build(jay);
  EXPECT_NE(page.find("<span class='Verdana'>Name</span> : Jay"), std::string::npos);
  EXPECT_EQ(page.find("Corvidae</div>"), std::string::npos);
}

TEST_F(ItemPageTest, AttributeListPresentOnlyAllAndMenusWithout) {
  ItemOptions::Shared().data = 1;
  std::string page = Build(crow);
  const auto list = page.find(
      "<div class='param'><span class='Verdana'>Attributes:</span><br><div "
      "id='attributelist'><span class='attributelist'>");
  ASSERT_NE(list, std::string::npos);
  EXPECT_NE(page.find("<span class='attributemenu'>Colour</span><span class='Verdana'>&nbsp;&nbsp;&nbsp;&bull;&nbsp;"
                      "&nbsp;<A href=\"http:\\\\att0end\">Red</A><br />"),
            std::string::npos);
  EXPECT_EQ(page.find("attributemenu'>&nbsp;&nbsp;&nbsp;Shape"), std::string::npos);
  EXPECT_EQ(page.find("att2end"), std::string::npos);

  ItemOptions::Shared().dataMenus = 1;
  page = Build(crow);
  EXPECT_NE(page.find("<span class='attributemenu'>&nbsp;&nbsp;&nbsp;Shape</span>&nbsp;&nbsp;&nbsp;<span "
                      "class='noAtts'>No attributes selected</span>"),
            std::string::npos);

  ItemOptions::Shared().dataAll = 1;
  page = Build(crow);
  EXPECT_NE(page.find("&nbsp;&nbsp;&nbsp;&nbsp;<A href=\"http:\\\\att2end\">Round</A>"), std::string::npos);
}
