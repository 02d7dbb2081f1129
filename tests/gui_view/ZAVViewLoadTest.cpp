// Page loading of the report view: the base folder, the path for pages too
// large for an inline load, the action lifetime rule, status and focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QWebEngineView>

#include "database/ZAVDoc.h"
#include "reports/qt/PageScript.h"
#include "reports/qt/ReportPage.h"
#include "reports/qt/ZAVView.h"
#include "reports/qt/KeyFolderScheme.h"
#include "ViewFixture.h"
#include "fakes/ScriptedUi.h"

using namespace viewtest;

namespace {

class ZAVViewLoad : public ViewFixture {
 protected:
  // The bound only keeps a lost load from stalling the run: a page of
  // megabytes takes long to lay out in a sanitized build on a busy machine.
  bool Show(const std::string& html, std::unique_ptr<ReportAction> action = nullptr) {
    return WaitForLoad(
        m_view.Page(), [&] { m_view.ShowPage(html, std::move(action)); }, kBound);
  }
  static constexpr int kBound = 120000;

  QString FolderUrl() const { return key_folder::FolderUrl(m_folder.path()).toString(); }
};

std::string PageOfSize(qsizetype bytes) {
  std::string html = " <html><head></head><body><p id='first'>first</p>";
  const std::string row = "<div class='row'>some report text in a row</div>\n";
  while (static_cast<qsizetype>(html.size()) < bytes) html += row;
  return html + "<p id='last'>last</p></body></html>";
}

TEST_F(ZAVViewLoad, SmallPageLoadsInlineAgainstTheDatabaseFolder) {
  ASSERT_TRUE(Show(PageOfSize(1000)));
  EXPECT_TRUE(m_view.Page().HeldPageUrl().isEmpty());
  EXPECT_EQ(RunJs(m_view.Page(), "document.baseURI").toString(), FolderUrl());
}

// Between the inline limit and 2 MB an inline load already fails, because
// the data address grows by a third.
TEST_F(ZAVViewLoad, LargePageLoadsWholeFromMemory) {
  // The program's page keeps its scripts.
  ASSERT_TRUE(Show(PageOfSize(1800000) + "<script>document.title = 'ran';</script>"));
  EXPECT_TRUE(WaitUntil([&] { return m_view.Page().title() == "ran"; }, kBound));
  const QUrl held = m_view.Page().HeldPageUrl();
  ASSERT_FALSE(held.isEmpty());
  EXPECT_TRUE(key_folder::IsHeldPage(held));
  EXPECT_EQ(RunJs(m_view.Page(), "document.getElementById('last').textContent", kBound).toString(), "last");
  EXPECT_EQ(RunJs(m_view.Page(), "document.baseURI", kBound).toString(), FolderUrl());
  EXPECT_GT(RunJs(m_view.Page(), "document.querySelectorAll('div.row').length", kBound).toInt(), 30000);

  ASSERT_TRUE(Show(PageOfSize(100)));
  EXPECT_FALSE(key_folder::IsHeldPage(held));  // freed with the page it served
}

TEST_F(ZAVViewLoad, EmptyPageStillLoads) { EXPECT_TRUE(Show("")); }

TEST_F(ZAVViewLoad, PageWithoutActionGetsAPlainOne) {
  ASSERT_TRUE(Show("<html></html>"));
  ASSERT_NE(m_view.Actions().Current(), nullptr);
  EXPECT_EQ(typeid(*m_view.Actions().Current()), typeid(ReportAction));
}

// Destroying records into a flag the test owns.
class TrackedAction : public ReportAction {
 public:
  explicit TrackedAction(bool& destroyed) : m_destroyed(destroyed) {}
  ~TrackedAction() override { m_destroyed = true; }

 protected:
  bool& m_destroyed;
};

// Shows two pages from its own handler, as "move" links do.
class ReplacingAction : public TrackedAction {
 public:
  ReplacingAction(bool& destroyed, bool& aliveAtEnd) : TrackedAction(destroyed), m_aliveAtEnd(aliveAtEnd) {}
  bool Execute() override {
    View().ShowPage("<html><body>one</body></html>", nullptr);
    View().ShowPage("<html><body id='two'>two</body></html>", nullptr);
    m_aliveAtEnd = !m_destroyed;
    return true;
  }

 private:
  bool& m_aliveAtEnd;
};

TEST_F(ZAVViewLoad, ActionsGoWhenTheThirdPageArrives) {
  bool firstGone = false, secondGone = false;
  ASSERT_TRUE(Show("<html>1</html>", std::make_unique<TrackedAction>(firstGone)));
  ASSERT_TRUE(Show("<html>2</html>", std::make_unique<TrackedAction>(secondGone)));
  EXPECT_FALSE(firstGone);
  ASSERT_TRUE(Show("<html>3</html>"));
  EXPECT_TRUE(firstGone);
  EXPECT_FALSE(secondGone);
}

TEST_F(ZAVViewLoad, ActionReplacedByItsOwnHandlerLivesUntilItReturns) {
  bool destroyed = false, aliveAtEnd = false;
  ASSERT_TRUE(Show("<html><body><a id='l' href='http:\\\\move3end'>x</a></body></html>",
                   std::make_unique<ReplacingAction>(destroyed, aliveAtEnd)));
  ASSERT_TRUE(MouseClick(*m_view.WebView(), ById("l")));
  ASSERT_TRUE(WaitUntil([&] { return destroyed; }));
  EXPECT_TRUE(aliveAtEnd);
  EXPECT_TRUE(WaitUntil([&] { return RunJs(m_view.Page(), "document.getElementById('two') !== null").toBool(); }));
}

TEST(ZAVViewStatus, ShortcutTextsBecomeClickShortcut) {
  EXPECT_EQ(CZAVView::StatusTextFor("Shortcut to menu12end"), "Click Shortcut");
  EXPECT_EQ(CZAVView::StatusTextFor("sHoRtCuT"), "Click Shortcut");
  EXPECT_EQ(CZAVView::StatusTextFor("Shortcu"), "Shortcu");
  EXPECT_EQ(CZAVView::StatusTextFor("Red wing"), "Red wing");
  EXPECT_EQ(CZAVView::StatusTextFor(""), "");
}

TEST_F(ZAVViewLoad, WindowStatusGoesToTheStatusText) {
  ASSERT_TRUE(Show("<html><body></body></html>"));
  QStringList shown;
  QObject::connect(&m_view, &CZAVView::statusTextChanged, [&](const QString& text) { shown << text; });
  RunJs(m_view.Page(), "window.status = 'Shortcut here'; window.status = 'Wing colour';");
  ASSERT_TRUE(WaitUntil([&] { return shown.size() >= 2; }));
  EXPECT_EQ(shown.at(0), "Click Shortcut");
  EXPECT_EQ(shown.at(1), "Wing colour");
}

TEST_F(ZAVViewLoad, FocusReturnsToTheFocusWindowAfterLoading) {
  ScriptedUi ui;
  QLineEdit edit;
  m_view.SetFocusWindow(&edit);
  ASSERT_TRUE(Show("<html><body>page</body></html>"));
  ASSERT_FALSE(ui.traces.empty());
  EXPECT_EQ(ui.traces.back().rfind("Setting Focus To: ", 0), 0u);
}

TEST_F(ZAVViewLoad, RememberFocusWindowFindsTheDocumentsView) {
  ScriptedUi ui;
  QLineEdit edit;
  m_doc.AttachViews(&m_view, nullptr, nullptr);
  CZAVView::RememberFocusWindow(m_doc, &edit);
  ASSERT_TRUE(Show("<html><body>page</body></html>"));
  EXPECT_FALSE(ui.traces.empty());
}

}  // namespace

namespace {

// The built-in style sheet is a program resource ("qrc:"); report pages
// based in the database folder must be able to load such resources.
TEST_F(ZAVViewLoad, PagesLoadProgramResources) {
  ASSERT_TRUE(
      Show("<html><head><script src='qrc:///qtwebchannel/qwebchannel.js' "
           "onload='window.resourceLoaded = 1' onerror='window.resourceLoaded = 2'></script>"
           "<link rel='stylesheet' href='qrc:/qor.css' onload='window.sheetLoaded = 1' "
           "onerror='window.sheetLoaded = 2'></head></html>"));
  ASSERT_TRUE(WaitUntil([&] { return RunJs(m_view.Page(), "window.resourceLoaded || 0").toInt() != 0; }));
  EXPECT_EQ(RunJs(m_view.Page(), "window.resourceLoaded").toInt(), 1);
  ASSERT_TRUE(WaitUntil([&] { return RunJs(m_view.Page(), "window.sheetLoaded || 0").toInt() != 0; }));
  EXPECT_EQ(RunJs(m_view.Page(), "window.sheetLoaded").toInt(), 1) << "the built-in style sheet";
}

}  // namespace

namespace {

// Runs a script in the world of the host script, where the web channel lives.
QVariant RunInHostWorld(QWebEnginePage& page, const QString& script) {
  QVariant result;
  bool finished = false;
  page.runJavaScript(script, kQorHostWorld, [&](const QVariant& value) {
    result = value;
    finished = true;
  });
  WaitUntil([&] { return finished; }, 10000);
  return result;
}

}  // namespace

// The channel's transport outlives the document: an answer to a call that
// the page before made arrives at the page shown now, under an id its own
// channel never gave out. It is dropped, not raised as an error.
TEST_F(ZAVViewLoad, AnAnswerToACallOfALeftPageIsDroppedByTheNextOne) {
  for (int load = 0; load < 5; ++load) {
    ASSERT_TRUE(Show("<html><body>page " + std::to_string(load) + "</body></html>"));
    ASSERT_TRUE(WaitUntil([&] {
      return RunInHostWorld(m_view.Page(), "typeof qt !== 'undefined' && !!qt.webChannelTransport.onmessage").toBool();
    }));
    const QVariant delivered =
        RunInHostWorld(m_view.Page(), "qt.webChannelTransport.onmessage({data: JSON.stringify({type: 10, id: 4242 + " +
                                          QString::number(load) + ", data: null})}); 'delivered'");
    EXPECT_EQ(delivered.toString(), "delivered") << "load " << load;
  }
}
