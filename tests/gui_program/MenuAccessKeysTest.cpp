// Every menu of the menu bar and every entry in it can be reached with the
// keyboard alone: each has an access key, and no two in one menu share it.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "ProgramTestSupport.h"
#include "database/CommandIds.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/MainFrame.h"

using namespace program_test;

namespace {

class MenuAccessKeysTest : public ProgramTest {};

// The entries of a menu the user can see and choose.
QList<QAction*> ShownEntries(const QList<QAction*>& actions) {
  QList<QAction*> shown;
  for (QAction* action : actions)
    if (action->isVisible() && !action->isSeparator()) shown << action;
  return shown;
}

// Every entry has a key; the names of those without one, or sharing one.
QStringList KeyFaults(const QList<QAction*>& entries, const QString& where) {
  QStringList faults;
  QList<QKeySequence> taken;
  for (QAction* entry : entries) {
    const QKeySequence key = QKeySequence::mnemonic(entry->text());
    if (key.isEmpty())
      faults << where + ": \"" + entry->text() + "\" has no access key";
    else if (taken.contains(key))
      faults << where + ": \"" + entry->text() + "\" repeats " + key.toString();
    taken << key;
  }
  return faults;
}

// Opens each menu of the bar by its Alt key, as a user does, and checks the
// entries of the menu that opened and of its submenus.
QStringList WalkMenuBar(CMainFrame& main, QWidget* focus) {
  QStringList faults = KeyFaults(ShownEntries(main.menuBar()->actions()), "menu bar");
  for (QAction* title : ShownEntries(main.menuBar()->actions())) {
    const QKeySequence key = QKeySequence::mnemonic(title->text());
    if (key.isEmpty()) continue;
    // A closed popup may keep the activation in this headless session.
    QApplication::setActiveWindow(&main);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key(key[0].key()), key[0].keyboardModifiers());
    auto* opened = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (opened != title->menu()) {
      faults << title->text() + " does not open with " + key.toString();
      continue;
    }
    QList<QMenu*> menus{opened};
    while (!menus.isEmpty()) {
      QMenu* menu = menus.takeFirst();
      const QList<QAction*> entries = ShownEntries(menu->actions());
      faults << KeyFaults(entries, title->text() + " / " + menu->title());
      for (QAction* entry : entries)
        if (entry->menu()) menus << entry->menu();
    }
    QTest::keyClick(opened, Qt::Key_Escape);
    if (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
  }
  return faults;
}

}  // namespace

TEST_F(MenuAccessKeysTest, EveryMenuAndEntryHasItsOwnAccessKeyWithAndWithoutADatabase) {
  CMainFrame& main = OpenTwo("First", "Second");
  CChildFrame* frame = main.ActiveChild();
  ASSERT_NE(frame, nullptr);
  main.UpdateCommandStates();
  QStringList faults = WalkMenuBar(main, frame->LeftView());
  EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();

  // Locking renames Lock; the new name keeps a key.
  m_ui.yesNoAnswers = {true};
  main.OnCommand(cmd::kLockDatabase);
  EXPECT_EQ(main.Action(cmd::kLockDatabase)->text(), "Un&lock");
  faults = WalkMenuBar(main, frame->LeftView());
  EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();

  for (CChildFrame* child : main.Children()) {
    child->GetDocument().SetModifiedFlag(false);
    child->close();
  }
  Pump();
  ASSERT_TRUE(main.Children().isEmpty());
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  faults = WalkMenuBar(main, main.MdiArea());
  EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}
