// Shared pieces of the program tests: databases written into a temporary
// folder, and the application started with a scripted user interface and a
// profile in a temporary INI file.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/GeneratedDatabase.h"
#include "database/ZAVDoc.h"
#include "fakes/ScriptedUi.h"
#include "platform/qt/DialogRunner.h"
#include "platform/qt/QtProfile.h"
#include "shell/qt/ChildFrame.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/ZAVApp.h"

namespace program_test {

// Writes a small database; locked databases get lock word 0.
inline void WriteDatabase(const std::filesystem::path& path, const std::string& title, bool locked = false) {
  auto doc = MakeGeneratedDatabase(6, 8, 3, 0.4, 7);
  doc->m_header.title = title;
  doc->m_header.description = "Description of " + title;
  doc->m_header.lockWord = locked ? 0 : CZAVDoc::LockTokenFor(doc->m_header.description);
  doc->OnSaveDocument(path.string());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Pump() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// A folder of its own, and the application on a profile kept in it.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.isValid());
    CChildFrame::ResetFirstActivation();
    platform::qt::SetModalHook(nullptr);
  }
  void TearDown() override {
    m_app.reset();
    platform::qt::SetModalHook(nullptr);
    Pump();
  }

  std::filesystem::path Folder() const { return m_folder.path().toStdString(); }
  QString IniPath() const { return m_folder.filePath("profile.ini"); }

  // A fresh profile object on the same file, as a new run would see it.
  platform::qt::QtProfile& Profile() {
    m_profile = std::make_unique<platform::qt::QtProfile>(IniPath());
    return *m_profile;
  }

  CZAVApp& StartApp() {
    m_app.reset();
    m_app = std::make_unique<CZAVApp>(CZAVApp::Setup{false, &Profile()});
    return *m_app;
  }
  void EndApp() {
    m_app.reset();
    m_profile->Sync();
  }

  std::string Database(const std::string& name, const std::string& title, bool locked = false) {
    const auto path = Folder() / name;
    WriteDatabase(path, title, locked);
    return path.string();
  }

  // The program started on two databases, its main window active.
  CMainFrame& OpenTwo(const std::string& firstTitle = "Keys", const std::string& secondTitle = "Keys") {
    CZAVApp& app = StartApp();
    EXPECT_TRUE(app.InitInstance({QString::fromStdString(Database("first.qor", firstTitle))}));
    app.OpenDocumentFile(Database("second.qor", secondTitle));
    Pump();
    CMainFrame& main = *app.MainFrame();
    main.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    return main;
  }

  ScriptedUi m_ui;
  QTemporaryDir m_folder;
  std::unique_ptr<platform::qt::QtProfile> m_profile;
  std::unique_ptr<CZAVApp> m_app;
};

}  // namespace program_test
