// Help windows: titled "Image Gallery", showing HTML text or a file, and
// closed by a page that follows "qorlink::closedoc".
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWebEngineView>

#include "platform/qt/WindowPlacement.h"
#include "reports/qt/HelpDlg.h"
#include "reports/qt/HelpDocument.h"
#include "reports/qt/HelpHtmlView.h"
#include "reports/qt/HelpMDIChildWnd.h"
#include "database/HtmlEscape.h"
#include "ViewTestSupport.h"

using namespace viewtest;

namespace {

const char kClosingPage[] =
    "<html><body><a id='close' href='qorlink::closedoc'>Close</a>"
    "<p id='text'>Picture page</p></body></html>";

CHelpDocument HtmlDocument(const std::string& html) {
  CHelpDocument document;
  document.m_html = html;
  return document;
}

bool WaitForContent(CHelpHtmlView& view) {
  return WaitUntil(
      [&] { return RunJs(*view.WebView()->page(), "document.getElementById('text') ? 1 : 0").toInt() == 1; });
}

// Runs the script in a top-level help window and tells whether the window
// was closed and freed.
bool ClosesAfter(const char* script) {
  QPointer<CHelpHtmlView> view = OpenHelpWindow(HtmlDocument(kClosingPage), nullptr);
  if (!view || view->windowTitle() != "Image Gallery" || !WaitForContent(*view)) return false;
  RunJs(*view->WebView()->page(), script);
  const bool closed = WaitUntil([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return view.isNull();
  });
  delete view.data();
  return closed;
}

TEST(HelpWindow, InAnMdiAreaClosesOnTheCloseLink) {
  QMdiArea area;
  area.resize(800, 600);
  CHelpHtmlView* view = OpenHelpWindow(HtmlDocument(kClosingPage), &area);
  ASSERT_EQ(area.subWindowList().size(), 1);
  EXPECT_EQ(area.subWindowList().front()->windowTitle(), "Image Gallery");
  ASSERT_TRUE(WaitForContent(*view));
  RunJs(*view->WebView()->page(), "document.getElementById('close').click();");
  EXPECT_TRUE(WaitUntil([&] { return area.subWindowList().isEmpty(); }));
}

TEST(HelpWindow, TopLevelClosesOnTheCloseLinkAndIsFreed) {
  EXPECT_TRUE(ClosesAfter("document.getElementById('close').click();"));
}

TEST(HelpWindow, ScriptNavigationToTheCloseLinkClosesToo) {
  EXPECT_TRUE(ClosesAfter("window.location.href = 'qorlink::closedoc';"));
}

TEST(HelpWindow, WindowOnHtmlTextHasNoPath) {
  QPointer<CHelpHtmlView> view = OpenHelpWindow(HtmlDocument(kClosingPage), nullptr);
  EXPECT_TRUE(view->GetDocument().m_path.empty());
  EXPECT_TRUE(WaitForContent(*view));
  delete view.data();
}

TEST(HelpWindow, OtherLinksStayOpen) {
  QPointer<CHelpHtmlView> view = OpenHelpWindow(
      HtmlDocument("<html><body><a id='other' href='#below'>x</a><p id='text'>t</p></body></html>"), nullptr);
  ASSERT_TRUE(WaitForContent(*view));
  RunJs(*view->WebView()->page(), "document.getElementById('other').click();");
  QCoreApplication::processEvents();
  EXPECT_FALSE(view.isNull());
  delete view.data();
}

TEST(HelpWindow, FileWithAnchorOpensAtTheFile) {
  QTemporaryDir folder;
  const QString path = QDir(folder.path()).filePath("help.htm");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html><body><p id='text'>help</p><a name='ExportDialog'></a></body></html>");
  file.close();
  CHelpDocument document;
  document.m_path = (path + "#ExportDialog").toStdString();
  QPointer<CHelpHtmlView> view = OpenHelpWindow(document, nullptr);
  ASSERT_TRUE(WaitForContent(*view));
  EXPECT_EQ(view->WebView()->url().fileName(), "help.htm");
  EXPECT_EQ(view->WebView()->url().fragment(), "ExportDialog");
  delete view.data();
}

// Without an MDI area the window stands on its own, over its owner.
TEST(HelpWindow, TopLevelOpensInsideItsOwner) {
  QWidget owner;
  owner.setGeometry(100, 120, 500, 400);
  owner.show();
  QPointer<CHelpHtmlView> view = OpenHelpWindow(HtmlDocument(kClosingPage), &owner);
  EXPECT_TRUE(view->isWindow());
  EXPECT_TRUE(owner.geometry().contains(view->geometry()));
  delete view.data();
}

TEST(WindowPlacement, CascadedAndCentredWindowsStayInsideTheirRoom) {
  const QRect rooms[] = {{0, 0, 1200, 750}, {100, 50, 300, 200}, {0, 0, 40, 30}};
  const QSize sizes[] = {{900, 563}, {2000, 1500}, {10, 10}};
  for (const QRect& room : rooms) {
    for (const QSize& wanted : sizes) {
      const QSize fitted = wanted.boundedTo(room.size());
      EXPECT_EQ(platform::qt::CentredRect(room, wanted).size(), fitted);
      EXPECT_TRUE(room.contains(platform::qt::CentredRect(room, wanted)));
      for (int earlier = 0; earlier < 40; ++earlier) {
        const QRect rect = platform::qt::CascadeRect(room, wanted, earlier, 24);
        EXPECT_TRUE(room.contains(rect)) << earlier;
        EXPECT_EQ(rect.size(), fitted);
      }
    }
  }
  // Each window one step further, back to the corner when the next would not fit.
  const QRect room(0, 0, 1200, 750);
  EXPECT_EQ(platform::qt::CascadeRect(room, {900, 563}, 0, 24).topLeft(), QPoint(0, 0));
  EXPECT_EQ(platform::qt::CascadeRect(room, {900, 563}, 1, 24).topLeft(), QPoint(24, 24));
  EXPECT_EQ(platform::qt::CascadeRect(room, {900, 563}, 7, 24).topLeft(), QPoint(168, 168));
  EXPECT_EQ(platform::qt::CascadeRect(room, {900, 563}, 8, 24).topLeft(), QPoint(0, 0));
  EXPECT_EQ(platform::qt::CentredRect(room, {600, 350}).topLeft(), QPoint(300, 200));
}

// A page of text with a picture of the local disc, as the picture viewer writes one.
struct PicturePage {
  QTemporaryDir folder;
  std::string html;
  PicturePage() {
    const QString picture = QDir(folder.path()).filePath("bird one.png");
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(picture);
    html = "<html><body><img id='pic' src='" + FileUrl(picture.toStdString()) + "'/><p id='text'>t</p></body></html>";
  }
  // The picture's width once the browser is done with it; 0 when it could not load it.
  static int LoadedWidth(QWebEnginePage& page) {
    const char* done = "(function(){var p=document.getElementById('pic');return p&&p.complete?1:0;})()";
    if (!WaitUntil([&] { return RunJs(page, done).toInt() == 1; })) return -1;
    return RunJs(page, "document.getElementById('pic').naturalWidth").toInt();
  }
};

TEST(HelpWindow, PageTextShowsPicturesOfTheLocalDisc) {
  PicturePage page;
  QPointer<CHelpHtmlView> view = OpenHelpWindow(HtmlDocument(page.html), nullptr);
  EXPECT_EQ(PicturePage::LoadedWidth(*view->WebView()->page()), 8);
  delete view.data();
  CHelpDlg dialog(page.html);
  auto* browser = dialog.findChild<QWebEngineView*>();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(PicturePage::LoadedWidth(*browser->page()), 8);
}

TEST(HelpDocumentAddress, PathsBecomeFileUrlsWithTheirAnchor) {
  const QUrl url = CHelpDocument::AddressToUrl("/opt/qor/hlp/help.htm#Item_Editor");
  EXPECT_TRUE(url.isLocalFile());
  EXPECT_EQ(url.toLocalFile(), "/opt/qor/hlp/help.htm");
  EXPECT_EQ(url.fragment(), "Item_Editor");
  EXPECT_EQ(CHelpDocument::AddressToUrl("file:///a/b.htm").toLocalFile(), "/a/b.htm");
  EXPECT_EQ(CHelpDocument::AddressToUrl("/a/pic one.jpg").toLocalFile(), "/a/pic one.jpg");
}

TEST(HelpHtmlView, CloseLinkIsRecognisedByItsPrefix) {
  EXPECT_TRUE(CHelpHtmlView::IsCloseLink("qorlink::closedoc"));
  EXPECT_TRUE(CHelpHtmlView::IsCloseLink("qorlink::closedoc/"));
  EXPECT_FALSE(CHelpHtmlView::IsCloseLink("qorlink:closedoc"));
  EXPECT_FALSE(CHelpHtmlView::IsCloseLink("x qorlink::closedoc"));
}

}  // namespace

namespace {

TEST(HelpDlg, BrowserFillsTheDialogWhenResized) {
  CHelpDlg dialog("<html><body>help</body></html>");
  EXPECT_EQ(dialog.windowTitle(), "QOR Help");
  dialog.resize(500, 300);
  dialog.show();
  auto* browser = dialog.findChild<QWebEngineView*>();
  ASSERT_NE(browser, nullptr);
  dialog.resize(640, 420);
  QCoreApplication::processEvents();
  EXPECT_EQ(browser->geometry(), dialog.rect());
  dialog.hide();
}

}  // namespace

namespace {

// Escape, pressed where the keyboard is in the window (the page).
bool PressEscapeInPage(QWidget& window, CHelpHtmlView& view) {
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) return false;
  view.WebView()->setFocus();
  QWidget* focus = QApplication::focusWidget();
  if (!focus || !view.isAncestorOf(focus)) return false;
  QTest::keyClick(focus, Qt::Key_Escape);
  return true;
}

}  // namespace

TEST(HelpWindow, EscapeClosesATopLevelAndAnMdiWindow) {
  QPointer<CHelpHtmlView> view = OpenHelpWindow(HtmlDocument(kClosingPage), nullptr);
  ASSERT_TRUE(view && WaitForContent(*view));
  ASSERT_TRUE(PressEscapeInPage(*view, *view));
  EXPECT_TRUE(WaitUntil([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return view.isNull();
  }));

  QMdiArea area;
  area.resize(800, 600);
  area.show();
  CHelpHtmlView* inArea = OpenHelpWindow(HtmlDocument(kClosingPage), &area);
  ASSERT_TRUE(WaitForContent(*inArea));
  ASSERT_TRUE(PressEscapeInPage(area, *inArea));
  EXPECT_TRUE(WaitUntil([&] { return area.subWindowList().isEmpty(); }));
}
