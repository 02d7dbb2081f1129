// The document's commands and their states, through the core functions and
// through the main frame's actions.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QUrl>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "ProgramTestSupport.h"
#include "database/CommandIds.h"
#include "database/LevelNames.h"
#include "database/ProgramFolders.h"
#include "database/ZAVDocCommands.h"
#include "editors/qt/DlgDBDescription.h"
#include "gui_editors/EditorDialogSupport.h"
#include "reports/ReportOptions.h"
#include "reports/qt/HelpDlg.h"
#include "shell/qt/DlgQOROpen.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/StreamHTMLDocTemplate.h"

using namespace program_test;

namespace {

std::unique_ptr<CZAVDoc> SmallDocument() {
  auto doc = MakeGeneratedDatabase(4, 6, 3, 0.5, 3);
  doc->Reevaluate(false);
  return doc;
}

class CommandsTest : public ProgramTest {
 protected:
  // Help pages are looked for beside the program.
  void WriteHelpPage(const std::string& html) {
    SetProgramFile(Folder() / "qor");
    std::filesystem::create_directory(Folder() / "hlp");
    WriteBytes(Folder() / "hlp" / "help.htm", html);
  }
};

// A tree and a list that record what the document asks of them.
struct RecordingTree : ILeftView {
  void RefreshTree() override { ++refreshes; }
  void OnUpdate() override { ++rebuilds; }
  void ShowDescriptionNode(bool shown) override { descriptionShown.push_back(shown); }
  int refreshes = 0, rebuilds = 0;
  std::vector<bool> descriptionShown;
};
struct RecordingList : IItemListView {
  void FillList() override {}
  void SelectRow(int row) override { rows.push_back(row); }
  std::vector<int> rows;
};

}  // namespace

TEST(DocumentCommands, LockAsksAndNoStillMarksTheDocumentModified) {
  ScriptedUi ui;
  auto doc = SmallDocument();
  doc->SetModifiedFlag(false);
  ui.yesNoAnswers = {false};
  ASSERT_TRUE(RunDocumentCommand(*doc, cmd::kLockDatabase));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, kLockQuestion);
  EXPECT_TRUE(doc->IsEditable());
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(LockPaneText(*doc), "UNLOCKED");
}

TEST(DocumentCommands, LockedDatabaseReadsUnlockGreyedAndAsksNoMore) {
  ScriptedUi ui;
  auto doc = SmallDocument();
  ui.yesNoAnswers = {true};
  RunDocumentCommand(*doc, cmd::kLockDatabase);
  EXPECT_FALSE(doc->IsEditable());
  const auto state = DocumentCommandState(*doc, cmd::kLockDatabase);
  ASSERT_TRUE(state);
  EXPECT_EQ(state->text, "Unlock");
  EXPECT_FALSE(state->enabled);
  EXPECT_EQ(LockPaneText(*doc), " LOCKED ");
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kLockPane)->text, " LOCKED ");
  RunDocumentCommand(*doc, cmd::kLockDatabase);
  EXPECT_EQ(ui.shown.size(), 1u);  // no second question
}

TEST(DocumentCommands, ForgivenessLevelsAreCheckedOneAtATime) {
  ScriptedUi ui;
  auto doc = SmallDocument();
  RunDocumentCommand(*doc, cmd::kForgivenessLevel0 + 3);
  for (int level = 0; level < 4; ++level) {
    const auto state = DocumentCommandState(*doc, cmd::kForgivenessLevel0 + level);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->check == CommandState::Check::Checked, level == 3) << level;
  }
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kForgivenessPane)->text, doc->GetForgivenessPaneText());
}

TEST(DocumentCommands, RightPaneRefreshToggleFlipsTheGalleryValueOnly) {
  ScriptedUi ui;
  auto doc = SmallDocument();
  GalleryOptions::Shared().dontShow = 0;
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kToggleRightPaneRefresh)->check, CommandState::Check::Checked);
  RunDocumentCommand(*doc, cmd::kToggleRightPaneRefresh);
  EXPECT_EQ(GalleryOptions::Shared().dontShow, 1);
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kToggleRightPaneRefresh)->check, CommandState::Check::Unchecked);
  RunDocumentCommand(*doc, cmd::kToggleRightPaneRefresh);
  EXPECT_EQ(GalleryOptions::Shared().dontShow, 0);
}

TEST(DocumentCommands, AllowMissingDataIsACheckItem) {
  ScriptedUi ui;
  auto doc = SmallDocument();
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kAllowMissingData)->check, CommandState::Check::Unchecked);
  RunDocumentCommand(*doc, cmd::kAllowMissingData);
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kAllowMissingData)->check, CommandState::Check::Checked);
}

TEST(DocumentCommands, CommandsOfLaterDialogsAreNotOffered) {
  auto doc = SmallDocument();
  for (int command : {cmd::kExport, cmd::kMerge, cmd::kItemDescriptionOptions, cmd::kGalleryOptions,
                      cmd::kCreateThumbnails, cmd::kDeleteRemaining})
    EXPECT_FALSE(DocumentCommandState(*doc, command).has_value()) << command;
  EXPECT_FALSE(RunDocumentCommand(*doc, cmd::kExport));
}

TEST(DocumentCommands, ReferencesAndDescriptionTogglesRebuildTheTree) {
  auto doc = SmallDocument();
  RecordingTree tree;
  doc->AttachViews(nullptr, &tree, nullptr);
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kShowReferences)->check, CommandState::Check::Indeterminate);
  RunDocumentCommand(*doc, cmd::kShowReferences);
  EXPECT_EQ(doc->m_showReferences, 1);
  EXPECT_EQ(tree.rebuilds, 1);
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kShowReferences)->check, CommandState::Check::Checked);
  RunDocumentCommand(*doc, cmd::kShowDatabaseDescription);
  RunDocumentCommand(*doc, cmd::kShowDatabaseDescription);
  EXPECT_EQ(tree.descriptionShown, (std::vector<bool>{true, false}));
  RunDocumentCommand(*doc, cmd::kRefreshTreeOrder);
  EXPECT_EQ(tree.rebuilds, 2);
  doc->AttachViews(nullptr, nullptr, nullptr);
}

TEST(DocumentCommands, ThumbnailToggleReachesEveryOptionSetAndRebuildsThePage) {
  ScriptedUi ui;
  platform::MemoryProfile profile;
  platform::SetUserProfile(&profile);
  auto doc = SmallDocument();
  doc->InstallReportDriver();
  doc->m_reportKind = 1;  // the menu report: rebuilt with its option set saved
  doc->m_itemListOptions[kListThumbnail] = 1;
  ItemOptions::Shared().thumbnail = ItemListOptions::Shared().thumbnail = MenuListOptions::Shared().thumbnail = 1;
  RunDocumentCommand(*doc, cmd::kThumbnailRegularSize);
  EXPECT_EQ(doc->m_itemListOptions[kListThumbnail], 0);
  EXPECT_EQ(ItemOptions::Shared().thumbnail, 0);
  EXPECT_EQ(ItemListOptions::Shared().thumbnail, 0);
  EXPECT_EQ(MenuListOptions::Shared().thumbnail, 0);
  EXPECT_TRUE(profile.Has(kMenuListOptionsSection, "Description"));
  EXPECT_EQ(doc->m_reportKind, 1);
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kUseThumbnails)->check, CommandState::Check::Unchecked);
  RunDocumentCommand(*doc, cmd::kUseThumbnails);
  EXPECT_EQ(DocumentCommandState(*doc, cmd::kUseThumbnails)->check, CommandState::Check::Checked);
  EXPECT_EQ(ItemOptions::Shared().thumbnail, 0);  // the menu command changes the document only
  platform::SetUserProfile(nullptr);
}

TEST(DocumentCommands, LockedDatabaseCannotDeleteItems) {
  ScriptedUi ui;
  auto doc = SmallDocument();
  EXPECT_TRUE(DocumentCommandState(*doc, cmd::kDeleteAllExceptRemaining)->enabled);
  doc->m_header.lockWord = 0;
  EXPECT_FALSE(DocumentCommandState(*doc, cmd::kDeleteAllExceptRemaining)->enabled);
}

TEST(DocumentCommands, ItemListReportSelectsTheFirstRow) {
  auto doc = SmallDocument();
  RecordingList list;
  doc->AttachViews(nullptr, nullptr, &list);
  RunDocumentCommand(*doc, cmd::kItemListReport);
  EXPECT_EQ(list.rows, std::vector<int>{0});
  doc->AttachViews(nullptr, nullptr, nullptr);
}

TEST_F(CommandsTest, ReportCommandsShowTheirPagesInTheActiveFrame) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("r.qor", "R"))}));
  CZAVDoc& doc = app.MainFrame()->ActiveChild()->GetDocument();
  const std::pair<int, int> commands[] = {
      {cmd::kItemListReport, 3}, {cmd::kDisplayMenus, 1},         {cmd::kGallery, 4},
      {cmd::kAnalyze, 9},        {cmd::kMarkedAndEliminated, 12}, {cmd::kCommonAttributes, 11}};
  for (const auto& [command, kind] : commands) {
    app.MainFrame()->OnCommand(command);
    EXPECT_EQ(doc.m_reportKind, kind) << command;
  }
  EXPECT_TRUE(m_ui.Messages().empty());
}

TEST_F(CommandsTest, EveryPressOfF1OpensOneHelpWindow) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("help.qor", "Help"))}));
  WriteHelpPage("<html><body>help</body></html>");
  QMdiArea* area = app.MainFrame()->MdiArea();
  const int before = area->subWindowList().size();
  for (int press = 1; press <= 3; ++press) {
    app.MainFrame()->OnCommand(cmd::kHelpKey);
    EXPECT_EQ(area->subWindowList().size(), before + press);
  }
  EXPECT_EQ(area->subWindowList().back()->windowTitle(), "Image Gallery");
  // Help windows are not databases: the recent files and the frames stay as they were.
  EXPECT_EQ(app.MainFrame()->Children().size(), 1);
  EXPECT_EQ(app.RecentFiles().size(), 1u);
}

// The help dialog opens over the main window, cut to fit when the main
// window is smaller than the dialog.
TEST_F(CommandsTest, F1InTheOpenDialogShowsItsTopicInTheHelpDialog) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("d.qor", "D"))}));
  WriteHelpPage("<html><body><a name='HelpDialog'></a></body></html>");
  app.MainFrame()->setGeometry(40, 60, 520, 380);
  std::string topic;
  QRect helpGeometry;
  platform::qt::SetModalHook([&](QDialog& dialog) {
    if (auto* help = qobject_cast<CHelpDlg*>(&dialog)) {
      topic = help->Topic();
      help->show();  // where the dialog stands once shown, as exec() would show it
      helpGeometry = help->geometry();
      help->hide();
      return int(QDialog::Accepted);
    }
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &f1);
    return int(QDialog::Rejected);
  });
  app.MainFrame()->OnCommand(cmd::kOpenQorDatabase);
  const QString page = QString::fromStdString((Folder() / "hlp" / "help.htm").string());
  EXPECT_EQ(topic, QUrl::fromLocalFile(page).toString().toStdString() + "#HelpDialog");
  EXPECT_TRUE(app.MainFrame()->geometry().contains(helpGeometry))
      << helpGeometry.x() << "," << helpGeometry.y() << " " << helpGeometry.width() << "x" << helpGeometry.height();
}

TEST_F(CommandsTest, HtmlTextOpensAnImageGalleryWindowWithThatText) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("g.qor", "G"))}));
  const std::string html = "<html><body><img src='a.jpg'></body></html>";
  app.OpenHtmlWindow(html);
  EXPECT_EQ(app.HtmlTemplate().Html(), html);
  EXPECT_EQ(app.MainFrame()->MdiArea()->subWindowList().back()->windowTitle(), "Image Gallery");
}

TEST_F(CommandsTest, CreateNewAtStartUpAsksForAFileAndOpensTheNewDatabase) {
  platform::qt::SetModalHook([](QDialog& dialog) {
    if (auto* open = qobject_cast<CDlgQOROpen*>(&dialog)) {
      open->OnCreateNew();
      return dialog.result();
    }
    if (qobject_cast<editors::qt::CDlgDBDescription*>(&dialog)) {
      dialog.show();
      editor_test::Type(dialog, "title", "Pond life");
      editor_test::Click(dialog, "ok");
      return dialog.result();
    }
    return int(QDialog::Rejected);
  });
  const std::string path = (Folder() / "new.qor").string();
  m_ui.fileAnswers = {path};
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({}));
  const auto messages = m_ui.Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "You must save QOR file to work with.");
  ASSERT_EQ(app.MainFrame()->Children().size(), 1);
  EXPECT_EQ(app.MainFrame()->ActiveChild()->GetDocument().m_pathName, path);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(app.RecentFiles().front(), path);
  EXPECT_EQ(app.MainFrame()->ActiveChild()->GetDocument().m_header.title, "Pond life");
}

TEST_F(CommandsTest, CancelledSaveOfANewDatabaseEndsTheStartUp) {
  platform::qt::SetModalHook([](QDialog& dialog) {
    if (auto* open = qobject_cast<CDlgQOROpen*>(&dialog)) open->OnCreateNew();
    return dialog.result();
  });
  CZAVApp& app = StartApp();
  EXPECT_FALSE(app.InitInstance({}));
  EXPECT_TRUE(app.MainFrame()->Children().isEmpty());
}

TEST_F(CommandsTest, ClosingAModifiedDatabaseAsksAndCancelKeepsIt) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("m.qor", "M"))}));
  CChildFrame* frame = app.MainFrame()->ActiveChild();
  frame->GetDocument().SetModifiedFlag(true);
  m_ui.yesNoCancelAnswers = {-1};
  frame->close();
  Pump();
  ASSERT_EQ(app.MainFrame()->Children().size(), 1);
  EXPECT_EQ(m_ui.shown.back().kind, "question3");
  m_ui.yesNoCancelAnswers = {0};
  app.MainFrame()->ActiveChild()->close();
  Pump();
  EXPECT_TRUE(app.MainFrame()->Children().isEmpty());
}
