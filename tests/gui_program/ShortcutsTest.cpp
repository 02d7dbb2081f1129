// Every key a menu shows reaches its one action, wherever the focus is in a
// database window.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "ProgramTestSupport.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/MainFrame.h"

using namespace program_test;

namespace {

class ShortcutsTest : public ProgramTest {};

// The main window's actions that have a key: those of the menus and F1.
std::vector<QAction*> ActionsWithKeys(CMainFrame& main) {
  QList<QAction*> candidates = main.actions();
  for (QAction* entry : main.menuBar()->actions())
    if (QMenu* menu = entry->menu()) candidates += menu->actions();
  std::vector<QAction*> found;
  for (QAction* action : candidates)
    if (!action->shortcuts().isEmpty() && std::find(found.begin(), found.end(), action) == found.end())
      found.push_back(action);
  return found;
}

// Counts Qt's complaints about a key that two actions claim.
int g_ambiguous = 0;
void CountAmbiguity(QtMsgType, const QMessageLogContext&, const QString& message) {
  if (message.contains("Ambiguous shortcut")) ++g_ambiguous;
}

}  // namespace

TEST_F(ShortcutsTest, EveryMenuKeyTriggersItsOneAction) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("keys.qor", "Keys"))}));
  CMainFrame* main = app.MainFrame();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  CChildFrame* frame = main->ActiveChild();
  ASSERT_NE(frame, nullptr);
  const std::vector<QAction*> actions = ActionsWithKeys(*main);
  ASSERT_GT(actions.size(), 4u);
  // The test counts the triggers; the commands themselves stay unrun.
  for (QAction* action : actions) QObject::disconnect(action, &QAction::triggered, main, nullptr);
  g_ambiguous = 0;
  const QtMessageHandler previous = qInstallMessageHandler(CountAmbiguity);
  for (QWidget* focus : {static_cast<QWidget*>(frame->LeftView()), static_cast<QWidget*>(frame->ItemListView())}) {
    for (QAction* action : actions) {
      for (const QKeySequence& keys : action->shortcuts()) {
        focus->setFocus();
        int triggered = 0;
        const auto counted = QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
        QTest::keyClick(focus, Qt::Key(keys[0].key()), keys[0].keyboardModifiers());
        QObject::disconnect(counted);
        // A greyed command shows its key but does not run.
        EXPECT_EQ(triggered, action->isEnabled() ? 1 : 0)
            << action->text().toStdString() << " " << keys.toString().toStdString() << " in "
            << focus->objectName().toStdString();
      }
    }
  }
  qInstallMessageHandler(previous);
  EXPECT_EQ(g_ambiguous, 0);
}
