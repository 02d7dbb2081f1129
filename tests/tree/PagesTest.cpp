#include <gtest/gtest.h>

#include "SmallKey.h"
#include "fakes/TempFolder.h"
#include "reports/Report.h"

TEST(TreePages, AttributeAndMenuPages) {
  TreeFixture f;
  f.tree.ShowNodeReport(f.Attribute(kSmall));
  EXPECT_EQ(f.doc->m_reportKind, kReportAttribute);
  f.tree.ShowNodeReport(f.Menu(1));
  EXPECT_EQ(f.doc->m_reportKind, kReportMenuItem);
  f.tree.ShowNodeReport(kNoNode);
  ASSERT_EQ(f.html.pages.size(), 2u);
  EXPECT_NE(f.html.pages[0].html.find("Small"), std::string::npos);
  EXPECT_TRUE(f.html.pages[1].withAction);
  // The double click's menu page comes without a link action.
  f.tree.DoubleClickNode(f.tree.Nodes().Children(f.tree.MenuRoot())[0], false);
  EXPECT_EQ(f.html.pages.size(), 2u);
}

TEST(TreePages, BareRootShowsTheOpeningPage) {
  TreeFixture f;
  // A database with a page of its own opens on that page.
  TempFolder folder;
  f.doc->m_pathName = folder.File("fruit.qor");
  const std::string page = folder.Write("fruit.htm", "<p>Fruit</p>");
  f.tree.ShowNodeReport(f.tree.MenuRoot());
  ASSERT_EQ(f.html.navigated.size(), 1u);
  EXPECT_EQ(f.html.navigated[0], page);
  // A root with a help text shows its own page instead.
  f.doc->GetMenu(0).helpText = "All the fruit";
  f.tree.ShowNodeReport(f.tree.MenuRoot());
  EXPECT_EQ(f.html.navigated.size(), 1u);
  EXPECT_EQ(f.doc->m_reportKind, kReportMenuItem);
  ASSERT_FALSE(f.html.pages.empty());
  EXPECT_NE(f.html.pages.back().html.find("All the fruit"), std::string::npos);
}

TEST(TreePages, PressSwitchesToTheItemPageUnlessAnalysisIsShown) {
  TreeFixture f;
  f.doc->m_reportKind = kReportItemList;
  f.doc->m_showReportHook = [&](bool) {
    EXPECT_EQ(f.doc->m_reportKind, kReportItemDescription);
    EXPECT_EQ(f.doc->m_reportArgument, -2000);
    ++f.reportsShown;
  };
  f.tree.PressOnNode(f.Attribute(kRed));
  EXPECT_EQ(f.reportsShown, 1);
  EXPECT_EQ(f.doc->m_reportKind, kReportAttribute);
  f.doc->m_reportKind = kReportAnalysis;
  f.doc->m_reportKind = kReportAnalysis;
  f.tree.PressOnNode(f.Menu(0));
  EXPECT_EQ(f.reportsShown, 1);
}

TEST(TreePages, DoubleClickTogglesYes) {
  TreeFixture f;
  EXPECT_FALSE(f.tree.DoubleClickNode(f.Attribute(kGreen), false));
  EXPECT_EQ(f.doc->GetAttributeMark(kGreen), MARK_YES);
  EXPECT_FALSE(f.tree.DoubleClickNode(f.Attribute(kGreen), false));
  EXPECT_EQ(f.doc->GetAttributeMark(kGreen), MARK_CLEAR);
  f.tree.MarkAttribute(MARK_NO, f.Attribute(kGreen), false);
  f.tree.DoubleClickNode(f.Attribute(kGreen), false);
  EXPECT_EQ(f.doc->GetAttributeMark(kGreen), MARK_YES);
  // Menus of attributes and the root keep the control's own handling.
  EXPECT_TRUE(f.tree.DoubleClickNode(f.Menu(0), false));
  EXPECT_TRUE(f.tree.DoubleClickNode(f.tree.MenuRoot(), false));
}

TEST(TreePages, DatabasePropertiesPage) {
  TreeFixture f;
  f.doc->m_header.title = "Fruit <key>";
  f.doc->m_header.menuVersion = "<b>2</b>";
  f.doc->m_header.commonNamesEnabled = 1;
  f.doc->m_header.scientificNamesEnabled = 1;
  std::string page = f.tree.BuildDatabasePage();
  EXPECT_NE(page.find("<title>Database property</title>"), std::string::npos);
  EXPECT_NE(page.find("Database properties"), std::string::npos);
  EXPECT_NE(page.find("Fruit &lt;key&gt;"), std::string::npos);
  EXPECT_NE(page.find("&lt;b&gt;2&lt;/b&gt;"), std::string::npos);
  EXPECT_EQ(page.find("<b>2</b>"), std::string::npos);
  EXPECT_NE(page.find("common names + scientific names"), std::string::npos);
  EXPECT_EQ(page.find("#DB"), std::string::npos);
  f.doc->m_header.commonNamesEnabled = 0;
  page = f.tree.BuildDatabasePage();
  EXPECT_NE(page.find("<td>scientific names</td>"), std::string::npos);
}

TEST(TreePages, DatabasePropertiesPageWritesNoMarkupFromTheFile) {
  TreeFixture f;
  f.doc->m_header.title = "<script>alert(1)</script>#DBpath#";
  f.doc->m_header.menuVersion = "\"><img src=x onerror=alert(2)>";
  f.doc->m_header.dbVersion = "<i>3</i>";
  f.doc->m_pathName = "C:\\keys\\fruit.qor";
  const std::string page = f.tree.BuildDatabasePage();
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_NE(page.find("&lt;img src=x onerror=alert(2)&gt;"), std::string::npos);
  EXPECT_NE(page.find("&lt;i&gt;3&lt;/i&gt;"), std::string::npos);
  // A placeholder inside a value is text, not a place to fill.
  EXPECT_NE(page.find("&lt;/script&gt;#DBpath#"), std::string::npos);
  EXPECT_EQ(page.find("fruit.qor"), page.rfind("fruit.qor"));
}

TEST(TreePages, MenusReportCommandSetsTheSwitch) {
  TreeFixture f;
  EXPECT_TRUE(f.tree.RunReportCommand(32800, f.tree.MenuRoot()));
  EXPECT_EQ(f.doc->m_menuReportSwitch, 1);
  EXPECT_EQ(f.doc->m_reportKind, kReportMenus);
  EXPECT_FALSE(f.tree.RunReportCommand(32784, f.tree.MenuRoot()));
}
