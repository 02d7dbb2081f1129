// Several open databases: captions that tell them apart, the Window menu
// that lists them, and the keys that step through and close them.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "ProgramTestSupport.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/MainFrame.h"

using namespace program_test;

namespace {

class DatabaseWindowsTest : public ProgramTest {
 protected:
  static QMenu* WindowMenu(CMainFrame& main) {
    for (QAction* entry : main.menuBar()->actions())
      if (entry->text() == "&Window") return entry->menu();
    return nullptr;
  }

  // The entries listing the windows, as the menu shows them when it opens.
  static std::vector<std::pair<QString, bool>> Listed(QMenu& menu) {
    emit menu.aboutToShow();
    std::vector<std::pair<QString, bool>> entries;
    for (QAction* action : menu.actions())
      if (action->objectName() == "windowEntry") entries.emplace_back(action->text(), action->isChecked());
    return entries;
  }
};

}  // namespace

TEST_F(DatabaseWindowsTest, CaptionsNameTheFileAndTheMenuListsEveryWindow) {
  CMainFrame& main = OpenTwo();
  ASSERT_EQ(main.Children().size(), 2);
  EXPECT_EQ(main.Children()[0]->windowTitle(), "Keys (first.qor)");
  EXPECT_EQ(main.Children()[1]->windowTitle(), "Keys (second.qor)");
  QMenu* menu = WindowMenu(main);
  ASSERT_NE(menu, nullptr);
  const auto entries = Listed(*menu);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], std::make_pair(QString("&1 Keys (first.qor)"), false));
  EXPECT_EQ(entries[1], std::make_pair(QString("&2 Keys (second.qor)"), true)) << "the active one is checked";
  for (QAction* action : menu->actions())
    if (action->text() == "&1 Keys (first.qor)") action->trigger();
  EXPECT_EQ(main.ActiveChild(), main.Children()[0]);
  EXPECT_EQ(Listed(*menu).size(), 2u) << "opening the menu again lists each window once";
}

TEST_F(DatabaseWindowsTest, CtrlF6AndCtrlTabStepThroughTheWindowsCtrlF4AndCtrlWCloseOne) {
  CMainFrame& main = OpenTwo();
  CChildFrame* second = main.ActiveChild();
  ASSERT_EQ(second, main.Children()[1]);
  second->LeftView()->setFocus();
  QTest::keyClick(second->LeftView(), Qt::Key_F6, Qt::ControlModifier);
  Pump();
  CChildFrame* first = main.ActiveChild();
  EXPECT_EQ(first, main.Children()[0]);
  first->LeftView()->setFocus();
  QTest::keyClick(first->LeftView(), Qt::Key_Tab, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(main.ActiveChild(), second);
  second->LeftView()->setFocus();
  QTest::keyClick(second->LeftView(), Qt::Key_F4, Qt::ControlModifier);
  Pump();
  ASSERT_EQ(main.Children().size(), 1);
  ASSERT_EQ(main.ActiveChild(), first);
  first->LeftView()->setFocus();
  QTest::keyClick(first->LeftView(), Qt::Key_W, Qt::ControlModifier);
  Pump();
  EXPECT_TRUE(main.Children().isEmpty());
}

TEST_F(DatabaseWindowsTest, AMaximisedWindowsCaptionShowsOnceInTheMainWindow) {
  CMainFrame& main = OpenTwo();
  CChildFrame* second = main.ActiveChild();
  // Maximise, from the window's own menu.
  for (QAction* entry : second->systemMenu()->actions())
    if (entry->text().remove('&') == "Maximize") entry->trigger();
  Pump();
  ASSERT_TRUE(second->isMaximized());
  EXPECT_EQ(main.windowTitle().count("Keys (second.qor)"), 1) << main.windowTitle().toStdString();
  second->GetDocument().SetModifiedFlag();
  Pump();
  EXPECT_EQ(main.windowTitle().count("Keys (second.qor) *"), 1) << main.windowTitle().toStdString();
  EXPECT_EQ(main.windowTitle().count("Keys (second.qor)"), 1) << main.windowTitle().toStdString();
  second->GetDocument().SetModifiedFlag(false);
  // The next window, maximised too, takes the caption's place.
  second->LeftView()->setFocus();
  QTest::keyClick(second->LeftView(), Qt::Key_F6, Qt::ControlModifier);
  Pump();
  CChildFrame* first = main.ActiveChild();
  ASSERT_NE(first, second);
  EXPECT_EQ(main.windowTitle().count("Keys (first.qor)"), 1) << main.windowTitle().toStdString();
  EXPECT_FALSE(main.windowTitle().contains("second.qor")) << main.windowTitle().toStdString();
  first->showNormal();
  Pump();
  EXPECT_EQ(main.windowTitle(), "QOR - Keys (first.qor)");
}

TEST_F(DatabaseWindowsTest, TheCaptionMarksUnsavedChangesUntilTheSave) {
  CMainFrame& main = OpenTwo();
  CChildFrame* frame = main.ActiveChild();
  frame->GetDocument().m_header.title = "Birds";
  frame->GetDocument().SetModifiedFlag();
  EXPECT_EQ(frame->windowTitle(), "Birds (second.qor) *");
  EXPECT_EQ(main.windowTitle(), "QOR - Birds (second.qor) *");
  ASSERT_TRUE(frame->Save(false));
  EXPECT_EQ(frame->windowTitle(), "Birds (second.qor)");
}

TEST_F(DatabaseWindowsTest, F6MovesBetweenTheTreeTheListAndThePage) {
  CMainFrame& main = OpenTwo();
  CChildFrame* frame = main.ActiveChild();
  frame->LeftView()->setFocus();
  auto paneOfFocus = [&]() -> std::string {
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* pane : {static_cast<QWidget*>(frame->LeftView()), static_cast<QWidget*>(frame->ItemListView()),
                          static_cast<QWidget*>(frame->HtmlView())})
      if (focus && (pane == focus || pane->isAncestorOf(focus))) return pane->objectName().toStdString();
    return "<elsewhere>";
  };
  std::vector<std::string> visited;
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    visited.push_back(paneOfFocus());
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
  visited.push_back(paneOfFocus());
  EXPECT_EQ(visited, (std::vector<std::string>{"itemListView", "htmlView", "leftView", "htmlView"}));
}
