// What a database's own HTML can and cannot make the views do: nothing it
// shows reaches the network, its scripts read no files, and the private
// links act only on the user's clicks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include "reports/qt/BrowserBridge.h"
#include "reports/qt/HelpDocument.h"
#include "reports/qt/HelpHtmlView.h"
#include "reports/qt/HelpMDIChildWnd.h"
#include "reports/qt/LocalRequestInterceptor.h"
#include "reports/qt/NavigationGuard.h"
#include "reports/qt/ReportPage.h"
#include "ViewFixture.h"

using namespace viewtest;

namespace {

// A listener on this computer standing in for the network: it counts every
// connection a page opens to it.
class NetworkWitness {
 public:
  NetworkWitness() {
    m_server.listen(QHostAddress::LocalHost);
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++m_connections;
        socket->close();
      }
    });
  }
  QString Address(const char* path) const {
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(QString::fromUtf8(path));
  }
  // Gives the page time to try, then tells whether anything arrived.
  int ConnectionsAfterWaiting() {
    WaitUntil([] { return false; }, 2500);
    return m_connections;
  }

 private:
  QTcpServer m_server;
  int m_connections = 0;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// A one-pixel PNG.
const QByteArray kPicture = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");

// Every way a page could send something out: pictures, style sheets,
// scripts, frames, fetches, forms, beacons, refreshes and location changes.
QString LeakingPage(const NetworkWitness& witness) {
  return QStringLiteral(
             "<html><head><link rel='stylesheet' href='%1'><script src='%2'></script>"
             "<link rel='stylesheet' href='key.css'></head><body>"
             "<img id='pic' src='pic.png'><img src='%3'><iframe src='%4'></iframe>"
             "<form id='f' action='%5'><input name='q' value='secret'></form>"
             "<script>"
             "fetch('%6').catch(function(){});"
             "try { navigator.sendBeacon('%6'); } catch (e) {}"
             "var x = new XMLHttpRequest(); x.open('GET', '%6'); try { x.send(); } catch (e) {}"
             "setTimeout(function () { document.getElementById('f').submit(); }, 100);"
             "setTimeout(function () { window.location.href = '%7'; }, 300);"
             "</script></body></html>")
      .arg(witness.Address("sheet.css"), witness.Address("script.js"), witness.Address("pixel.png"),
           witness.Address("frame.htm"), witness.Address("form"), witness.Address("fetch"), witness.Address("moved"));
}

class PageSafety : public ViewFixture {
 protected:
  void SetUp() override {
    ViewFixture::SetUp();
    WriteFile(QDir(m_folder.path()).filePath("pic.png"), kPicture);
    WriteFile(QDir(m_folder.path()).filePath("key.css"), "body { color: rgb(1, 2, 3); }");
    WriteFile(QDir(m_folder.path()).filePath("secret.txt"), "secret");
  }
  void Show(const QString& html) {
    ASSERT_TRUE(WaitForLoad(
        m_view.Page(), [&] { m_view.ShowPage(html.toStdString(), std::make_unique<RecordingAction>(m_calls, true)); }));
  }
  QVariant Js(const QString& script) { return RunJs(m_view.Page(), script); }
};

TEST_F(PageSafety, ALocalPageShowsItsPicturesAndStylesButReachesNoNetwork) {
  NetworkWitness witness;
  Show(LeakingPage(witness));
  EXPECT_EQ(witness.ConnectionsAfterWaiting(), 0);
  EXPECT_FALSE(m_view.Page().url().scheme().startsWith("http")) << m_view.Page().url().toString().toStdString();
  EXPECT_TRUE(WaitUntil([&] { return Js("document.getElementById('pic').naturalWidth").toInt() == 1; }));
  EXPECT_TRUE(m_calls.empty()) << "a script's moves are no clicks";
}

TEST_F(PageSafety, PicturesAndStylesBesideTheDatabaseStillShow) {
  Show("<html><head><link rel='stylesheet' href='key.css'></head><body><img id='pic' src='pic.png'></body></html>");
  EXPECT_TRUE(WaitUntil([&] { return Js("document.getElementById('pic').naturalWidth").toInt() == 1; }));
  EXPECT_EQ(Js("getComputedStyle(document.body).color").toString(), "rgb(1, 2, 3)");
}

TEST_F(PageSafety, ScriptsReadNoFiles) {
  Show(
      "<html><body><script>window.got = 'pending';"
      "fetch('secret.txt').then(function (r) { return r.text(); })"
      ".then(function (t) { window.got = t; }, function () { window.got = 'refused'; });</script></body></html>");
  ASSERT_TRUE(WaitUntil([&] { return Js("window.got").toString() != "pending"; }));
  EXPECT_EQ(Js("window.got").toString(), "refused");
}

TEST_F(PageSafety, PrivateLinksActOnlyOnTheUsersClick) {
  Show(
      "<html><body><a id='link' href='qorlink:mailto:a@b.c'>mail</a>"
      "<a id='item' href='http:\\\\item%201end'>item</a></body></html>");
  Js("document.getElementById('link').click();"
     "document.getElementById('item').dispatchEvent(new MouseEvent('click', {bubbles: true}));"
     "window.navigate('qorattr:Red');"
     "window.location.href = 'qorlink:https://example.org/';"
     "setTimeout(function () { window.location.href = 'http://menu1end/'; }, 50);");
  EXPECT_EQ(Js("typeof qt").toString(), "undefined") << "the page cannot reach the program's channel";
  WaitUntil([] { return false; }, 1000);
  EXPECT_TRUE(m_calls.empty());
  ASSERT_TRUE(MouseClick(*m_view.WebView(), ById("link")));
  ASSERT_TRUE(WaitUntil([&] { return !m_calls.empty(); }));
  EXPECT_EQ(m_calls.front().address, "qorlink:mailto:a@b.c");
}

TEST_F(PageSafety, TheReturnKeyOnAFocusedLinkIsTheUsersClickToo) {
  Show("<html><body onclick='window.clicked = 1'><a id='attr' href='qorattr:Red'>red</a></body></html>");
  ASSERT_TRUE(MouseClick(*m_view.WebView(), "document.body"));  // the view takes the keyboard
  // The page sees the click a moment later; focus given before that would go
  // back to the body with it.
  ASSERT_TRUE(WaitUntil([&] { return Js("window.clicked === 1 && document.hasFocus()").toBool(); }));
  Js("document.getElementById('attr').focus();");
  ASSERT_EQ(Js("document.activeElement.id").toString(), "attr");
  QTest::keyClick(m_view.WebView()->focusProxy(), Qt::Key_Return);
  ASSERT_TRUE(WaitUntil([&] { return !m_calls.empty(); }));
  EXPECT_EQ(m_calls.front().address, "qorattr:Red");
}

TEST_F(PageSafety, AWebLinkTheUserClicksIsOfferedToTheActionFirst) {
  Show("<html><body><a id='web' href='https://example.org/page'>web</a></body></html>");
  ASSERT_TRUE(MouseClick(*m_view.WebView(), ById("web")));
  ASSERT_TRUE(WaitUntil([&] { return !m_calls.empty(); }));
  EXPECT_EQ(m_calls.front().address, "https://example.org/page");
}

TEST(BrowserBridge, PassesOnlyItsOwnKindOfAddress) {
  CBrowserBridge bridge;
  QStringList links, web;
  QObject::connect(&bridge, &CBrowserBridge::linkClicked, [&](const QString& raw, bool) { links << raw; });
  QObject::connect(&bridge, &CBrowserBridge::webLinkClicked, [&](const QString& address) { web << address; });
  for (const char* raw : {"qorlink:help//help.htm", "QORATTR:Red", "http:\\\\menu1end", "http://att2end/",
                          "file:///etc/passwd", "https://example.org/", "javascript:alert(1)", ""})
    bridge.link(QString::fromUtf8(raw), false, -1, -1);
  for (const char* address : {"https://example.org/", "http://example.org/x", "file:///etc/passwd",
                              "qorlink:https://example.org/", "http://menu1end/", "smb://host/share"})
    bridge.web(QString::fromUtf8(address));
  EXPECT_EQ(links, (QStringList{"qorlink:help//help.htm", "QORATTR:Red", "http:\\\\menu1end", "http://att2end/"}));
  EXPECT_EQ(web, (QStringList{"https://example.org/", "http://example.org/x"}));
}

TEST(NavigationGuard, LocalPagesStayLocalAndTheProgramsOwnLoadsPass) {
  const QUrl local = QUrl::fromLocalFile("/keys/birds.htm");
  const QUrl remote("https://example.org/");
  using Page = QWebEnginePage;
  EXPECT_TRUE(
      CNavigationGuard::MayLoad(QUrl::fromLocalFile("/keys/other.htm"), Page::NavigationTypeLinkClicked, local));
  EXPECT_FALSE(CNavigationGuard::MayLoad(remote, Page::NavigationTypeLinkClicked, local));
  EXPECT_FALSE(CNavigationGuard::MayLoad(remote, Page::NavigationTypeRedirect, local));
  EXPECT_FALSE(CNavigationGuard::MayLoad(remote, Page::NavigationTypeFormSubmitted, local));
  EXPECT_FALSE(CNavigationGuard::MayLoad(QUrl("qorlink:x.pdf"), Page::NavigationTypeLinkClicked, local));
  EXPECT_TRUE(CNavigationGuard::MayLoad(remote, Page::NavigationTypeTyped, local)) << "the program's own load";
  EXPECT_TRUE(CNavigationGuard::MayLoad(QUrl("https://example.org/b"), Page::NavigationTypeLinkClicked, remote));
  EXPECT_FALSE(CNavigationGuard::MayLoad(QUrl("http://menu1end/"), Page::NavigationTypeLinkClicked, remote));
  using Info = QWebEngineUrlRequestInfo;
  EXPECT_TRUE(CLocalRequestInterceptor::Blocks(remote, local, Info::ResourceTypeImage));
  EXPECT_TRUE(CLocalRequestInterceptor::Blocks(remote, QUrl(), Info::ResourceTypeImage));
  EXPECT_FALSE(CLocalRequestInterceptor::Blocks(QUrl::fromLocalFile("/keys/a.png"), local, Info::ResourceTypeImage));
  EXPECT_TRUE(CLocalRequestInterceptor::Blocks(QUrl::fromLocalFile("/etc/passwd"), local, Info::ResourceTypeXhr));
  EXPECT_FALSE(CLocalRequestInterceptor::Blocks(QUrl("https://example.org/a.png"), remote, Info::ResourceTypeImage));
}

// A picture page handed to a help window as HTML text is guarded like a
// report page.
TEST(HelpWindowSafety, AnHtmlTextPageReachesNoNetwork) {
  NetworkWitness witness;
  QTemporaryDir folder;
  CHelpDocument document;
  document.m_html = LeakingPage(witness).toStdString();
  QPointer<CHelpHtmlView> view = OpenHelpWindow(document, nullptr);
  EXPECT_EQ(witness.ConnectionsAfterWaiting(), 0);
  ASSERT_FALSE(view.isNull());
  EXPECT_FALSE(view->WebView()->url().scheme().startsWith("http")) << view->WebView()->url().toString().toStdString();
  delete view.data();
}

}  // namespace

namespace {

// The picture viewer hands its page as text with the pictures' full file
// addresses; they show although no local page may reach the network.
TEST(HelpWindowSafety, AnHtmlTextPageShowsPicturesByTheirFileAddress) {
  QTemporaryDir folder;
  const QString picture = QDir(folder.path()).filePath("pic one.png");
  WriteFile(picture, kPicture);
  CHelpDocument document;
  document.m_html = QStringLiteral("<html><body><p id='text'>t</p><img id='pic' src='%1'></body></html>")
                        .arg(QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded))
                        .toStdString();
  QPointer<CHelpHtmlView> view = OpenHelpWindow(document, nullptr);
  EXPECT_TRUE(WaitUntil([&] {
    return RunJs(*view->WebView()->page(),
                 "document.getElementById('pic') ? "
                 "document.getElementById('pic').naturalWidth : 0")
               .toInt() == 1;
  }));
  delete view.data();
}

}  // namespace
