// Start-up with and without a database named on the command line.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <chrono>
#include <future>
#include <thread>

#include <unistd.h>

#include "ProgramTestSupport.h"
#include "reports/qt/CustomControlSite.h"
#include "reports/qt/PreparedBrowser.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/BrowserStartBesideRead.h"
#include "shell/qt/DirTreeCtrl.h"
#include "shell/qt/DlgQOROpen.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/MainFrame.h"

using namespace program_test;

namespace {

// Finds the database node of the file in the dialog's tree, after opening its folder.
QTreeWidgetItem* SelectFile(CDlgQOROpen& dialog, const std::filesystem::path& file) {
  CDirTreeCtrl* tree = dialog.Tree();
  if (!tree->SetSelPath(QString::fromStdString(file.parent_path().string()))) return nullptr;
  QTreeWidgetItem* folder = tree->currentItem();
  for (int i = 0; i < folder->childCount(); ++i)
    if (tree->GetFullPath(folder->child(i)).toStdString() == file.string()) {
      tree->setCurrentItem(folder->child(i));
      return folder->child(i);
    }
  return nullptr;
}

class StartupTest : public ProgramTest {};

}  // namespace

TEST_F(StartupTest, PathOnCommandLineOpensOneFrameWithThreePanesAndStatusTexts) {
  const std::string path = Database("birds.qor", "Birds");
  bool dialogShown = false;
  platform::qt::SetModalHook([&](QDialog&) {
    dialogShown = true;
    return int(QDialog::Rejected);
  });
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
  EXPECT_FALSE(dialogShown);
  ASSERT_EQ(app.MainFrame()->Children().size(), 1);
  CChildFrame* frame = app.MainFrame()->ActiveChild();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetDocument().m_header.title, "Birds");
  // Tree and list in the nested splitter on the left, the report view on the right.
  EXPECT_EQ(frame->OuterSplitter()->widget(0), frame->NestedSplitter());
  EXPECT_EQ(frame->NestedSplitter()->widget(0), frame->LeftView());
  EXPECT_EQ(frame->NestedSplitter()->widget(1), frame->ItemListView());
  EXPECT_EQ(frame->OuterSplitter()->widget(1), frame->HtmlView());
  EXPECT_EQ(frame->GetDocument().GetHtmlView(), frame->HtmlView());
  EXPECT_EQ(frame->ForgivenessPane()->text(), "Forgiveness level: 0");
  EXPECT_EQ(frame->LockPane()->text(), "UNLOCKED");
  EXPECT_TRUE(app.MainFrame()->isVisible());
}

TEST_F(StartupTest, WithoutPathTheDialogOffersCreateNewAndCancelEndsTheProgram) {
  bool sawCreateNew = false;
  int runs = 0;
  platform::qt::SetModalHook([&](QDialog& dialog) {
    auto* open = qobject_cast<CDlgQOROpen*>(&dialog);
    ++runs;
    sawCreateNew = open && !open->CreateButton()->isHidden();
    return int(QDialog::Rejected);
  });
  CZAVApp& app = StartApp();
  EXPECT_FALSE(app.InitInstance({}));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(sawCreateNew);
  EXPECT_FALSE(app.MainFrame()->isVisible());
  EXPECT_TRUE(app.MainFrame()->Children().isEmpty());
}

TEST_F(StartupTest, DatabaseChosenInTheDialogIsOpenedByTheDialog) {
  const std::string path = Database("chosen.qor", "Chosen key");
  platform::qt::SetModalHook([&](QDialog& dialog) {
    auto* open = qobject_cast<CDlgQOROpen*>(&dialog);
    if (!open || !SelectFile(*open, path)) return int(QDialog::Rejected);
    RunCommand([&] { open->OnOK(); });
    return dialog.result();
  });
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({}));
  ASSERT_EQ(app.MainFrame()->Children().size(), 1);
  EXPECT_EQ(app.MainFrame()->ActiveChild()->GetDocument().m_header.title, "Chosen key");
  EXPECT_EQ(g_lastDatabasePath, path);
  EXPECT_EQ(g_lastFolder, Folder().string());
}

// The dialog at start-up with the entry at `chosen` selected and its Open
// button clicked; the messages the user saw, and whether the dialog stayed.
class OpenDialogChoiceTest : public StartupTest {
 protected:
  bool ClickOpenOn(const std::filesystem::path& chosen) {
    bool stayed = false;
    platform::qt::SetModalHook([&](QDialog& dialog) {
      auto* open = qobject_cast<CDlgQOROpen*>(&dialog);
      if (!open) return int(QDialog::Rejected);
      const bool folder = std::filesystem::is_directory(chosen);
      if (folder ? !open->Tree()->SetSelPath(QString::fromStdString(chosen.string())) : !SelectFile(*open, chosen))
        return int(QDialog::Rejected);
      QTest::mouseClick(open->findChild<QPushButton*>("openDatabase"), Qt::LeftButton);
      stayed = dialog.result() != QDialog::Accepted;
      return int(QDialog::Rejected);
    });
    CZAVApp& app = StartApp();
    EXPECT_FALSE(app.InitInstance({}));
    EXPECT_TRUE(app.MainFrame()->Children().isEmpty());
    EXPECT_TRUE(app.RecentFiles().empty());
    return stayed;
  }
};

TEST_F(OpenDialogChoiceTest, AFolderAsksForADatabaseInOneBox) {
  std::filesystem::create_directory(Folder() / "keys");
  EXPECT_TRUE(ClickOpenOn(Folder() / "keys"));
  EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Please choose QOR database."});
}

TEST_F(OpenDialogChoiceTest, AFileThatIsNoDatabaseIsNamedInOneBoxAndOpensNothing) {
  const auto damaged = Folder() / "damaged.qor";
  WriteBytes(damaged, std::string("\x07\x00garbage", 9));
  EXPECT_TRUE(ClickOpenOn(damaged));
  EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Cannot open the database \"" + damaged.string() +
                                                      "\": Invalid QOR Database Format."});
}

TEST_F(OpenDialogChoiceTest, AnEmptyFileIsNamedAsNoDatabaseAndNeitherOpensNorIsRemembered) {
  const auto empty = Folder() / "empty.qor";
  WriteBytes(empty, "");
  EXPECT_TRUE(ClickOpenOn(empty));
  EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Cannot open the database \"" + empty.string() +
                                                      "\": the file is empty, it is not a QOR database."});
}

TEST_F(StartupTest, OpenCommandHidesCreateNew) {
  const std::string path = Database("a.qor", "A");
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
  bool createHidden = false;
  platform::qt::SetModalHook([&](QDialog& dialog) {
    auto* open = qobject_cast<CDlgQOROpen*>(&dialog);
    createHidden = open && open->CreateButton()->isHidden();
    return int(QDialog::Rejected);
  });
  app.MainFrame()->OnCommand(32827);
  EXPECT_TRUE(createHidden);
  EXPECT_EQ(app.MainFrame()->Children().size(), 1);
}

TEST_F(StartupTest, OpeningTheSameDatabaseTwiceKeepsOneFrame) {
  const std::string path = Database("once.qor", "Once");
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
  EXPECT_EQ(app.OpenDocumentFile(path), app.MainFrame()->ActiveChild());
  EXPECT_EQ(app.MainFrame()->Children().size(), 1);
}

TEST_F(StartupTest, UnreadablePathEndsTheProgram) {
  CZAVApp& app = StartApp();
  EXPECT_FALSE(app.InitInstance({QString::fromStdString((Folder() / "missing.qor").string())}));
  EXPECT_TRUE(app.MainFrame()->Children().isEmpty());
}

// The snapshot of the dump holds the user-interface thread, which the
// browser needs to bring up the page: it is taken after the page has loaded,
// behind what the end of the load set off.
TEST_F(StartupTest, TheOpenedKeysXmlDumpWaitsUntilItsFirstPageHasLoaded) {
  const std::string path = Database("dumped.qor", "Dumped");
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
  CChildFrame* frame = app.MainFrame()->ActiveChild();
  ASSERT_NE(frame, nullptr);
  QWebEngineView* web = frame->HtmlView()->WebView();
  bool pendingWhileLoading = false, pendingAsLoaded = false;
  QObject::connect(web, &QWebEngineView::loadStarted,
                   [&] { pendingWhileLoading = frame->GetDocument().HasPendingXmlDump(); });
  QObject::connect(web, &QWebEngineView::loadFinished,
                   [&] { pendingAsLoaded = frame->GetDocument().HasPendingXmlDump(); });
  QSignalSpy finished(web, &QWebEngineView::loadFinished);
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_TRUE(pendingWhileLoading);
  EXPECT_TRUE(pendingAsLoaded);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->GetDocument().HasPendingXmlDump(); }, 5000));
}

// The browser's start runs its steps on the program's thread: while a key's
// file is read at the start, that thread's queued events must run, and its
// part must end with the read, also when the end came before its loop.
TEST(BrowserStartBesideRead, QueuedEventsRunWhileTheFileIsReadAndThePartEndsWithTheRead) {
  for (const bool endsFirst : {false, true}) {
    QWidget keeper;
    BrowserStartBesideRead beside(&keeper);
    std::atomic<bool> reading{true};
    std::promise<void> eventRan;
    std::future<void> ran = eventRan.get_future();
    bool ranBeforeTheEnd = false;
    QTimer::singleShot(0, &keeper, [&] { eventRan.set_value(); });
    std::thread reader([&] {
      // The bound only keeps a broken loop from hanging the test.
      if (!endsFirst) ranBeforeTheEnd = ran.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
      reading = false;
      beside.ReadEnded();
    });
    if (endsFirst) reader.join();
    beside.WhileReading([&] { return reading.load(); });
    if (!endsFirst) {
      reader.join();
      EXPECT_TRUE(ranBeforeTheEnd);
    }
  }
}

// A first page asked for while the prepared browser's blank page commits
// could be lost: the part hands the browser on only once that page has ended,
// here with a read that ends the moment the blank page is on its way.
TEST(BrowserStartBesideRead, TheBlankPageHasEndedWhenTheKeysFirstPageIsAskedFor) {
  QWidget keeper;
  BrowserStartBesideRead beside(&keeper);
  std::atomic<bool> reading{true};
  bool endedWithTheBlankOnItsWay = false;
  QDeadlineTimer bound(std::chrono::seconds(60));  // only keeps a broken start from hanging the test
  QTimer readEnd;
  QObject::connect(&readEnd, &QTimer::timeout, [&] {
    endedWithTheBlankOnItsWay = prepared_browser::BlankUnderWay();
    if (!endedWithTheBlankOnItsWay && !bound.hasExpired()) return;
    readEnd.stop();
    reading = false;
    beside.ReadEnded();
  });
  readEnd.start(0);
  beside.WhileReading([&] { return reading.load(); });
  ASSERT_TRUE(endedWithTheBlankOnItsWay);
  EXPECT_FALSE(prepared_browser::BlankUnderWay());

  QWidget view;
  CCustomControlSite* site = prepared_browser::TakeFor(&view);
  QSignalSpy finished(site->page(), &QWebEnginePage::loadFinished);
  site->page()->setHtml(QStringLiteral("<p>first page</p>"), QUrl(QStringLiteral("qrc:/")));
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_TRUE(finished.first().first().toBool());
}

namespace {

// The page of the browser prepared under keeper.
QWebEnginePage* PreparedPage(const QWidget& keeper) {
  auto* site = keeper.findChild<CCustomControlSite*>();
  return site ? site->page() : nullptr;
}

// The browser's process templates: this process's children that renderers
// are forked from.
std::vector<pid_t> RendererTemplates() {
  std::vector<pid_t> found;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    char state = 0;
    pid_t parent = 0;
    rest >> state >> parent;
    if (parent != ::getpid()) continue;
    std::ifstream cmdline(entry.path() / "cmdline");
    const std::string command((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    if (command.find("--type=zygote") != std::string::npos) found.push_back(std::stoi(name));
  }
  return found;
}

}  // namespace

// The page's navigation begins on the program's thread, and the signal that
// the load started follows later, queued: a read that ends in between must
// still find the blank page on its way.
TEST(PreparedBrowser, TheBlankPageIsOnItsWayFromTheMomentItsNavigationHasBegun) {
  QWidget keeper;
  prepared_browser::Prepare(&keeper);
  QWebEnginePage* page = PreparedPage(keeper);
  ASSERT_NE(page, nullptr);
  bool startSignalled = false;
  QObject::connect(page, &QWebEnginePage::loadStarted, [&] { startSignalled = true; });
  // Pass by pass, so that nothing queued in the pass that began the
  // navigation has run yet.
  const QDeadlineTimer bound(std::chrono::seconds(60));
  while (!page->isLoading() && !startSignalled && !bound.hasExpired()) QCoreApplication::processEvents();
  ASSERT_TRUE(page->isLoading());
  EXPECT_TRUE(prepared_browser::BlankUnderWay());
  prepared_browser::FinishBlankLoad();
  EXPECT_FALSE(prepared_browser::BlankUnderWay());
}

// A renderer that never ends the blank page must not keep the program's
// window from coming up: here none can start while the browser's process
// templates (which every renderer is forked from) are stopped.
TEST(PreparedBrowser, TheWaitForABlankPageThatNeverEndsIsBounded) {
  QWidget keeper;
  prepared_browser::Prepare(&keeper);
  const std::vector<pid_t> templates = RendererTemplates();
  ASSERT_FALSE(templates.empty());
  for (const pid_t pid : templates) ASSERT_EQ(::kill(pid, SIGSTOP), 0);
  QWebEnginePage* page = PreparedPage(keeper);
  const QDeadlineTimer bound(std::chrono::seconds(60));
  while (page && !page->isLoading() && !bound.hasExpired()) QCoreApplication::processEvents();
  const bool underWay = prepared_browser::BlankUnderWay();
  prepared_browser::FinishBlankLoad(std::chrono::milliseconds(100));
  const bool stillOnItsWay = prepared_browser::BlankUnderWay();
  for (const pid_t pid : templates) ::kill(pid, SIGCONT);
  ASSERT_TRUE(underWay);
  EXPECT_TRUE(stillOnItsWay);
  prepared_browser::FinishBlankLoad();
  EXPECT_FALSE(prepared_browser::BlankUnderWay());
}
