// The whole program on the sample key: opening, marking from the tree, and
// the links of the report pages reaching the tree, the list and the help
// windows.
#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include "E2eSupport.h"
#include "database/CommandIds.h"
#include "database/ImageRegion.h"
#include "shell/ItemListRows.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "reports/Report.h"
#include "reports/qt/HelpHtmlView.h"
#include "reports/qt/HelpMDIChildWnd.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"

using namespace e2e;

namespace {

int AttributeNamed(const CZAVDoc& doc, const std::string& name) {
  for (int a = 0; a < doc.AttributeCount(); ++a)
    if (doc.GetAttribute(a).name == name) return a;
  return -1;
}

int MenuTitled(const CZAVDoc& doc, const std::string& title) {
  for (int m = 0; m < doc.MenuCount(); ++m)
    if (doc.GetMenu(m).title == title) return m;
  return -1;
}

// The popup entry with that text, chosen as a user would.
QAction* EntryNamed(QMenu& menu, const QString& text, QStringList* offered) {
  QAction* chosen = nullptr;
  for (QAction* action : menu.actions()) {
    if (offered) offered->push_back(action->text());
    if (action->text() == text) chosen = action;
  }
  return chosen;
}

class SampleKey : public SampleKeyTest {
 protected:
  void MarkYes(const std::string& attributeName) {
    const int attribute = AttributeNamed(Doc(), attributeName);
    ASSERT_GE(attribute, 0) << attributeName;
    CLeftView& tree = *m_frame->LeftView();
    tree.SelectNode(tree.Tree().FindAttributeNode(attribute));
    ASSERT_TRUE(tree.OnCommand(cmd::kMarkYes));
  }
  void ChoosePopupEntry(const QString& text) {
    View().SetPopupRunner([this, text](QMenu& menu) { return EntryNamed(menu, text, &m_offered); });
  }
  // Shows the menu list and clicks its link of that form.
  void FollowMenuListLink(const QString& link) {
    ASSERT_TRUE(m_frame->OnCommand(cmd::kDisplayMenus));
    ASSERT_TRUE(WaitForPage(QStringLiteral("document.body && document.body.innerHTML.indexOf('%1') >= 0").arg(link)));
    ASSERT_FALSE(ClickLink(link).isEmpty());
  }
  // With QOR_E2E_SCREENSHOT naming a file, a picture of the program goes
  // there, for a look at what the user would see.
  void SaveScreenshotOnRequest() {
    const QString file = qEnvironmentVariable("QOR_E2E_SCREENSHOT");
    if (file.isEmpty()) return;
    QElapsedTimer painted;  // the browser paints its page a moment after loading it
    painted.start();
    WaitUntil([&] { return painted.elapsed() > 1500; });
    m_app->MainFrame()->grab().save(file);
  }
  QStringList m_offered;
};

TEST_F(SampleKey, OpensOneFrameWithThreePanesAndTheDatabasePage) {
  ASSERT_EQ(m_app->MainFrame()->Children().size(), 1);
  ASSERT_NE(m_frame->LeftView(), nullptr);
  ASSERT_NE(m_frame->ItemListView(), nullptr);
  ASSERT_NE(m_frame->HtmlView(), nullptr);
  EXPECT_TRUE(m_frame->LeftView()->isVisible());
  EXPECT_TRUE(m_frame->ItemListView()->isVisible());
  EXPECT_TRUE(m_frame->HtmlView()->isVisible());
  EXPECT_GT(m_frame->ItemListView()->ListBox().Rows().RowCount(), 0);
  // The root menu has neither help text nor pictures: its page is the database page.
  ASSERT_TRUE(WaitForPage("document.title == 'Common garden birds of Europe'"));
  EXPECT_NE(Page().url().toString(), "about:blank");
}

TEST_F(SampleKey, MarkFromTheTreeNarrowsTheListAndShowsAPage) {
  CItemListView& list = *m_frame->ItemListView();
  const QString captionBefore = list.CaptionText();
  const int remainingBefore = Doc().m_remainingCount;
  MarkYes("Black");
  EXPECT_LT(Doc().m_remainingCount, remainingBefore);
  EXPECT_NE(list.CaptionText(), captionBefore);
  // The items still in the running come first in the list.
  const int first = list.ListBox().GetItemAtRow(0);
  ASSERT_GE(first, 0);
  EXPECT_TRUE(Doc().IsItemRemaining(first));
  ASSERT_TRUE(WaitForPage("document.body && document.body.innerText.length > 0"));
  EXPECT_NE(Page().url().toString(), "about:blank");
  SaveScreenshotOnRequest();
}

TEST_F(SampleKey, ItemLinkOfTheItemListOpensTheItemsDescription) {
  ASSERT_TRUE(m_frame->ItemListView()->OnCommand(cmd::kItemListReport));
  ASSERT_TRUE(WaitForPage("document.body && document.body.innerHTML.indexOf('item%20') >= 0"));
  ChoosePopupEntry("Description");
  const QString href = ClickLink("item%20");
  ASSERT_FALSE(href.isEmpty());
  const int item = href.section("item%20", 1).section("end", 0, 0).toInt();
  ASSERT_TRUE(WaitUntil([&] { return Doc().m_reportKind == kReportItemDescription; }));
  EXPECT_EQ(Doc().m_reportArgument, item);
  // The sample can be edited, but it has no item editors: their entries are not offered.
  EXPECT_TRUE(m_offered.contains("Find item in the list"));
  EXPECT_TRUE(m_offered.contains("Distinctive attributes"));
  EXPECT_FALSE(m_offered.contains("Edit item description"));
  EXPECT_FALSE(m_offered.contains("Edit item references"));
  EXPECT_FALSE(m_offered.contains("Edit item attributes"));
  const std::string species = GetItemDisplayName(Doc(), item);
  ASSERT_TRUE(WaitForPage(QStringLiteral("document.body && document.body.innerText.indexOf('%1') >= 0")
                              .arg(QString::fromStdString(species))))
      << species;
  EXPECT_EQ(m_frame->ItemListView()->GetSelectedItemOrNone(), item);
}

TEST_F(SampleKey, MenuLinkSelectsTheMenuInTheTreeAndShowsItsPage) {
  const int menu = MenuTitled(Doc(), "Bill shape");
  ASSERT_GT(menu, 0);
  FollowMenuListLink(QStringLiteral("menu%1end").arg(menu));
  CLeftView& tree = *m_frame->LeftView();
  ASSERT_TRUE(WaitUntil([&] { return tree.SelectedNode() == tree.Tree().FindMenuNode(menu); }));
  ASSERT_TRUE(WaitUntil([&] { return Doc().m_reportKind == kReportMenuItem; }));
  EXPECT_EQ(Doc().m_reportArgument, menu);
}

TEST_F(SampleKey, AttributeLinkSelectsTheAttributeAndShowsItsPage) {
  const int attribute = AttributeNamed(Doc(), "Orange-red");
  ASSERT_GE(attribute, 0);
  FollowMenuListLink(QStringLiteral("att%1end").arg(attribute));
  CLeftView& tree = *m_frame->LeftView();
  ASSERT_TRUE(WaitUntil([&] { return tree.SelectedNode() == tree.Tree().FindAttributeNode(attribute); }));
  ASSERT_TRUE(WaitUntil([&] { return Doc().m_reportKind == kReportAttribute; }));
  EXPECT_EQ(Doc().m_reportArgument, attribute);
}

TEST_F(SampleKey, HelpLinkOpensAnImageGalleryWindowThatClosesItself) {
  ASSERT_TRUE(WaitForPage("document.title == 'Common garden birds of Europe'"));
  // The database page shown through a report action of the tree: the menu list.
  ASSERT_TRUE(m_frame->OnCommand(cmd::kDisplayMenus));
  ASSERT_TRUE(WaitForPage("document.body && document.body.innerHTML.indexOf('menu') >= 0"));
  RunJs(Page(), "var a=document.createElement('a');a.href='qorlink:help//help.htm';a.id='help';"
                "a.textContent='Help';document.body.appendChild(a);a.click();");
  QMdiArea& area = *m_app->MainFrame()->MdiArea();
  CHelpMDIChildWnd* window = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (QMdiSubWindow* sub : area.subWindowList())
      if (auto* help = qobject_cast<CHelpMDIChildWnd*>(sub)) window = help;
    return window != nullptr;
  }));
  EXPECT_EQ(window->windowTitle(), "Image Gallery");
  EXPECT_TRUE(m_ui.Messages().empty());
  auto* helpView = qobject_cast<CHelpHtmlView*>(window->widget());
  ASSERT_NE(helpView, nullptr);
  QWebEnginePage& helpPage = *helpView->WebView()->page();
  ASSERT_TRUE(WaitUntil([&] {
    return RunJs(helpPage, "document.body && location.href.indexOf('help.htm') >= 0 ? 1 : 0").toInt() == 1;
  }));
  QPointer<CHelpMDIChildWnd> watched = window;
  RunJs(helpPage, "var a=document.createElement('a');a.href='qorlink::closedoc';"
                  "document.body.appendChild(a);a.click();");
  EXPECT_TRUE(WaitUntil([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return watched.isNull();
  }));
  EXPECT_EQ(area.subWindowList().size(), 1);
}

// A picture with regions on the "Breast" menu: the tree shows its regions
// page, and a click on a region marks that region's attribute.
TEST_F(SampleKey, RegionClickOnTheMenusPictureMarksItsAttribute) {
  const int menu = MenuTitled(Doc(), "Breast");
  const int attribute = AttributeNamed(Doc(), "Orange-red");
  ASSERT_GT(menu, 0);
  ASSERT_GE(attribute, 0);
  Doc().GetMenu(menu).pictures = "Erithacus_rubecula.bmp";
  RegionSet regions;
  regions.rectangles.push_back({0, 0, 40, 40});
  regions.rectangleIds.push_back("Orange-red");
  ASSERT_TRUE(WriteRegions(m_folder.filePath("Erithacus_rubecula.bmp.regions").toStdString(), regions));
  CLeftView& tree = *m_frame->LeftView();
  tree.ShowNodeReport(tree.Tree().FindMenuNode(menu));
  ASSERT_EQ(Doc().m_reportKind, kReportRegions);
  ASSERT_TRUE(WaitForPage("document.getElementsByTagName('area').length > 0"));
  RunJs(Page(), "document.getElementsByTagName('area')[0].dispatchEvent("
                "new MouseEvent('click', {bubbles: true, cancelable: true, shiftKey: true}));");
  EXPECT_TRUE(WaitUntil([&] { return Doc().GetAttributeMark(attribute) == MARK_YES; }));
  EXPECT_EQ(tree.SelectedNode(), tree.Tree().FindAttributeNode(attribute));
}

TEST_F(SampleKey, RegionPopupOffersOrOnlyWithTheRegionDialog) {
  View().SetPopupRunner([this](QMenu& menu) { return EntryNamed(menu, {}, &m_offered); });
  View().PopupRegionMenu();
  EXPECT_TRUE(m_offered.contains("Mark Yes"));
  EXPECT_TRUE(m_offered.contains("Mark Clear"));
  EXPECT_FALSE(m_offered.contains("Mark Or"));
  HTREEITEM dialogNode = 0;
  m_frame->LeftView()->SetRegionOrDialog([&](HTREEITEM node) { dialogNode = node; });
  m_offered.clear();
  View().PopupRegionMenu();
  EXPECT_TRUE(m_offered.contains("Mark Or"));
  m_frame->LeftView()->ApplyRegionMark(MARK_OR, 7);
  EXPECT_EQ(dialogNode, 7);
}

TEST_F(SampleKey, ItemPopupOffersTheEditorsTheListHas) {
  CItemListView& list = *m_frame->ItemListView();
  int referencesFor = -1;
  list.AddItemCommandHandler(32861, [&](int item) { referencesFor = item; });
  list.SetItemEditor([](int) { return true; });
  EXPECT_TRUE(list.OffersItemCommand(kCmdEditItemReferences));
  EXPECT_TRUE(list.OffersItemCommand(kCmdEditItem));
  EXPECT_FALSE(list.OffersItemCommand(kCmdEditItemAttributes));
  View().SetPopupRunner([this](QMenu& menu) { return EntryNamed(menu, {}, &m_offered); });
  View().PopupItemMenu(true);
  EXPECT_EQ(m_offered, (QStringList{"Find item in the list", "Toggle eliminated", "Description",
                                    "Distinctive attributes", "Edit item description", "Edit item references"}));
  const int item = list.ListBox().GetItemAtRow(2);
  list.SelectItem(item);
  list.EditItemReferences();
  EXPECT_EQ(referencesFor, item);
  EXPECT_EQ(list.GetSelectedRow(), list.ListBox().SelectedRow());
}

TEST_F(SampleKey, ListSelectionGetsTheFocusBackAfterItsPageLoads) {
  m_app->MainFrame()->activateWindow();
  CItemListBox& box = m_frame->ItemListView()->ListBox();
  const int item = box.GetItemAtRow(1);
  box.SelectRow(1);
  box.OnSelChange();
  EXPECT_EQ(Doc().m_focusWindow, &box);
  ASSERT_TRUE(WaitUntil([&] { return Doc().m_reportKind == kReportItemDescription && Doc().m_reportArgument == item; }));
  EXPECT_TRUE(WaitUntil([&] { return QApplication::focusWidget() == &box; }));
}

TEST_F(SampleKey, MenuLinkOfTheAnalysisShowsTheMenusPage) {
  ASSERT_TRUE(m_frame->OnCommand(cmd::kAnalyze));
  ASSERT_EQ(Doc().m_reportKind, kReportAnalysis);
  ASSERT_TRUE(WaitForPage("document.body && document.body.innerHTML.indexOf('end') >= 0"));
  const QString href = ClickLink("menu");
  ASSERT_FALSE(href.isEmpty());
  const int menu = href.section("menu", 1).section("end", 0, 0).toInt();
  CLeftView& tree = *m_frame->LeftView();
  ASSERT_TRUE(WaitUntil([&] { return Doc().m_reportKind == kReportMenuItem; }));
  EXPECT_EQ(Doc().m_reportArgument, menu);
  EXPECT_EQ(tree.SelectedNode(), tree.Tree().FindMenuNode(menu));
  // Later calls for the same node show its page again.
  Doc().m_reportKind = kReportNone;
  tree.ShowNodeReport(tree.SelectedNode());
  EXPECT_EQ(Doc().m_reportKind, kReportMenuItem);
}

}  // namespace
