// Window state, toolbar place, recent files and the option sets in the profile.
#include <gtest/gtest.h>

#include <QSettings>
#include <QToolBar>

#include "ProgramTestSupport.h"
#include "shell/qt/MainFrame.h"

using namespace program_test;

namespace {

class ProfileTest : public ProgramTest {
 protected:
  int Stored(const QString& key, int fallback = -1) {
    QSettings settings(IniPath(), QSettings::IniFormat);
    return settings.value(key, fallback).toInt();
  }
  void Store(const QString& key, const QVariant& value) {
    QSettings settings(IniPath(), QSettings::IniFormat);
    settings.setValue(key, value);
  }
};

}  // namespace

TEST_F(ProfileTest, MainWindowStateIsWrittenOnCloseAndReadAtStart) {
  const std::string path = Database("state.qor", "State");
  CZAVApp& first = StartApp();
  ASSERT_TRUE(first.InitInstance({QString::fromStdString(path)}));
  EXPECT_FALSE(first.IsMaximizedAtStart());
  first.MainFrame()->showMaximized();
  first.MainFrame()->close();
  EndApp();
  EXPECT_EQ(Stored("Main window/Expanded"), 1);
  EXPECT_EQ(Stored("Main window/ToolBarPosHoriz"), 10240);

  CZAVApp& second = StartApp();
  ASSERT_TRUE(second.InitInstance({QString::fromStdString(path)}));
  EXPECT_TRUE(second.IsMaximizedAtStart());
  EXPECT_TRUE(second.MainFrame()->isMaximized());
}

TEST_F(ProfileTest, ToolbarStyleAlignedTopIsReplacedByTheDefault) {
  Store("Main window/ToolBarPosHoriz", 0x2000 | 0x0100);
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("t.qor", "T"))}));
  EXPECT_EQ(app.MainFrame()->toolBarArea(app.MainFrame()->ToolBar()), Qt::TopToolBarArea);
  EXPECT_EQ(app.MainFrame()->ToolBarStyle(), 10240);
}

TEST_F(ProfileTest, ToolbarDockedLeftStaysLeft) {
  Store("Main window/ToolBarPosHoriz", 0x1000 | 0x0400);
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("t.qor", "T"))}));
  EXPECT_EQ(app.MainFrame()->toolBarArea(app.MainFrame()->ToolBar()), Qt::LeftToolBarArea);
  app.MainFrame()->close();
  EndApp();
  EXPECT_EQ(Stored("Main window/ToolBarPosHoriz"), 0x1400);
}

TEST_F(ProfileTest, OnlyTheFirstDatabaseFrameOfARunFollowsChildWindowExpanded) {
  Store("Child window/Expanded", 1);
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("one.qor", "One"))}));
  EXPECT_TRUE(app.MainFrame()->ActiveChild()->isMaximized());
  app.MainFrame()->ActiveChild()->showNormal();
  CChildFrame* second = app.OpenDocumentFile(Database("two.qor", "Two"));
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(second->isMaximized());
  EndApp();
  EXPECT_EQ(Stored("Child window/Expanded"), 0);  // the frames were not maximised when they closed
}

TEST_F(ProfileTest, TheFourOptionSetsAreSavedAtTheEnd) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("o.qor", "O"))}));
  EndApp();
  QSettings settings(IniPath(), QSettings::IniFormat);
  const QStringList groups = settings.childGroups();
  for (const char* section : {"Item options", "Item list options", "Menu list options", "Gallery options"})
    EXPECT_TRUE(groups.contains(section)) << section;
}

TEST_F(ProfileTest, RecentFilesKeepFourDatabasesNewestFirst) {
  std::vector<std::string> paths;
  for (int i = 0; i < 5; ++i) paths.push_back(Database("db" + std::to_string(i) + ".qor", "Db"));
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(paths[0])}));
  for (int i = 1; i < 5; ++i) ASSERT_NE(app.OpenDocumentFile(paths[i]), nullptr);
  ASSERT_EQ(app.RecentFiles().size(), 4u);
  EXPECT_EQ(app.RecentFiles().front(), paths[4]);
  EXPECT_EQ(app.RecentFiles().back(), paths[1]);
  // Pages and pictures shown in windows of their own do not enter the list.
  app.AddToRecentFileList((Folder() / "page.htm").string());
  app.AddToRecentFileList((Folder() / "picture.jpg").string());
  EXPECT_EQ(app.RecentFiles().front(), paths[4]);
  EndApp();

  CZAVApp& next = StartApp();
  ASSERT_TRUE(next.InitInstance({QString::fromStdString(paths[2])}));
  ASSERT_EQ(next.RecentFiles().size(), 4u);
  EXPECT_EQ(next.RecentFiles().front(), paths[2]);
  EXPECT_EQ(next.RecentFiles()[1], paths[4]);
}

TEST_F(ProfileTest, TheProgramsOwnProfileLivesUnderQorApplication) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
  const std::string path = Database("own.qor", "Own");
  {
    CZAVApp app(CZAVApp::Setup{false, nullptr});
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
    app.MainFrame()->close();
  }
  QSettings written(m_folder.filePath("QOR application/QOR.conf"), QSettings::IniFormat);
  EXPECT_EQ(written.value("Main window/ToolBarPosHoriz").toInt(), 10240);
  EXPECT_EQ(written.value("Recent File List/File1").toString().toStdString(), path);
}
