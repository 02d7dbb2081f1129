// The program started on a database with the user's data folder in a
// temporary folder (so the user's exporters folder is the test's own), and
// the ways a user reaches the commands: a menu opened by its key and an
// entry clicked, a modal dialog driven with real input.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPluginLoader>
#include <QStandardPaths>
#include <QTest>
#include <functional>

#include "gui_program/ProgramTestSupport.h"
#include "shell/qt/MainFrame.h"

namespace export_test {

// The main window's menu of that title, opened with Alt and its key; then
// the entry of the command clicked with the mouse.
inline bool ChooseMenuEntry(CMainFrame& main, Qt::Key menuKey, int command) {
  main.activateWindow();
  if (!QTest::qWaitForWindowActive(&main)) return false;
  QTest::keyClick(&main, menuKey, Qt::AltModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QAction* action = main.Action(command);
  if (!menu || !action || !menu->actions().contains(action) || !action->isEnabled()) {
    if (menu) menu->close();
    return false;
  }
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  return true;
}

// Every modal dialog of that object name is shown and handed to the body,
// which drives it; the dialog's result is what RunModal returns. Other
// dialogs are cancelled.
class ModalDriver {
 public:
  ModalDriver() {
    platform::qt::SetModalHook([this](QDialog& dialog) {
      auto it = m_bodies.find(dialog.objectName());
      if (it == m_bodies.end()) return static_cast<int>(QDialog::Rejected);
      dialog.show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
      ++m_runs[dialog.objectName()];
      it.value()(dialog);
      return dialog.result();
    });
  }
  ~ModalDriver() { platform::qt::SetModalHook(nullptr); }
  void On(const QString& name, std::function<void(QDialog&)> body) { m_bodies[name] = std::move(body); }
  int Runs(const QString& name) const { return m_runs.value(name); }

 private:
  QMap<QString, std::function<void(QDialog&)>> m_bodies;
  QMap<QString, int> m_runs;
};

template <class Widget>
Widget* Find(QWidget& parent, const char* name) {
  auto* widget = parent.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

inline void Click(QWidget* widget) {
  ASSERT_NE(widget, nullptr);
  QTest::mouseClick(widget, Qt::LeftButton);
}

// The user's data folder is a temporary one while the test runs.
class ProgramWithUserFolder : public program_test::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    m_oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((Folder() / "data").string()));
  }
  void TearDown() override {
    ProgramTest::TearDown();
    if (m_oldDataHome.isNull())
      qunsetenv("XDG_DATA_HOME");
    else
      qputenv("XDG_DATA_HOME", m_oldDataHome);
  }

  QString UserExporters() const {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/exporters";
    QDir().mkpath(folder);
    return folder;
  }
  // Puts one of the test plugins into the user's exporters folder.
  QString InstallTestPlugin(const QString& plugin, const QString& asName = {}) {
    const QString from = QStringLiteral(QOR_TEST_EXPORTERS) + "/qor_test_" + plugin + ".so";
    const QString to = UserExporters() + "/" + (asName.isEmpty() ? "qor_test_" + plugin + ".so" : asName);
    EXPECT_TRUE(QFile::copy(from, to)) << from.toStdString();
    return to;
  }

  CMainFrame& StartOn(const std::string& database) {
    CZAVApp& app = StartApp();
    EXPECT_TRUE(app.InitInstance({QString::fromStdString(database)}));
    return *app.MainFrame();
  }

  QByteArray m_oldDataHome;
};

}  // namespace export_test
