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

}  // namespace
