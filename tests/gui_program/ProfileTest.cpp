// Window state, toolbar place, recent files and the option sets in the profile.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTest>
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

TEST_F(ProfileTest, WithoutAStoredStateTheWindowsFillMostOfTheScreen) {
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(Database("one.qor", "One"))}));
  CMainFrame* main = app.MainFrame();
  Pump();
  const QRect screen = main->screen()->availableGeometry();
  EXPECT_FALSE(main->isMaximized());
  EXPECT_GE(main->frameGeometry().width(), screen.width() * 4 / 5);
  EXPECT_GE(main->frameGeometry().height(), screen.height() * 4 / 5);
  EXPECT_TRUE(screen.contains(main->frameGeometry()));
  // Each database window fills most of the main window's work area; the
  // second stands a little lower and to the right of the first.
  for (CChildFrame* frame : {main->ActiveChild(), app.OpenDocumentFile(Database("two.qor", "Two"))}) {
    ASSERT_NE(frame, nullptr);
    Pump();
    const QSize area = main->MdiArea()->viewport()->size();
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_GE(frame->width(), area.width() * 4 / 5);
    EXPECT_GE(frame->height(), area.height() * 4 / 5);
    EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(frame->geometry()));
  }
  const QList<CChildFrame*> frames = main->Children();
  ASSERT_EQ(frames.size(), 2);
  EXPECT_GT(frames[1]->y(), frames[0]->y());
  EXPECT_GT(frames[1]->x(), frames[0]->x());
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

TEST_F(ProfileTest, RecentFilesOfTheSameNameShowTheirFoldersAndOpenByKey) {
  std::filesystem::create_directories(Folder() / "garden");
  std::filesystem::create_directories(Folder() / "coast");
  const std::string garden = (Folder() / "garden" / "birds & bees.qor").string();
  const std::string coast = (Folder() / "coast" / "birds & bees.qor").string();
  WriteDatabase(garden, "Garden");
  WriteDatabase(coast, "Coast");
  CZAVApp& app = StartApp();
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(coast)}));
  ASSERT_NE(app.OpenDocumentFile(garden), nullptr);
  CMainFrame* main = app.MainFrame();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  // The user opens the File menu by its key and reads the list.
  QTest::keyClick(main, Qt::Key_F, Qt::AltModifier);
  auto* file = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(file, nullptr);
  const auto entry = [&](const char* name) {
    QAction* action = main->findChild<QAction*>(name);
    return action && file->actions().contains(action) ? action->text().toStdString() : std::string();
  };
  EXPECT_EQ(entry("recent1"), "&1 garden/birds && bees.qor");
  EXPECT_EQ(entry("recent2"), "&2 coast/birds && bees.qor");
  // Key 2 opens the second; it is open already, so its window comes forward.
  QTest::keyClick(file, Qt::Key_2);
  EXPECT_EQ(main->ActiveChild()->GetDocument().m_header.title, "Coast");
}
