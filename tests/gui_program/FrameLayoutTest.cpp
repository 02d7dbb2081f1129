// The database frame's splitter rule, status panes and the toolbar.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QSplitter>
#include <QToolBar>

#include "ProgramTestSupport.h"
#include "database/CommandIds.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/MainFrame.h"

using namespace program_test;

namespace {

class FrameLayoutTest : public ProgramTest {
 protected:
  CChildFrame& OpenFrame() {
    CZAVApp& app = StartApp();
    EXPECT_TRUE(app.InitInstance({QString::fromStdString(Database("layout.qor", "Layout"))}));
    CChildFrame* frame = app.MainFrame()->ActiveChild();
    frame->showNormal();
    return *frame;
  }
};

void ExpectRule(const CChildFrame& frame) {
  const QList<int> columns = frame.OuterSplitter()->sizes();
  EXPECT_EQ(columns[0], 365);
  const int height = frame.NestedSplitter()->height();
  const int slack = frame.NestedSplitter()->handleWidth() + 1;
  const QList<int> rows = frame.NestedSplitter()->sizes();
  EXPECT_NEAR(rows[0], 2 * height / 3, slack);
  EXPECT_NEAR(rows[1], height / 3, slack);
  EXPECT_GE(rows[1], 10);
}

}  // namespace

TEST_F(FrameLayoutTest, EveryResizeRestoresTheLeftColumnAndTheTwoThirdsRule) {
  CChildFrame& frame = OpenFrame();
  frame.resize(1000, 500);
  Pump();
  ExpectRule(frame);
  // What the user dragged does not survive the next resize.
  frame.OuterSplitter()->setSizes({100, 800});
  frame.NestedSplitter()->setSizes({50, 400});
  frame.resize(900, 360);
  Pump();
  ExpectRule(frame);
  EXPECT_GT(frame.NestedSplitter()->sizes()[0], frame.NestedSplitter()->sizes()[1]);
}

TEST_F(FrameLayoutTest, PanesNeverShrinkBelowTenPixels) {
  CChildFrame& frame = OpenFrame();
  for (QWidget* pane : {static_cast<QWidget*>(frame.LeftView()), static_cast<QWidget*>(frame.ItemListView()),
                        static_cast<QWidget*>(frame.HtmlView())}) {
    EXPECT_GE(pane->minimumWidth(), 10);
    EXPECT_GE(pane->minimumHeight(), 10);
  }
  EXPECT_FALSE(frame.OuterSplitter()->childrenCollapsible());
}

TEST_F(FrameLayoutTest, ToolbarButtonsStandInTheirOrder) {
  OpenFrame();
  const QList<QAction*> actions = m_app->MainFrame()->ToolBar()->actions();
  const std::vector<int> expected = {
      cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, 0, cmd::kFilePrint, 0, cmd::kEditCut, cmd::kEditCopy,
      cmd::kEditPaste, 0, cmd::kItemListReport, cmd::kGallery, cmd::kMarkedAndEliminated, cmd::kAnalyze, 0,
      cmd::kThumbnailRegularSize, 0, cmd::kMarkYes, cmd::kMarkNo, cmd::kMarkClear, cmd::kMarkOr, cmd::kMarkNever,
      cmd::kMarkOnly, cmd::kClearAllMarks, 0, cmd::kEliminateItem, 0, cmd::kAppAbout, 0, cmd::kShowReferences,
      cmd::kShowDatabaseDescription};
  ASSERT_EQ(actions.size(), static_cast<int>(expected.size()));
  for (int i = 0; i < actions.size(); ++i) {
    if (expected[i] == 0) {
      EXPECT_TRUE(actions[i]->isSeparator()) << i;
    } else {
      EXPECT_EQ(actions[i]->data().toInt(), expected[i]) << i;
      EXPECT_FALSE(actions[i]->icon().isNull()) << i;
    }
  }
}

TEST_F(FrameLayoutTest, ForgivenessAndLockPanesFollowTheDocument) {
  CChildFrame& frame = OpenFrame();
  CMainFrame& main = *m_app->MainFrame();
  main.OnCommand(cmd::kForgivenessLevel0 + 2);
  EXPECT_EQ(frame.ForgivenessPane()->text(), "Forgiveness level: -2");
  EXPECT_TRUE(main.Action(cmd::kForgivenessLevel0 + 2)->isChecked());
  EXPECT_FALSE(main.Action(cmd::kForgivenessLevel0)->isChecked());

  m_ui.yesNoAnswers = {false};
  main.OnCommand(cmd::kLockDatabase);
  EXPECT_EQ(frame.LockPane()->text(), "UNLOCKED");
  EXPECT_TRUE(frame.GetDocument().IsModified());  // also when the answer is No

  m_ui.yesNoAnswers = {true};
  main.OnCommand(cmd::kLockDatabase);
  EXPECT_EQ(frame.LockPane()->text(), " LOCKED ");
  EXPECT_EQ(main.Action(cmd::kLockDatabase)->text(), "Unlock");
  EXPECT_FALSE(main.Action(cmd::kLockDatabase)->isEnabled());
  frame.GetDocument().SetModifiedFlag(false);
}

TEST_F(FrameLayoutTest, MenusOfTheDatabaseComeAndGoWithItsFrame) {
  CChildFrame& frame = OpenFrame();
  CMainFrame& main = *m_app->MainFrame();
  EXPECT_TRUE(main.Action(cmd::kAnalyze)->isEnabled());
  EXPECT_TRUE(main.Action(cmd::kFileSave)->isEnabled());
  frame.close();
  Pump();
  EXPECT_TRUE(main.Children().isEmpty());
  main.UpdateCommandStates();
  EXPECT_FALSE(main.Action(cmd::kAnalyze)->isEnabled());
  EXPECT_TRUE(main.Action(cmd::kFileOpen)->isEnabled());
}
