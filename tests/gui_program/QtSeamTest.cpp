// The desktop's message boxes answered through the modal hook, prompts in
// the database frame's status bar, and File Open through the seam.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include "ProgramTestSupport.h"
#include "fakes/ModalScript.h"
#include "fakes/TempFolder.h"
#include "database/CommandIds.h"
#include "platform/qt/QtUi.h"
#include "shell/qt/MainFrame.h"

using namespace program_test;

namespace {

struct SeenBox {
  QString text;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  int buttons = 0;
};

// Answers every box with the given button and records what it showed.
void AnswerBoxes(QMessageBox::StandardButton answer, SeenBox& seen) {
  platform::qt::SetModalHook([answer, &seen](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    if (!box) return int(QDialog::Rejected);
    seen.text = box->text();
    seen.buttons = box->buttons().size();
    seen.defaultButton = box->standardButton(box->defaultButton());
    return int(answer);
  });
}

class QtSeamTest : public ProgramTest {};

}  // namespace

TEST_F(QtSeamTest, QuestionsKeepTheirDefaultAndGiveTheAnswer) {
  platform::qt::QtUi ui;
  SeenBox seen;
  AnswerBoxes(QMessageBox::No, seen);
  EXPECT_FALSE(ui.AskYesNo("Lock?", false, {}));
  EXPECT_EQ(seen.text, "Lock?");
  EXPECT_EQ(seen.defaultButton, QMessageBox::No);
  AnswerBoxes(QMessageBox::Yes, seen);
  EXPECT_TRUE(ui.AskYesNo("Sure?", true, {}));
  EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
  AnswerBoxes(QMessageBox::Cancel, seen);
  EXPECT_EQ(ui.AskYesNoCancel("Save?", {}), -1);
  EXPECT_EQ(seen.buttons, 3);
  AnswerBoxes(QMessageBox::No, seen);
  EXPECT_EQ(ui.AskYesNoCancel("Save?", {}), 0);
  AnswerBoxes(QMessageBox::Ok, seen);
  ui.ShowMessage("Please choose QOR database.", {}, platform::MessageIcon::Error);
  EXPECT_EQ(seen.text, "Please choose QOR database.");
}

TEST_F(QtSeamTest, FilterTextsListLabelAndPatterns) {
  EXPECT_EQ(platform::qt::FilterString({{"QOR Databases (*.qor)", "*.qor"}, {"All Images", "*.jpg;*.gif"}}),
            "QOR Databases (*.qor);;All Images (*.jpg *.gif)");
}

TEST_F(QtSeamTest, PromptsGoToTheActiveDatabaseFramesStatusBar) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("p.qor", "P"))}));
  QAction* analyze = app.MainFrame()->Action(cmd::kAnalyze);
  ASSERT_NE(analyze, nullptr);
  analyze->showStatusText(app.MainFrame());
  EXPECT_EQ(app.MainFrame()->ActiveChild()->StatusBar()->currentMessage(), analyze->statusTip());
  EXPECT_FALSE(analyze->statusTip().isEmpty());
}

// Typing a name in a folder that does not exist and pressing Enter brings a
// warning and the save dialog again; a name in a real folder is taken.
TEST_F(QtSeamTest, TheSaveDialogRefusesANameInAMissingFolderAndKeepsAsking) {
  TempFolder temp;
  const QString good = QString::fromStdString(temp.File("key.qor"));
  QString warning;
  bool askedAgain = false;
  auto typeName = [](QDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
  };
  ModalScript script;
  script.Then([&](QDialog& dialog) {
    ASSERT_NE(qobject_cast<QFileDialog*>(&dialog), nullptr);
    typeName(dialog, "nowhere/key.qor");
  });
  script.Then([&](QDialog& box) {
    warning = static_cast<QMessageBox&>(box).text();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  script.Then([&](QDialog& dialog) {
    askedAgain = dialog.findChild<QLineEdit*>("fileNameEdit")->text().contains("key.qor");
    typeName(dialog, "key.qor");
  });
  platform::qt::QtUi ui;
  const auto chosen = ui.AskSaveFileName("Save As", {{"QOR Database (*.qor)", "*.qor"}}, temp.File("My.qor"));
  EXPECT_TRUE(warning.contains("does not exist")) << warning.toStdString();
  EXPECT_TRUE(askedAgain);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(QString::fromStdString(*chosen), good);
  EXPECT_EQ(script.DialogsRun(), 3);
}

TEST_F(QtSeamTest, FileOpenAsksForAFileAndOpensIt) {
  const std::string first = Database("first.qor", "First");
  const std::string second = Database("second.qor", "Second");
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(first)}));
  m_ui.fileAnswers = {second};
  app.MainFrame()->OnCommand(cmd::kFileOpen);
  EXPECT_EQ(app.MainFrame()->Children().size(), 2);
  EXPECT_EQ(app.MainFrame()->ActiveChild()->GetDocument().m_header.title, "Second");
  m_ui.fileAnswers = {std::nullopt};  // cancelled
  app.MainFrame()->OnCommand(cmd::kFileOpen);
  EXPECT_EQ(app.MainFrame()->Children().size(), 2);
}

namespace {

std::vector<std::pair<std::string, std::string>> g_logged;  // category, text
void RecordLog(QtMsgType, const QMessageLogContext& context, const QString& message) {
  g_logged.emplace_back(context.category ? context.category : "", message.toStdString());
}

}  // namespace

TEST_F(QtSeamTest, TraceLinesGoToADebugCategoryThatIsOffByDefault) {
  platform::qt::QtUi ui;
  g_logged.clear();
  const QtMessageHandler previous = qInstallMessageHandler(RecordLog);
  ui.Trace("Setting Focus To: 1\n");
  EXPECT_TRUE(g_logged.empty());
  QLoggingCategory::setFilterRules("qor.trace.debug=true");
  ui.Trace("TreeView: On Kill Focus from: 2\n");
  QLoggingCategory::setFilterRules({});
  qInstallMessageHandler(previous);
  ASSERT_EQ(g_logged.size(), 1u);
  EXPECT_EQ(g_logged[0], std::make_pair(std::string("qor.trace"), std::string("TreeView: On Kill Focus from: 2")));
}
