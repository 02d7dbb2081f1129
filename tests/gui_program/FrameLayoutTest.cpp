// The database frame's splitter rule, status panes and the toolbar.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
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
  frame.resize(960, 360);
  Pump();
  ExpectRule(frame);
  EXPECT_GT(frame.NestedSplitter()->sizes()[0], frame.NestedSplitter()->sizes()[1]);
}

// A main window made smaller, and database windows tiled in it, as a user
// on a smaller screen has them.
class SmallerMainWindowTest : public FrameLayoutTest {
 protected:
  CMainFrame& ShowMain(int windows) {
    CZAVApp& app = StartApp();
    EXPECT_TRUE(app.InitInstance({QString::fromStdString(Database("one.qor", "One"))}));
    for (int i = 1; i < windows; ++i) app.OpenDocumentFile(Database("more" + std::to_string(i) + ".qor", "More"));
    CMainFrame& main = *app.MainFrame();
    main.showNormal();
    main.resize(1440, 900);
    Pump();
    for (CChildFrame* child : main.Children()) app.MainFrame()->MdiArea()->setActiveSubWindow(child);
    main.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    return main;
  }

  static void ExpectInsideWorkArea(CMainFrame& main) {
    const QRect room(QPoint(0, 0), main.MdiArea()->viewport()->size());
    for (CChildFrame* child : main.Children())
      EXPECT_TRUE(room.contains(child->geometry()))
          << "window " << child->x() << "," << child->y() << " " << child->width() << "x" << child->height() << " in "
          << room.width() << "x" << room.height();
  }
};

TEST_F(SmallerMainWindowTest, ADatabaseWindowStaysInsideTheWorkAreaWhenTheMainWindowShrinks) {
  CMainFrame& main = ShowMain(1);
  ExpectInsideWorkArea(main);
  main.resize(1100, 760);
  Pump();
  ExpectInsideWorkArea(main);
  CChildFrame& frame = *main.ActiveChild();
  EXPECT_TRUE(frame.StatusBar()->isVisible());
  EXPECT_LE(frame.StatusBar()->mapTo(&main, QPoint(0, frame.StatusBar()->height())).y(),
            main.MdiArea()->geometry().bottom() + 1);
}

TEST_F(SmallerMainWindowTest, TiledWindowsShareTheirWidthBetweenTheLeftColumnAndThePage) {
  CMainFrame& main = ShowMain(2);
  main.resize(1100, 760);
  Pump();
  // Window, then Tile, by their keys.
  QWidget* focus = main.ActiveChild()->LeftView();
  focus->setFocus();
  QTest::keyClick(focus, Qt::Key_W, Qt::AltModifier);
  QWidget* menu = QApplication::activePopupWidget();
  ASSERT_NE(menu, nullptr);
  QTest::keyClick(menu, Qt::Key_T);
  Pump();
  ExpectInsideWorkArea(main);
  for (CChildFrame* child : main.Children()) {
    const QList<int> columns = child->OuterSplitter()->sizes();
    EXPECT_LT(child->width(), 700) << "tiled side by side";
    EXPECT_GE(columns[0], 180) << "the tree and the list keep a usable width";
    EXPECT_GE(columns[1], child->OuterSplitter()->width() / 2) << "the page keeps the larger share";
  }
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
  const std::vector<int> expected = {cmd::kFileNew,
                                     cmd::kFileOpen,
                                     cmd::kFileSave,
                                     0,
                                     cmd::kFilePrint,
                                     0,
                                     cmd::kEditCut,
                                     cmd::kEditCopy,
                                     cmd::kEditPaste,
                                     0,
                                     cmd::kItemListReport,
                                     cmd::kGallery,
                                     cmd::kMarkedAndEliminated,
                                     cmd::kAnalyze,
                                     0,
                                     cmd::kThumbnailRegularSize,
                                     0,
                                     cmd::kMarkYes,
                                     cmd::kMarkNo,
                                     cmd::kMarkClear,
                                     cmd::kMarkOr,
                                     cmd::kMarkNever,
                                     cmd::kMarkOnly,
                                     cmd::kClearAllMarks,
                                     0,
                                     cmd::kEliminateItem,
                                     0,
                                     cmd::kAppAbout,
                                     0,
                                     cmd::kShowReferences,
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

TEST_F(FrameLayoutTest, TheLockKeyIndicatorsFollowTheForgivenessAndLockPanes) {
  CChildFrame& frame = OpenFrame();
  QStatusBar* bar = frame.findChild<QStatusBar*>("statusBar");
  ASSERT_NE(bar, nullptr);
  QList<QLabel*> panes;
  for (const char* name : {"forgivenessPane", "lockPane", "capsLockPane", "numLockPane", "scrollLockPane"})
    panes << bar->findChild<QLabel*>(name);
  ASSERT_FALSE(panes.contains(nullptr));
  for (int i = 1; i < panes.size(); ++i) EXPECT_LT(panes[i - 1]->x(), panes[i]->x()) << i;
  EXPECT_EQ(panes[2]->text(), "CAP");
  EXPECT_EQ(panes[3]->text(), "NUM");
  EXPECT_EQ(panes[4]->text(), "SCRL");
  // Caps lock pressed turns its indicator on; pressed again, off.
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : frame.window();
  EXPECT_FALSE(panes[2]->isEnabled());
  QTest::keyClick(target, Qt::Key_CapsLock);
  EXPECT_TRUE(panes[2]->isEnabled());
  EXPECT_FALSE(panes[3]->isEnabled());
  QTest::keyClick(target, Qt::Key_CapsLock);
  EXPECT_FALSE(panes[2]->isEnabled());
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
  EXPECT_EQ(main.Action(cmd::kLockDatabase)->text(), "Un&lock");
  EXPECT_FALSE(main.Action(cmd::kLockDatabase)->isEnabled());
  frame.GetDocument().SetModifiedFlag(false);
}

// The texts of the menu bar's last menu, as the user sees them.
QStringList HelpMenuTexts(CMainFrame& main) {
  QStringList texts;
  const QList<QAction*> menus = main.menuBar()->actions();
  if (menus.isEmpty() || !menus.back()->menu()) return texts;
  for (QAction* action : menus.back()->menu()->actions())
    if (!action->isSeparator()) texts << action->text();
  return texts;
}

TEST_F(FrameLayoutTest, MenusOfTheDatabaseComeAndGoWithItsFrame) {
  CChildFrame& frame = OpenFrame();
  CMainFrame& main = *m_app->MainFrame();
  EXPECT_EQ(HelpMenuTexts(main).value(0), "&Help");
  EXPECT_EQ(main.Action(cmd::kFilePrint)->statusTip(), "Print the active document");
  EXPECT_TRUE(main.Action(cmd::kAnalyze)->isEnabled());
  EXPECT_TRUE(main.Action(cmd::kFileSave)->isEnabled());
  frame.close();
  Pump();
  EXPECT_TRUE(main.Children().isEmpty());
  main.UpdateCommandStates();
  EXPECT_FALSE(main.Action(cmd::kAnalyze)->isEnabled());
  EXPECT_TRUE(main.Action(cmd::kFileOpen)->isEnabled());
  EXPECT_EQ(HelpMenuTexts(main).value(0), "&Help Topics");
}
