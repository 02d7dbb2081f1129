// The export dialog as a user runs it from the Database menu: the exporters
// listed from the program's folder and the user's, the target file asked
// with the exporter's filter, and what the exporter is called with when the
// user cancels, when a call fails and when everything goes through.
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <sys/stat.h>

#include "ExportTestSupport.h"
#include "database/CommandIds.h"
#include "platform/qt/QtUi.h"
#include "shell/qt/ProgDlg.h"

namespace {

using namespace export_test;

QStringList Rows(QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

// Clicks the row of that text.
void ClickRow(QListWidget* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text.toStdString();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

class ExportDialogTest : public ProgramWithUserFolder {
 protected:
  void SetUp() override {
    ProgramWithUserFolder::SetUp();
    m_database = Database("garden key.qor", "Garden");
    m_plugin = InstallTestPlugin("TestExporterPlugin");
  }

  // The test exporter's plugin object, as the program loads it.
  QObject* TestPlugin() { return QPluginLoader(m_plugin).instance(); }
  QStringList Calls() { return TestPlugin()->property("calls").toStringList(); }

  // Opens the dialog from the menu and hands it to the body; the dialog's result.
  int RunExportDialog(const std::function<void(QDialog&, QListWidget*, QPushButton*)>& body) {
    CMainFrame& main = StartOn(m_database);
    int result = -1;
    ModalDriver driver;
    driver.On("exportDialog", [&](QDialog& dialog) {
      body(dialog, Find<QListWidget>(dialog, "exporterList"), Find<QPushButton>(dialog, "exportButton"));
      if (dialog.isVisible()) Click(Find<QPushButton>(dialog, "cancelButton"));
      result = dialog.result();
    });
    EXPECT_TRUE(ChooseMenuEntry(main, Qt::Key_D, cmd::kExport));
    EXPECT_EQ(driver.Runs("exportDialog"), 1);
    return result;
  }

  std::string m_database;
  QString m_plugin;
};

TEST_F(ExportDialogTest, ListsTheProgramsExportersFirstAndRefusesAPluginThatIsNoExporter) {
  InstallTestPlugin("OtherPlugin");
  // Files that are no plugins, or plugins without a name, are not listed.
  program_test::WriteBytes((UserExporters() + "/junk.so").toStdString(), "not a library");
  program_test::WriteBytes((UserExporters() + "/readme.txt").toStdString(), "exporters go here");
  RunExportDialog([&](QDialog& dialog, QListWidget* list, QPushButton* exportButton) {
    EXPECT_EQ(dialog.windowTitle(), "Available drivers");
    EXPECT_EQ(Rows(list), QStringList({"XML file", "Not an exporter", "Test exporter"}));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(exportButton->isEnabled());
    ClickRow(list, "Not an exporter");
    Click(exportButton);
    EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"The component is not QORExporter."});
    EXPECT_TRUE(dialog.isVisible()) << "the user may choose another";
  });
}

TEST_F(ExportDialogTest, APluginThatNoLongerLoadsIsReported) {
  const QString broken = InstallTestPlugin("TestExporterPlugin", "broken.so");
  RunExportDialog([&](QDialog& dialog, QListWidget* list, QPushButton* exportButton) {
    ASSERT_EQ(Rows(list), QStringList({"XML file", "Test exporter", "Test exporter"}));
    // The file is damaged after the list was read.
    QFile::remove(broken);
    program_test::WriteBytes(broken.toStdString(), std::string(4096, '\x7f'));
    // broken.so sorts before the intact copy.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    ASSERT_EQ(list->currentRow(), 1);
    Click(exportButton);
    EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Can't load exporter."});
    EXPECT_TRUE(dialog.isVisible());
  });
}

TEST_F(ExportDialogTest, TheTargetFileIsAskedWithTheExportersFilterAndCancelKeepsTheDialog) {
  TestPlugin()->setProperty("wantsFile", true);
  m_ui.fileAnswers.push_back(std::nullopt);
  RunExportDialog([&](QDialog& dialog, QListWidget* list, QPushButton*) {
    // A double click on the row exports with it.
    ClickRow(list, "Test exporter");
    const QRect row = list->visualItemRect(list->findItems("Test exporter", Qt::MatchExactly).at(0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_TRUE(dialog.isVisible());
  });
  ASSERT_FALSE(m_ui.shown.empty());
  EXPECT_EQ(m_ui.shown.back().kind, "save");
  EXPECT_EQ(m_ui.shown.back().text, "Export to file:");
  EXPECT_EQ(platform::qt::FilterString(m_ui.lastFilters), "Test files (*.tst *.test);;All files (*)");
  EXPECT_EQ(m_ui.lastInitialPath, (Folder() / "out.tst").string());
  const QString folder = QString::fromStdString(Folder().string()) + "/";
  EXPECT_EQ(Calls(),
            QStringList({"created", "SetParentWindow", "SetDatabaseName garden key", "SetDatabaseFolder " + folder,
                         "GetWantsFile", "GetFileFilter", "GetDefaultFileName", "released"}));
}

// The exporter's own failure is shown; the dialog then ends as after an
// export that went through.
TEST_F(ExportDialogTest, AFailingElementCallIsShownWithoutEndExportAndEndsTheDialog) {
  TestPlugin()->setProperty("failAt", "ITEMS");
  m_ui.fileAnswers.push_back((Folder() / "never.tst").string());
  const int result = RunExportDialog([&](QDialog& dialog, QListWidget* list, QPushButton* exportButton) {
    ClickRow(list, "Test exporter");
    QTest::keyClick(exportButton, Qt::Key_Space);
    EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Error : 'refused ITEMS'"});
    EXPECT_FALSE(dialog.isVisible());
  });
  EXPECT_EQ(result, QDialog::Accepted);
  const QStringList calls = Calls();
  EXPECT_TRUE(calls.contains("BeginExport"));
  EXPECT_FALSE(calls.contains("EndExport"));
  EXPECT_FALSE(calls.contains("EndElement QOR"));
  EXPECT_EQ(calls.last(), "released");
  EXPECT_EQ(calls.filter("BeginElement ITEMS").size(), 1);
  EXPECT_TRUE(calls.filter("BeginElement ITEM ").isEmpty()) << "the stream stops at the failing call";
}

TEST_F(ExportDialogTest, StopInTheProgressWindowEndsTheExportWithoutEndExport) {
  // A slow exporter keeps the progress window up long enough for the user to
  // see it and press Stop; the window takes events every tenth step.
  m_database = (Folder() / "large.qor").string();
  MakeGeneratedDatabase(300, 60, 6, 0.3, 11)->OnSaveDocument(m_database);
  TestPlugin()->setProperty("elementDelay", 1);
  QString caption;
  bool stopped = false;
  RunExportDialog([&](QDialog& dialog, QListWidget* list, QPushButton* exportButton) {
    ClickRow(list, "Test exporter");
    // The progress window takes its events while the export runs: Stop is
    // clicked once the window is on the screen.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* progress = qobject_cast<CProgressDlg*>(window);
        if (stopped || !progress || !progress->windowHandle() || !progress->windowHandle()->isExposed()) continue;
        caption = progress->windowTitle();
        auto* stop = progress->findChild<QPushButton*>("stopButton");
        ASSERT_NE(stop, nullptr);
        QTest::mouseClick(stop, Qt::LeftButton);
        stopped = true;
      }
    });
    watcher.start(0);
    Click(exportButton);
    EXPECT_TRUE(stopped) << "the progress window was never shown";
    EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Operation canceled by user."});
    EXPECT_TRUE(dialog.isVisible());
  });
  EXPECT_EQ(caption.toStdString(), "Processing");
  const QStringList calls = Calls();
  EXPECT_TRUE(calls.contains("BeginExport"));
  EXPECT_FALSE(calls.contains("EndExport"));
  EXPECT_FALSE(calls.contains("EndElement QOR")) << "the stream stopped before its end";
  EXPECT_EQ(calls.last(), "released");
}

TEST_F(ExportDialogTest, AnExportThatGoesThroughEndsTheDialogWithEveryRemainingItem) {
  const int result = RunExportDialog([&](QDialog&, QListWidget* list, QPushButton* exportButton) {
    ClickRow(list, "Test exporter");
    Click(exportButton);
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_TRUE(m_ui.Messages().empty());
  const QStringList calls = Calls();
  ASSERT_GE(calls.size(), 10);
  EXPECT_EQ(calls.mid(4, 3), QStringList({"GetWantsFile", "BeginExport", "BeginElement QOR -1"}));
  EXPECT_EQ(calls.mid(calls.size() - 3), QStringList({"EndElement QOR", "EndExport", "released"}));
  EXPECT_EQ(calls.filter(QRegularExpression("^BeginElement ITEM \\d+$")).size(), 6);
}

// The proposed file lies in the key's folder, which may hold a link, a pipe
// or a folder under that name; a fake home beside the key is the witness.
class ExportTargetTest : public ExportDialogTest {
 protected:
  void SetUp() override {
    ExportDialogTest::SetUp();
    std::filesystem::create_directories(Folder() / "key");
    std::filesystem::create_directories(Folder() / "home");
    program_test::WriteBytes(m_bashrc, kBashrc);
    m_database = Database("key/garden key.qor", "Garden");
    TestPlugin()->setProperty("wantsFile", true);
  }
  void TearDown() override {
    EXPECT_EQ(program_test::ReadBytes(m_bashrc), kBashrc) << "the file outside the key changed";
    ExportDialogTest::TearDown();
  }
  // Exports with the test exporter to the file the user chose; whether the
  // dialog ended.
  bool ExportTo(const std::string& target) {
    m_ui.fileAnswers.push_back(target);
    return RunExportDialog([&](QDialog&, QListWidget* list, QPushButton* exportButton) {
             ClickRow(list, "Test exporter");
             Click(exportButton);
           }) == QDialog::Accepted;
  }
  std::vector<ScriptedUi::Shown> Questions() const {
    std::vector<ScriptedUi::Shown> asked;
    for (const auto& shown : m_ui.shown)
      if (shown.kind == "question") asked.push_back(shown);
    return asked;
  }

  static constexpr const char* kBashrc = "alias ls='ls --color'\n";
  const std::string m_bashrc = (Folder() / "home" / ".bashrc").string();
  const std::string m_target = (Folder() / "key" / "out.tst").string();
};

TEST_F(ExportTargetTest, ALinkAPipeOrAFolderUnderTheChosenNameIsRefusedBeforeAnyQuestion) {
  std::filesystem::create_symlink(m_bashrc, m_target);
  EXPECT_FALSE(ExportTo(m_target));
  ASSERT_FALSE(m_ui.Messages().empty());
  EXPECT_EQ(m_ui.Messages().back(), "Cannot write \"" + m_target + "\": it is a symbolic link. Nothing was exported.");
  std::filesystem::remove(m_target);
  ASSERT_EQ(::mkfifo(m_target.c_str(), 0600), 0);
  EXPECT_FALSE(ExportTo(m_target));
  EXPECT_EQ(m_ui.Messages().back(), "Cannot write \"" + m_target + "\": it is not a plain file. Nothing was exported.");
  std::filesystem::remove(m_target);
  std::filesystem::create_directory(m_target);
  EXPECT_FALSE(ExportTo(m_target));
  EXPECT_EQ(m_ui.Messages().back(), "Cannot write \"" + m_target + "\": it is a folder. Nothing was exported.");
  EXPECT_TRUE(Questions().empty());
  EXPECT_TRUE(Calls().filter("SetFilePath").isEmpty()) << "the exporter never got the name";
  EXPECT_TRUE(Calls().filter("BeginExport").isEmpty());
}

TEST_F(ExportTargetTest, AnExistingFileIsReplacedOnlyAfterTheUserAgreed) {
  program_test::WriteBytes(m_target, "an older export");
  EXPECT_FALSE(ExportTo(m_target)) << "the question's default is No";
  ASSERT_EQ(Questions().size(), 1u);
  EXPECT_EQ(Questions()[0].text, m_target + " already exists.\nDo you want to replace it?");
  EXPECT_FALSE(Questions()[0].defaultYes);
  EXPECT_TRUE(Calls().filter("SetFilePath").isEmpty());
  m_ui.yesNoAnswers = {true};
  EXPECT_TRUE(ExportTo(m_target));
  EXPECT_EQ(Calls().filter("SetFilePath").size(), 1);
  EXPECT_EQ(Questions().size(), 2u);
}

TEST_F(ExportDialogTest, ALockedDatabaseOffersNoExport) {
  m_database = Database("locked.qor", "Locked", true);
  CMainFrame& main = StartOn(m_database);
  ModalDriver driver;
  driver.On("exportDialog", [](QDialog&) {});
  EXPECT_FALSE(ChooseMenuEntry(main, Qt::Key_D, cmd::kExport));
  EXPECT_EQ(driver.Runs("exportDialog"), 0);
}

}  // namespace
