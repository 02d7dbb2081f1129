// Database → Merge as a user runs it: both databases chosen with the
// buttons, the output proposed from the first, Merge pressed; the merged
// database then opens and identifies.
#include <QLineEdit>
#include <QPushButton>

#include "ExportTestSupport.h"
#include "database/CommandIds.h"
#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"
#include "shell/qt/LeftView.h"

namespace {

using namespace export_test;

class MergeDialogTest : public ProgramWithUserFolder {
 protected:
  void SetUp() override {
    ProgramWithUserFolder::SetUp();
    std::filesystem::create_directories(Folder() / "v1.2");
    m_first = (Folder() / "v1.2" / "garden").string();  // a database file without extension
    MakeGeneratedDatabase(6, 8, 3, 0.4, 7)->OnSaveDocument(m_first);
    m_second = (Folder() / "coast.qor").string();
    auto coast = MakeGeneratedDatabase(5, 12, 4, 0.5, 9);
    for (auto& species : coast->m_speciesNames) species->name += " maritima";  // items of their own
    coast->OnSaveDocument(m_second);
  }

  // Opens the dialog from the menu and runs the body on it; the number of runs.
  int RunMergeDialog(CMainFrame& main, const std::function<void(QDialog&)>& body) {
    ModalDriver driver;
    driver.On("mergeDialog", body);
    EXPECT_TRUE(ChooseMenuEntry(main, Qt::Key_D, cmd::kMerge));
    return driver.Runs("mergeDialog");
  }

  // Chooses both databases and presses Merge, as the user does.
  static void ChooseAndMerge(QDialog& dialog) {
    Click(Find<QPushButton>(dialog, "browseFirst"));
    Click(Find<QPushButton>(dialog, "browseSecond"));
    Click(Find<QPushButton>(dialog, "mergeButton"));
  }

  // Merges the first database with the given second one into the proposed output.
  void MergeWith(CMainFrame& main, const std::string& second) {
    m_ui.fileAnswers = {m_first, second};
    EXPECT_EQ(RunMergeDialog(main, [&](QDialog& dialog) { ChooseAndMerge(dialog); }), 1);
  }

  std::vector<CChildFrame*> FramesOf(CMainFrame& main, const std::string& path) {
    std::vector<CChildFrame*> frames;
    for (CChildFrame* frame : main.Children())
      if (std::filesystem::path(frame->GetDocument().m_pathName) == std::filesystem::path(path))
        frames.push_back(frame);
    return frames;
  }

  std::string Output() const { return (Folder() / "v1.2" / "garden_merge.qor").string(); }

  std::string m_first, m_second;
};

TEST_F(MergeDialogTest, ChosenDatabasesMergeIntoTheProposedOutputWhichOpensAndIdentifies) {
  CMainFrame& main = StartOn(m_second);
  const std::string output = (Folder() / "v1.2" / "garden_merge.qor").string();
  m_ui.fileAnswers = {m_first, m_second};
  const int runs = RunMergeDialog(main, [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "QORMerge");
    Click(Find<QPushButton>(dialog, "browseFirst"));
    EXPECT_EQ(Find<QLineEdit>(dialog, "firstDatabase")->text().toStdString(), m_first);
    EXPECT_EQ(Find<QLineEdit>(dialog, "outputDatabase")->text().toStdString(), output);
    Click(Find<QPushButton>(dialog, "browseSecond"));
    EXPECT_EQ(Find<QLineEdit>(dialog, "secondDatabase")->text().toStdString(), m_second);
    Click(Find<QPushButton>(dialog, "mergeButton"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  ASSERT_EQ(runs, 1);
  ASSERT_EQ(m_ui.shown.size(), 2u);
  EXPECT_EQ(m_ui.shown[0].text, "Please choose first qor database");
  EXPECT_EQ(m_ui.shown[1].text, "Please choose second qor database");
  ASSERT_TRUE(std::filesystem::exists(output));
  // The merged database is open in the active frame and identifies.
  CChildFrame* merged = main.ActiveChild();
  ASSERT_NE(merged, nullptr);
  CZAVDoc& doc = merged->GetDocument();
  EXPECT_EQ(std::filesystem::path(doc.m_pathName), std::filesystem::path(output));
  EXPECT_EQ(doc.ItemCount(), 11);
  EXPECT_GE(doc.AttributeCount(), 8);
  CLeftView* tree = merged->LeftView();
  // An attribute some items have and others lack, marked YES in the tree.
  const auto having = [&](int attribute) {
    int count = 0;
    for (int item = 0; item < doc.ItemCount(); ++item)
      count += TestBit(doc.GetItemAttributeBits(item), static_cast<WORD>(attribute)) ? 1 : 0;
    return count;
  };
  int attribute = -1;
  for (int a = 0; a < doc.AttributeCount() && attribute < 0; ++a)
    if (!doc.GetAttribute(a).IsFreeSlot() && having(a) > 0 && having(a) < doc.ItemCount()) attribute = a;
  ASSERT_GE(attribute, 0);
  const HTREEITEM node = tree->Tree().FindAttributeNode(attribute);
  ASSERT_NE(node, kNoNode);
  tree->MarkAttribute(MARK_YES, node);
  int remaining = 0;
  for (int item = 0; item < doc.ItemCount(); ++item) remaining += doc.IsItemRemaining(item) ? 1 : 0;
  EXPECT_EQ(remaining, having(attribute));
}

TEST_F(MergeDialogTest, WithoutBothDatabasesNothingIsWrittenAndTheDialogStays) {
  CMainFrame& main = StartOn(m_second);
  m_ui.fileAnswers = {m_first, std::nullopt};
  RunMergeDialog(main, [&](QDialog& dialog) {
    Click(Find<QPushButton>(dialog, "browseFirst"));
    Click(Find<QPushButton>(dialog, "browseSecond"));  // cancelled
    EXPECT_TRUE(Find<QLineEdit>(dialog, "secondDatabase")->text().isEmpty());
    QTest::keyClick(&dialog, Qt::Key_Return);  // Merge is the default button
    EXPECT_EQ(m_ui.Messages(), std::vector<std::string>{"Please choose databases"});
    EXPECT_TRUE(dialog.isVisible());
    Click(Find<QPushButton>(dialog, "cancelButton"));
  });
  EXPECT_FALSE(std::filesystem::exists(Folder() / "v1.2" / "garden_merge.qor"));
}

TEST_F(MergeDialogTest, ADatabaseThatDoesNotOpenIsNamedAndNothingIsWritten) {
  CMainFrame& main = StartOn(m_second);
  const std::string damaged = (Folder() / "damaged.qor").string();
  program_test::WriteBytes(damaged, "not a database");
  m_ui.fileAnswers = {m_first, damaged};
  RunMergeDialog(main, [&](QDialog& dialog) {
    Click(Find<QPushButton>(dialog, "browseFirst"));
    Click(Find<QPushButton>(dialog, "browseSecond"));
    Click(Find<QPushButton>(dialog, "mergeButton"));
    EXPECT_TRUE(dialog.isVisible());
    Click(Find<QPushButton>(dialog, "cancelButton"));
  });
  const auto messages = m_ui.Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().find("The second database could not be opened"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Folder() / "v1.2" / "garden_merge.qor"));
}

TEST_F(MergeDialogTest, AnOpenOutputIsOpenedAgainWithWhatTheNextMergeWrote) {
  CMainFrame& main = StartOn(m_second);
  MergeWith(main, m_second);
  ASSERT_EQ(FramesOf(main, Output()).size(), 1u);
  EXPECT_EQ(FramesOf(main, Output())[0]->GetDocument().ItemCount(), 11);

  m_ui.yesNoAnswers = {true};  // the earlier output is replaced
  MergeWith(main, m_first);    // the first with itself: its own six items
  program_test::Pump();
  const auto frames = FramesOf(main, Output());
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(main.ActiveChild(), frames[0]);
  EXPECT_EQ(frames[0]->GetDocument().ItemCount(), 6);
  EXPECT_FALSE(frames[0]->GetDocument().IsModified());
  EXPECT_TRUE(m_ui.yesNoAnswers.empty());
}

TEST_F(MergeDialogTest, AnOpenOutputWithUnsavedChangesIsKeptUnlessTheUserAgrees) {
  CMainFrame& main = StartOn(m_second);
  MergeWith(main, m_second);
  ASSERT_EQ(FramesOf(main, Output()).size(), 1u);
  CZAVDoc& open = FramesOf(main, Output())[0]->GetDocument();
  open.SetModifiedFlag(true);  // an edit not saved yet
  const std::string written = program_test::ReadBytes(Output());

  m_ui.shown.clear();
  m_ui.fileAnswers = {m_first, m_first};
  m_ui.yesNoAnswers = {false, true, true};
  RunMergeDialog(main, [&](QDialog& dialog) {
    ChooseAndMerge(dialog);  // refused: nothing written, the window keeps its changes
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(program_test::ReadBytes(Output()), written);
    EXPECT_TRUE(open.IsModified());
    EXPECT_EQ(open.ItemCount(), 11);
    Click(Find<QPushButton>(dialog, "mergeButton"));  // agreed
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  program_test::Pump();
  std::vector<std::string> questions;
  for (const auto& shown : m_ui.shown)
    if (shown.kind == "question") questions.push_back(shown.text);
  ASSERT_EQ(questions.size(), 3u);  // asked at each press of Merge, then whether to replace the file
  EXPECT_NE(questions[0].find("has changes that are not saved"), std::string::npos) << questions[0];
  EXPECT_EQ(questions[2], Output() + " already exists.\nDo you want to replace it?");
  const auto frames = FramesOf(main, Output());
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0]->GetDocument().ItemCount(), 6);
  EXPECT_FALSE(frames[0]->GetDocument().IsModified());
}

// The dialog opens on the button that chooses the first database; Tab goes
// on in the order the user fills it, past the read-only paths, and the
// databases are chosen and merged with the keyboard alone.
TEST_F(MergeDialogTest, TheKeyboardStartsOnTheFirstButtonAndTabFollowsTheFilling) {
  CMainFrame& main = StartOn(m_second);
  m_ui.fileAnswers = {m_first, m_second};
  std::vector<std::string> visited;
  RunMergeDialog(main, [&](QDialog& dialog) {
    for (int step = 0; step < 5; ++step) {
      QWidget* focus = dialog.focusWidget();
      visited.push_back(focus ? focus->objectName().toStdString() : "<none>");
      if (!focus) return;
      if (step < 2) QTest::keyClick(focus, Qt::Key_Space);  // "..." chooses the database
      QTest::keyClick(focus, Qt::Key_Tab);
    }
    Click(Find<QPushButton>(dialog, "cancelButton"));
  });
  EXPECT_EQ(visited,
            (std::vector<std::string>{"browseFirst", "browseSecond", "mergeButton", "cancelButton", "browseFirst"}));
  EXPECT_EQ(m_ui.fileAnswers.size(), 0u);  // both chosen by Space
}

}  // namespace
