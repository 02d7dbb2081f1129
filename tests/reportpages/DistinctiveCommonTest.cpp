// Distinctive attributes of one item and the attributes all items in play share.
#include "ReportTestDatabase.h"
#include "reports/ReportCommonAttributes.h"
#include "reports/ReportUnusual.h"

using namespace reportpages_test;

class DistinctiveTest : public ReportPagesTest {
 protected:
  std::string Build(int item) {
    CReportUnusual report(*doc, item);
    report.Execute(nullptr, kFirstPage);
    return view.last();
  }
  static std::string Row(int count, int menu, const std::string& menuTitle, int attribute, const std::string& name) {
    return "<tr valign=top><td ><span class='Verdana'>&lt;</span><span class='Courier'>" + std::to_string(count) +
           "</span><span class='Verdana'>&gt;&nbsp;&nbsp;&nbsp;</span><A href=\"http:\\\\menu" + std::to_string(menu) +
           "end\"><span class='Verdana'>" + menuTitle + ":  </span></A><A href=\"http:\\\\att" +
           std::to_string(attribute) + "end\"><span class='Verdana'>" + name + "</span></A></td></tr>";
  }
};

// Crow has Red (shared with Robin: 2), Blue (with Jay and Magpie: 3) and
// Four (with Magpie: 2): count first, then menu index.
TEST_F(DistinctiveTest, RowsByCountThenMenu) {
  const std::string page = Build(crow);
  EXPECT_NE(page.find("<h1>Distinctive Attributes of Crow / Corvus corone / Corvidae</h1>"), std::string::npos);
  const auto red = page.find(Row(2, kColour, "Colour", kRed, "Red"));
  const auto four = page.find(Row(2, kLegs, "Legs", kFour, "Four"));
  const auto blue = page.find(Row(3, kColour, "Colour", kBlue, "Blue"));
  ASSERT_NE(red, std::string::npos);
  ASSERT_NE(four, std::string::npos);
  ASSERT_NE(blue, std::string::npos);
  EXPECT_LT(red, four);
  EXPECT_LT(four, blue);
  EXPECT_EQ(Count(page, "<tr valign=top>"), 3);
  EXPECT_EQ(doc->m_reportArgument, crow);
}

TEST_F(DistinctiveTest, SameCountSameMenuFollowsTheMenuOrder) {
  GiveAttributes(*doc, jay, {kRed});  // Red and Blue both shared by three now
  doc->GetMenu(kColour).children = {kBlue, kRed};
  Evaluate();
  const std::string page = Build(crow);
  const auto blue = page.find(Row(3, kColour, "Colour", kBlue, "Blue"));
  const auto red = page.find(Row(3, kColour, "Colour", kRed, "Red"));
  ASSERT_NE(blue, std::string::npos);
  ASSERT_NE(red, std::string::npos);
  EXPECT_LT(blue, red);
}

TEST_F(DistinctiveTest, SharedByAllAndAttributesWithoutMenuAreLeftOut) {
  GiveAttributes(*doc, robin, {kBlue});  // Blue: all four
  doc->GetAttribute(kFour).menuIndex = kNoIndex16;
  Evaluate();
  const std::string page = Build(crow);
  EXPECT_EQ(page.find("att1end"), std::string::npos);
  EXPECT_EQ(page.find("att5end"), std::string::npos);
  EXPECT_NE(page.find(Row(2, kColour, "Colour", kRed, "Red")), std::string::npos);
}

TEST_F(DistinctiveTest, ItemPictureLinksToTheItem) {
  const std::string page = Build(robin);
  const auto link = page.find("<br><br><A href=\"http:\\\\item%20" + std::to_string(robin) + "end\">");
  ASSERT_NE(link, std::string::npos);
  EXPECT_NE(page.find("robin.jpg", link), std::string::npos);
  EXPECT_NE(page.find("height:120px", link), std::string::npos);
}

// Without a picture the link would have nothing to click: it carries the name.
TEST_F(DistinctiveTest, AnItemWithoutPicturesLinksByItsName) {
  const std::string page = Build(crow);
  EXPECT_NE(page.find("<br><br><A href=\"http:\\\\item%20" + std::to_string(crow) +
                      "end\">Crow / Corvus corone / Corvidae</A>"),
            std::string::npos);
}

TEST_F(DistinctiveTest, RefusalsInTheirOrder) {
  doc->SetItemState(robin, STATE_SELECTED);
  Evaluate();
  EXPECT_NE(Build(jay).find("<h1>This Species has not been selected for comparison in this report.</h1>"),
            std::string::npos);
  doc->SetItemState(robin, STATE_REMAINING);
  Mark(kRed, MARK_YES);  // Robin and Crow
  EXPECT_NE(Build(jay).find("<h1>This Species has been eliminated, so no distinctive attributes are available.</h1>"),
            std::string::npos);
  Mark(kRound, MARK_YES);  // Robin alone
  doc->m_header.scientificNamesEnabled = 0;
  const std::string page = Build(robin);
  EXPECT_NE(page.find("<h1>Since this is the only Common remaining, all of its attributes are unique.</h1></body>"),
            std::string::npos);
  EXPECT_EQ(page.find("<table>"), std::string::npos);
}

class CommonTest : public ReportPagesTest {
 protected:
  std::string Build() {
    CReportCommonAttributes report(*doc);
    report.Execute(nullptr, kFirstPage);
    return view.last();
  }
  static std::string Entry(int attribute, const std::string& text, const std::string& mark) {
    return "<br>&bull;<A href=\"http:\\\\att" + std::to_string(attribute) + "end\"><span class='Verdana'>" + text +
           "</span></A><span class='Verdana'>" + mark + "</span>";
  }
};

TEST_F(CommonTest, NothingSharedByAllFourShowsDashes) {
  const std::string page = Build();
  EXPECT_NE(page.find("<h1>Common attributes</h1><br><span class='Verdana'>---</span></body>"), std::string::npos);
}

TEST_F(CommonTest, AfterMarksTheSharedAttributesWithPathsAndMarks) {
  Mark(kBlue, MARK_YES);  // Jay, Magpie, Crow
  Mark(kFour, MARK_YES);  // Magpie, Crow
  const std::string page = Build();
  const auto blue = page.find(Entry(kBlue, "Colour : Blue", "&nbsp;&bull;&nbsp;YES"));
  const auto four = page.find(Entry(kFour, "Body / Legs : Four", "&nbsp;&bull;&nbsp;YES"));
  ASSERT_NE(blue, std::string::npos);
  ASSERT_NE(four, std::string::npos);
  EXPECT_LT(blue, four);
  EXPECT_EQ(Count(page, "<br>&bull;"), 2);
}

TEST_F(CommonTest, OneItemInPlayListsAllItsAttributesWithTheirMarks) {
  Mark(kRound, MARK_YES);
  Mark(kTwo, MARK_YES);
  Mark(kBlue, MARK_NO);  // Robin alone
  ASSERT_EQ(doc->m_remainingCount, 1);
  const std::string page = Build();
  EXPECT_NE(page.find(Entry(kRed, "Colour : Red", "")), std::string::npos);
  EXPECT_NE(page.find(Entry(kRound, "Body / Shape : Round", "&nbsp;&bull;&nbsp;YES")), std::string::npos);
  EXPECT_NE(page.find(Entry(kTwo, "Body / Legs : Two", "&nbsp;&bull;&nbsp;YES")), std::string::npos);
  EXPECT_EQ(Count(page, "<br>&bull;"), 3);
}

TEST_F(CommonTest, RootMenuOfAttributesListsWithoutPath) {
  doc->GetMenu(0).kind = MENU_OF_ATTRIBUTES;
  doc->GetMenu(0).children = {kRed, kBlue};
  Mark(kRed, MARK_YES);
  const std::string page = Build();
  EXPECT_NE(page.find(Entry(kRed, "Red", "&nbsp;&bull;&nbsp;YES")), std::string::npos);
}

TEST_F(CommonTest, SelectedItemsAreTheItemsInPlay) {
  doc->SetItemState(magpie, STATE_SELECTED);
  doc->SetItemState(crow, STATE_SELECTED);
  Evaluate();
  const std::string page = Build();
  EXPECT_NE(page.find(Entry(kBlue, "Colour : Blue", "")), std::string::npos);
  EXPECT_NE(page.find(Entry(kFour, "Body / Legs : Four", "")), std::string::npos);
}

TEST_F(CommonTest, TitlesAreEscaped) {
  doc->GetMenu(kColour).title = "Colour <b>&";
  Mark(kBlue, MARK_YES);
  Mark(kFour, MARK_YES);
  const std::string page = Build();
  EXPECT_NE(page.find("Colour &lt;b&gt;& : Blue"), std::string::npos);
  EXPECT_EQ(page.find("<b>&"), std::string::npos);
}
