// The menu list and the item list: headings, rows, marks, options and the
// paging limits.
#include "ReportTestDatabase.h"
#include "reports/ReportItems.h"
#include "reports/ReportMenu.h"

using namespace reportpages_test;

class MenuListTest : public ReportPagesTest {
 protected:
  std::string Build(int keepPage = kFirstPage) {
    CReportMenu report(*doc);
    report.Execute(nullptr, keepPage);
    return view.last();
  }
  // Menus of attributes "Extra 01" ... under the root, each with one picture.
  void AddPictureMenus(int count) {
    for (int k = 1; k <= count; ++k) {
      const std::string n = (k < 10 ? "0" : "") + std::to_string(k);
      AddMenu(*doc, MENU_OF_ATTRIBUTES, 1, 0, "Extra " + n, {});
      doc->m_menus.back()->pictures = "m" + n + ".jpg";
      doc->GetMenu(0).children.push_back(static_cast<WORD>(doc->MenuCount() - 1));
    }
  }
};

TEST_F(MenuListTest, MenusInTreeOrderWithAttributesAndMarks) {
  MenuListOptions::Shared().description = 0;
  Mark(kTwo, MARK_NEVER);
  const std::string page = Build();
  EXPECT_NE(page.find("<h1>Interactive Identification Menus</h1>"), std::string::npos);
  const auto colour = page.find(
      "<span class='menu'><div style=\"padding-left:0mm\"><A href=\"http:\\\\menu1end\">"
      "<span class='Verdana'>Colour</span></A></div>");
  const auto body = page.find("http:\\\\menu3end");
  const auto shape = page.find("<div style=\"padding-left:5mm\"><A href=\"http:\\\\menu2end\">");
  const auto legs = page.find("http:\\\\menu4end");
  ASSERT_NE(colour, std::string::npos);
  ASSERT_NE(shape, std::string::npos);
  EXPECT_LT(colour, body);
  EXPECT_LT(body, shape);
  EXPECT_LT(shape, legs);
  EXPECT_NE(page.find("<div style=\"padding-left:10mm\">&bull;<A href=\"http:\\\\att4end\"><span class='Verdana'>Two"
                      "</span></A><span class='Verdana'>&nbsp;&bull;&nbsp;NEVER</span></div>"),
            std::string::npos);
  EXPECT_NE(page.find("&bull;<A href=\"http:\\\\att5end\"><span class='Verdana'>Four</span></A><span "
                      "class='Verdana'></span></div>"),
            std::string::npos);
  EXPECT_EQ(page.find("More ..."), std::string::npos);
  EXPECT_EQ(doc->m_reportArgument, -1);
}

TEST_F(MenuListTest, OptionsAddHelpTextsAndFileNames) {
  MenuListOptions::Shared().file = 1;
  doc->GetMenu(kLegs).pictures = "legs.jpg";
  const std::string page = Build();
  EXPECT_NE(page.find("<span class='Courier'>About Legs</span><br><span class='Verdana'>legs.jpg</span></div>"),
            std::string::npos);
  EXPECT_NE(page.find("<span class='Courier'>Two help</span><span class='Verdana'></span></div>"), std::string::npos);
  EXPECT_NE(page.find("Image file legs.jpg missing"), std::string::npos);
}

TEST_F(MenuListTest, RootMenuOfAttributesIsATableOfAttributes) {
  doc->GetMenu(0).kind = MENU_OF_ATTRIBUTES;
  doc->GetMenu(0).children = {kRed, kBlue};
  Mark(kBlue, MARK_OR);
  const std::string page = Build();
  EXPECT_NE(page.find("<span class='Verdana'>Main menu attributes</span><br>\n<table>\n<tr valign=top><td colspan=2  "
                      "width=200><div style=\"padding-left:5mm\">&bull;<A href=\"http:\\\\att0end\">"),
            std::string::npos);
  EXPECT_NE(page.find("Blue</span></A><span class='Verdana'>&nbsp;&bull;&nbsp;OR</span></div></td></tr>"),
            std::string::npos);
}

TEST_F(MenuListTest, PagesAfterTwentyPicturesAndContinues) {
  AddPictureMenus(25);
  const std::string first = Build();
  EXPECT_NE(first.find("Image file m20.jpg missing"), std::string::npos);
  EXPECT_EQ(first.find("m21.jpg"), std::string::npos);
  EXPECT_NE(first.find("<br><A href=\"http:\\\\next0end\"><span class='Verdana'>More ...</span></A></body>"),
            std::string::npos);
  const std::string second = Build(kNextPage);
  EXPECT_EQ(second.find("m20.jpg"), std::string::npos);
  EXPECT_NE(second.find("<span class='Verdana'>Extra 21</span>"), std::string::npos);
  EXPECT_NE(second.find("m25.jpg"), std::string::npos);
  EXPECT_EQ(second.find("More ..."), std::string::npos);
  EXPECT_EQ(Build(kSamePage), second);
}

TEST_F(MenuListTest, WithoutPicturesOnlyTheLengthPages) {
  MenuListOptions::Shared().picture = 0;
  AddPictureMenus(25);
  const std::string page = Build();
  EXPECT_NE(page.find("Extra 25"), std::string::npos);
  EXPECT_EQ(page.find("More ..."), std::string::npos);
}

TEST_F(MenuListTest, TitlesAndNamesAreEscaped) {
  doc->GetMenu(kShape).title = "Shape <i>";
  doc->GetAttribute(kRound).name = "Round & \"full\"";
  const std::string page = Build();
  EXPECT_NE(page.find("Shape &lt;i&gt;"), std::string::npos);
  EXPECT_NE(page.find("Round & `full`"), std::string::npos);
  EXPECT_EQ(page.find("<i>"), std::string::npos);
}

class ItemListTest : public ReportPagesTest {
 protected:
  std::string Build(int keepPage = kFirstPage) {
    CReportItems report(*doc);
    report.Execute(nullptr, keepPage);
    return view.last();
  }
  static std::string Numbered(int position, int item, const std::string& name) {
    return "<div class='species'><div class='param'><span class='verdana'>" + std::to_string(position) + ". " +
           "<A href=\"http:\\\\item%20" + std::to_string(item) + "end\">" + name + "</A></span></div>";
  }
};

TEST_F(ItemListTest, ItemsInNameOrderWithTheirParts) {
  const std::string page = Build();
  EXPECT_NE(page.find("<h1>Species list</h1>"), std::string::npos);
  const auto crowAt = page.find(Numbered(1, crow, "Crow / Corvus corone / Corvidae"));
  const auto jayAt = page.find(Numbered(2, jay, "Jay / Garrulus glandarius / Corvidae"));
  const auto robinAt = page.find(Numbered(4, robin, "Robin / Erithacus rubecula / Muscicapidae"));
  ASSERT_NE(crowAt, std::string::npos);
  ASSERT_NE(jayAt, std::string::npos);
  ASSERT_NE(robinAt, std::string::npos);
  EXPECT_LT(crowAt, jayAt);
  EXPECT_LT(jayAt, robinAt);
  EXPECT_NE(page.find("<div class='param'><span class='Verdana'>Description</span><p>All black.</p></div>"),
            std::string::npos);
  EXPECT_NE(page.find("<p>Black & white.</p>"), std::string::npos);
  // The Robin's picture: a break before its text, then the picture cell.
  EXPECT_NE(
      page.find("</A></span></div><br><div class='param'><span class='Verdana'>Description</span><p>A small bird."),
      std::string::npos);
  EXPECT_NE(page.find("robin.jpg", robinAt), std::string::npos);
  EXPECT_NE(page.find("External Links:", robinAt), std::string::npos);
  // Attribute data (present only): the Crow has no shape.
  const std::string crowPart = page.substr(crowAt, jayAt - crowAt);
  EXPECT_NE(crowPart.find("<span class='attributemenu'>&nbsp;&nbsp;&nbsp;Legs</span>"), std::string::npos);
  EXPECT_EQ(crowPart.find("Shape"), std::string::npos);
  EXPECT_EQ(page.find("References:"), std::string::npos);
}

TEST_F(ItemListTest, ReferencesOptionListsCitedReferencesOnly) {
  doc->m_itemListOptions[kListReference] = 1;
  const std::string page = Build();
  EXPECT_EQ(Count(page, "References:"), 1);
  EXPECT_NE(page.find("<br><span class='Verdana'>References:</span><br><span class='Courier'>1.</span><span "
                      "class='Courier'>Field Guide</span><span class='Courier'> </span><span class='Courier'>p. "
                      "12</span><br><br>"),
            std::string::npos);
}

TEST_F(ItemListTest, EliminatedItemsAreLeftOutAndSelectedOnesAlone) {
  Mark(kRed, MARK_YES);
  std::string page = Build();
  EXPECT_NE(page.find(Numbered(1, crow, "Crow / Corvus corone / Corvidae")), std::string::npos);
  EXPECT_NE(page.find(Numbered(2, robin, "Robin / Erithacus rubecula / Muscicapidae")), std::string::npos);
  EXPECT_EQ(page.find("Jay"), std::string::npos);
  doc->SetItemState(jay, STATE_SELECTED_ELIMINATED);
  page = Build();
  EXPECT_NE(page.find(Numbered(1, jay, "Jay / Garrulus glandarius / Corvidae")), std::string::npos);
  EXPECT_EQ(Count(page, "<div class='species'>"), 1);
}

TEST_F(ItemListTest, TenItemsAPageWithPicturesAndTheNumberingGoesOn) {
  AddExtraItems(8);  // twelve items
  const std::string first = Build();
  EXPECT_EQ(Count(first, "<div class='species'>"), 10);
  EXPECT_NE(first.find("More ..."), std::string::npos);
  const std::string second = Build(kNextPage);
  EXPECT_EQ(Count(second, "<div class='species'>"), 2);
  EXPECT_NE(second.find("<span class='verdana'>11. "), std::string::npos);
  EXPECT_EQ(second.find("More ..."), std::string::npos);
  doc->m_itemListOptions[kListPicture] = 0;
  EXPECT_EQ(Count(Build(), "<div class='species'>"), 12);
}

TEST_F(ItemListTest, ThirtyItemsAPageWithThumbnails) {
  doc->m_itemListOptions[kListThumbnail] = 1;
  AddExtraItems(32);  // thirty-six items
  EXPECT_EQ(Count(Build(), "<div class='species'>"), 30);
  EXPECT_EQ(Count(Build(kNextPage), "<div class='species'>"), 6);
}

TEST_F(ItemListTest, SamePageAgainAfterAMark) {
  AddExtraItems(8);
  Build();
  const std::string second = Build(kNextPage);
  EXPECT_EQ(Build(kSamePage), second);
}

// The second page began at entry 11; after a mark only two entries are
// left, so the same page again starts from the first entry, not empty.
TEST_F(ItemListTest, SamePageThatWouldSkipEverythingStartsAtTheFirst) {
  AddExtraItems(8);
  Build();
  Build(kNextPage);
  Mark(kRed, MARK_YES);
  const std::string page = Build(kSamePage);
  EXPECT_NE(page.find(Numbered(1, crow, "Crow / Corvus corone / Corvidae")), std::string::npos);
  EXPECT_EQ(Count(page, "<div class='species'>"), 2);
  EXPECT_EQ(doc->m_pageStart, 1);
}

TEST_F(ItemListTest, CommonLabelWithoutScientificNamesAndEscapedNames) {
  doc->m_header.scientificNamesEnabled = 0;
  doc->m_itemNames[0]->name = "Crow <script>";
  const std::string page = Build();
  EXPECT_NE(page.find("<h1>Common list</h1>"), std::string::npos);
  EXPECT_NE(page.find("Crow &lt;script&gt;"), std::string::npos);
  EXPECT_EQ(page.find("<script>"), std::string::npos);
}
