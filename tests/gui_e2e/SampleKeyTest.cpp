// The whole program on the sample key: opening, marking from the tree, and
// the links of the report pages reaching the tree, the list and the help
// windows.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include "E2eSupport.h"
#include "database/CommandIds.h"
#include "database/ImageRegion.h"
#include "shell/ItemListRows.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "fakes/ModalScript.h"
#include "reports/Report.h"
#include "reports/ReportOptions.h"
#include "reports/qt/HelpHtmlView.h"
#include "reports/qt/HelpMDIChildWnd.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/TreeModel.h"

using namespace e2e;

namespace {

// The first attribute of that name, or the one in the menu of that title.
int AttributeNamed(const CZAVDoc& doc, const std::string& name, const std::string& menuTitle = {}) {
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    const CQAttdata& attribute = doc.GetAttribute(a);
    if (attribute.name != name) continue;
    if (menuTitle.empty() || doc.GetMenu(attribute.menuIndex).title == menuTitle) return a;
  }
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
  // A right click on the attribute's label and a choice from its popup, with Ctrl held or not.
  void MarkByRightClick(int attribute, const QString& entry, bool ctrl = false) {
    ASSERT_GE(attribute, 0);
    CLeftView& tree = *m_frame->LeftView();
    tree.SetCtrlQuery([ctrl] { return ctrl; });
    tree.SetPopupRunner([entry](QMenu& menu, const QPoint&) { return EntryNamed(menu, entry, nullptr); });
    RightPressAttribute(tree, attribute);
    ASSERT_EQ(tree.SelectedNode(), tree.Tree().FindAttributeNode(attribute));
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

TEST_F(SampleKey, GenusIsAnnouncedOnlyWhenTheBirdsShareOne) {
  const int black = AttributeNamed(Doc(), "Black");
  MarkByRightClick(AttributeNamed(Doc(), "Small (11-17 cm)"), "Mark Yes");
  MarkByRightClick(AttributeNamed(Doc(), "Thin and pointed"), "Mark No");  // two sparrows, then three finches
  EXPECT_EQ(Doc().m_remainingCount, 5);
  MarkByRightClick(black, "Mark Never", true);  // the whole menu: no bird left
  EXPECT_EQ(Doc().m_remainingCount, 0);
  MarkByRightClick(black, "Mark Clear", true);
  EXPECT_EQ(Doc().m_remainingCount, 5);
  EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{});
  for (const char* breast : {"Grey", "White"}) MarkByRightClick(AttributeNamed(Doc(), breast, "Breast"), "Mark Or");
  for (const char* habitat : {"Towns", "Hedges"}) MarkByRightClick(AttributeNamed(Doc(), habitat), "Mark Or");
  EXPECT_EQ(Doc().m_remainingCount, 2);  // the house and the tree sparrow
  EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Genus identified:  Passer"});
}

// An eliminated bird chosen in the list: its page lists the reasons below their header, one a line.
TEST_F(SampleKey, ReasonsOfAnEliminatedItemStandBelowTheirHeader) {
  MarkByRightClick(AttributeNamed(Doc(), "Black"), "Mark Yes");
  MarkByRightClick(AttributeNamed(Doc(), "Small (11-17 cm)"), "Mark Never");
  CItemListBox& box = m_frame->ItemListView()->ListBox();
  const auto hasTwoReasons = [&](int item) { return item >= 0 && Doc().ExplainElimination(item).size() >= 2; };
  int row = 0;
  while (row < box.Rows().RowCount() && !hasTwoReasons(box.GetItemAtRow(row))) ++row;
  ASSERT_LT(row, box.Rows().RowCount());
  ASSERT_GT(row, 0);  // the birds still in the running come first
  box.SelectRow(row - 1);
  ASSERT_TRUE(viewtest::WaitForLoad(Page(), [&] {
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&box, &down);
  }));
  ASSERT_EQ(Doc().m_reportArgument, box.GetItemAtRow(row));
  ASSERT_TRUE(WaitForPage("document.getElementsByClassName('forgivenItem').length >= 2"));
  // Each part's top edge lies below the bottom edge of the part before it.
  const QString stacked = QStringLiteral(
      "(function(){var parts=[document.querySelector('.forgivenHeader')].concat("
      "Array.prototype.slice.call(document.getElementsByClassName('forgivenItem')));"
      "for(var "
      "i=1;i<parts.length;++i)if(parts[i].getBoundingClientRect().top<parts[i-1].getBoundingClientRect().bottom)"
      "return 0;return 1;})()");
  EXPECT_EQ(RunJs(Page(), stacked).toInt(), 1);
  EXPECT_TRUE(PageText().contains("Incorrect and/or missing data:\n")) << PageText().toStdString();
}

TEST_F(SampleKey, AnItemsReferencesStandOneALine) {
  ItemOptions::Shared().reference = 1;
  int item = -1;
  for (int i = 0; i < Doc().ItemCount() && item < 0; ++i) {
    int pages = 0;
    for (const std::string& page : Doc().GetItem(i).referencePages) pages += page.empty() ? 0 : 1;
    if (pages >= 2) item = i;
  }
  ASSERT_GE(item, 0) << "the sample has an item with two references";
  CItemListBox& box = m_frame->ItemListView()->ListBox();
  box.SelectItem(item);
  ASSERT_TRUE(viewtest::WaitForLoad(Page(), [&] { box.OnSelChange(); }));
  ASSERT_TRUE(WaitForPage("document.getElementsByClassName('reference').length >= 2"));
  // Each reference's top edge lies below the bottom edge of the one before it.
  const QString stacked = QStringLiteral(
      "(function(){var refs=document.getElementsByClassName('reference');"
      "for(var i=1;i<refs.length;++i)if(refs[i].getBoundingClientRect().top<refs[i-1].getBoundingClientRect().bottom)"
      "return 0;return 1;})()");
  EXPECT_EQ(RunJs(Page(), stacked).toInt(), 1);
  EXPECT_TRUE(PageText().contains(QRegularExpression(R"(\n1\.[^\n]+\n2\.)"))) << PageText().toStdString();
  ItemOptions::Shared().reference = 0;
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
  // The sample can be edited: the item editor and the list's item-data
  // editors are offered.
  EXPECT_TRUE(m_offered.contains("Find item in the list"));
  EXPECT_TRUE(m_offered.contains("Distinctive attributes"));
  EXPECT_TRUE(m_offered.contains("Edit item description"));
  EXPECT_TRUE(m_offered.contains("Edit item references"));
  EXPECT_TRUE(m_offered.contains("Edit item attributes"));
  const std::string species = GetItemDisplayName(Doc(), item);
  ASSERT_TRUE(WaitForPage(QStringLiteral("document.body && document.body.innerText.indexOf('%1') >= 0")
                              .arg(QString::fromStdString(species))))
      << species;
  EXPECT_EQ(m_frame->ItemListView()->GetSelectedItemOrNone(), item);
}

// The item link's popup runs the item editor on that item; the page shown
// afterwards carries the name typed.
TEST_F(SampleKey, ItemLinkPopupEditsTheItemAndThePageFollows) {
  ASSERT_TRUE(m_frame->ItemListView()->OnCommand(cmd::kItemListReport));
  ASSERT_TRUE(WaitForPage("document.body && document.body.innerHTML.indexOf('item%20') >= 0"));
  ModalScript script;
  QString before;
  script.Then([&](QDialog& dialog) {
    auto* field = dialog.findChild<QLineEdit*>("nameEdit");
    if (!field || !field->isVisibleTo(&dialog)) field = dialog.findChild<QLineEdit*>("speciesEdit");
    ASSERT_NE(field, nullptr);
    before = field->text();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, " qorzz");
    QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
  });
  ChoosePopupEntry("Edit item description");
  ASSERT_FALSE(ClickLink("item%20").isEmpty());
  ASSERT_TRUE(WaitUntil([&] { return script.DialogsRun() == 1; }));
  EXPECT_FALSE(before.isEmpty());
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_TRUE(WaitForPage("document.body && document.body.innerText.indexOf('qorzz') >= 0"));
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
  // The database page names menus too: wait for the list's own links, or the
  // link below goes onto a page about to be replaced.
  ASSERT_TRUE(
      WaitForPage("Array.prototype.some.call(document.links, function (l) {"
                  "return (l.getAttribute('href') || '').indexOf('menu') >= 0; })"));
  RunJs(Page(),
        "var a=document.createElement('a');a.href='qorlink:help//help.htm';a.id='help';"
        "a.textContent='Help';document.body.insertBefore(a, document.body.firstChild);");
  ASSERT_TRUE(viewtest::MouseClick(*View().WebView(), viewtest::ById("help")));
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
  ASSERT_TRUE(WaitUntil(
      [&] { return RunJs(helpPage, "document.body && location.href.indexOf('help.htm') >= 0 ? 1 : 0").toInt() == 1; }));
  QPointer<CHelpMDIChildWnd> watched = window;
  RunJs(helpPage,
        "var a=document.createElement('a');a.href='qorlink::closedoc';"
        "document.body.appendChild(a);a.click();");
  EXPECT_TRUE(WaitUntil([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return watched.isNull();
  }));
  EXPECT_EQ(area.subWindowList().size(), 1);
}

TEST_F(SampleKey, GalleryPictureOpensAFullScreenViewerThatShowsIt) {
  ASSERT_TRUE(m_frame->OnCommand(cmd::kGallery));
  ASSERT_TRUE(WaitForPage("document.getElementsByClassName('thumbnail').length > 0"));
  RunJs(Page(), "document.getElementsByClassName('thumbnail')[0].click();");
  ASSERT_FALSE(ClickLink("qorlink::images//").isEmpty());
  CHelpHtmlView* viewer = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (QMdiSubWindow* sub : m_app->MainFrame()->MdiArea()->subWindowList())
      if (auto* window = qobject_cast<CHelpMDIChildWnd*>(sub)) viewer = qobject_cast<CHelpHtmlView*>(window->widget());
    return viewer != nullptr;
  }));
  QWebEnginePage& page = *viewer->WebView()->page();
  ASSERT_TRUE(WaitUntil([&] {
    return RunJs(page, "(function(){var p=document.getElementById('mainImage');return p&&p.complete?1:0;})()")
               .toInt() == 1;
  }));
  EXPECT_GT(RunJs(page, "document.getElementById('mainImage').naturalWidth").toInt(), 0);
  EXPECT_TRUE(m_ui.Messages().empty());
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
  ASSERT_TRUE(viewtest::MouseClick(*View().WebView(), "document.getElementsByTagName('area')[0]", Qt::ShiftModifier));
  EXPECT_TRUE(WaitUntil([&] { return Doc().GetAttributeMark(attribute) == MARK_YES; }));
  EXPECT_EQ(tree.SelectedNode(), tree.Tree().FindAttributeNode(attribute));
}

TEST_F(SampleKey, RegionPopupOffersOrThroughTheRegionDialog) {
  View().SetPopupRunner([this](QMenu& menu) { return EntryNamed(menu, {}, &m_offered); });
  View().PopupRegionMenu();
  EXPECT_TRUE(m_offered.contains("Mark Yes"));
  EXPECT_TRUE(m_offered.contains("Mark Clear"));
  EXPECT_TRUE(m_offered.contains("Mark Or")) << "the frame installs the region dialog";
  HTREEITEM dialogNode = 0;
  m_frame->LeftView()->SetRegionOrDialog([&](HTREEITEM node) { dialogNode = node; });
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
  EXPECT_TRUE(list.OffersItemCommand(kCmdEditItemAttributes));
  View().SetPopupRunner([this](QMenu& menu) { return EntryNamed(menu, {}, &m_offered); });
  View().PopupItemMenu(true);
  EXPECT_EQ(m_offered,
            (QStringList{"Find item in the list", "Toggle eliminated", "Description", "Distinctive attributes",
                         "Edit item description", "Edit item references", "Edit item attributes"}));
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
  ASSERT_TRUE(
      WaitUntil([&] { return Doc().m_reportKind == kReportItemDescription && Doc().m_reportArgument == item; }));
  EXPECT_TRUE(WaitUntil([&] { return QApplication::focusWidget() == &box; }));
}

// Help pages and pictures open in windows wholly inside the work area, one
// a title bar further down and right than the one before, however many.
TEST_F(SampleKey, HelpAndPictureWindowsOpenInsideTheWorkArea) {
  CMainFrame& main = *m_app->MainFrame();
  QMdiArea& area = *main.MdiArea();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  const int before = static_cast<int>(area.subWindowList().size());
  for (int press = 0; press < 4; ++press) QTest::keyClick(m_frame->LeftView(), Qt::Key_F1);
  ASSERT_GT(area.subWindowList().size(), before);
  CItemListBox& box = m_frame->ItemListView()->ListBox();
  box.SelectRow(0);
  box.OnSelChange();
  ASSERT_TRUE(WaitForPage("document.body && document.body.innerHTML.indexOf('qorlink::images//') >= 0"));
  const int helpWindows = static_cast<int>(area.subWindowList().size());
  // The help windows cover the database's window; a user brings it forward
  // first, then opens the picture to reach its full-screen link.
  area.setActiveSubWindow(m_frame);
  ASSERT_TRUE(WaitForPage("document.getElementById('IMG_TN_1') && document.getElementById('IMG_TN_1').complete"));
  ASSERT_TRUE(viewtest::MouseClick(*View().WebView(), viewtest::ById("IMG_TN_1")));
  ASSERT_FALSE(ClickLink("qorlink::images//").isEmpty());
  ASSERT_TRUE(WaitUntil([&] { return area.subWindowList().size() > helpWindows; }));
  const QRect room = area.viewport()->rect();
  QList<QPoint> corners;
  for (QMdiSubWindow* sub : area.subWindowList().mid(before)) {
    EXPECT_TRUE(qobject_cast<CHelpMDIChildWnd*>(sub));
    EXPECT_TRUE(room.contains(sub->geometry())) << sub->x() << "," << sub->y() << " " << sub->width() << "x"
                                                << sub->height() << " in " << room.width() << "x" << room.height();
    EXPECT_FALSE(corners.contains(sub->pos())) << "each window shows its own title";
    corners << sub->pos();
  }
}

// Counts the pages the program hands to the frame's report pane, which
// still shows them; in place while it lives.
class CountingHtmlView : public IHtmlView {
 public:
  explicit CountingHtmlView(CChildFrame& frame) : m_frame(frame), m_view(*frame.HtmlView()) { Attach(this); }
  ~CountingHtmlView() override { Attach(&m_view); }
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) override {
    ++pages;
    m_view.ShowPage(html, std::move(action));
  }
  int PopupItemMenu(bool editable) override { return m_view.PopupItemMenu(editable); }
  int PopupRegionMenu() override { return m_view.PopupRegionMenu(); }
  void NavigateTo(const std::string& path) override { m_view.NavigateTo(path); }
  int pages = 0;

 private:
  void Attach(IHtmlView* html) { m_frame.GetDocument().AttachViews(html, m_frame.LeftView(), m_frame.ItemListView()); }
  CChildFrame& m_frame;
  CZAVView& m_view;
};

// The analysis names the menus worth opening next: following one puts that
// menu, opened, at the top of the tree and shows its page once, even for
// the last menu, below which the tree has too few rows to fill the pane.
TEST_F(SampleKey, MenuLinkOfTheAnalysisPutsTheMenuAtTheTopOfTheTree) {
  CLeftView& tree = *m_frame->LeftView();
  CountingHtmlView counting(*m_frame);
  ASSERT_TRUE(m_frame->OnCommand(cmd::kAnalyze));
  ASSERT_EQ(Doc().m_reportKind, kReportAnalysis);
  const int menu = MenuTitled(Doc(), "Behaviour");
  ASSERT_GT(menu, 0);
  const QString link = QStringLiteral("menu%1end").arg(menu);
  ASSERT_TRUE(WaitForPage(QStringLiteral("document.body && document.body.innerHTML.indexOf('%1') >= 0").arg(link)));
  // A long tree scrolled to its end: the menu lies above the visible part.
  tree.expandAll();
  tree.scrollToBottom();
  QCoreApplication::processEvents();
  const HTREEITEM node = tree.Tree().FindMenuNode(menu);
  ASSERT_GT(tree.verticalScrollBar()->maximum(), 0) << "the tree must be longer than its pane";
  ASSERT_NE(tree.indexAt(QPoint(1, 1)), tree.Model().IndexOf(node));
  const int naturalMaximum = tree.verticalScrollBar()->maximum();
  tree.collapse(tree.Model().IndexOf(node));
  counting.pages = 0;
  ASSERT_FALSE(ClickLink(link).isEmpty());
  ASSERT_TRUE(WaitUntil([&] { return Doc().m_reportKind == kReportMenuItem; }));
  EXPECT_EQ(Doc().m_reportArgument, menu);
  EXPECT_EQ(tree.SelectedNode(), node);
  EXPECT_TRUE(tree.isExpanded(tree.Model().IndexOf(node)));
  // Let the page load and the focus come back to the tree before looking.
  ASSERT_TRUE(WaitForPage("document.body && document.body.innerText.indexOf('Behaviour') >= 0"));
  QCoreApplication::processEvents();
  EXPECT_EQ(tree.indexAt(QPoint(1, 1)), tree.Model().IndexOf(node));
  EXPECT_EQ(counting.pages, 1);
  // Back at the top of the tree, the room below its end goes again.
  QTest::keyClick(&tree, Qt::Key_Home);
  QCoreApplication::processEvents();
  EXPECT_EQ(tree.verticalScrollBar()->value(), 0);
  EXPECT_EQ(tree.verticalScrollBar()->maximum(), naturalMaximum);
}

}  // namespace
