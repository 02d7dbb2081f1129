// The Options and Database menus of a database window offer the option
// dialogs and the picture commands, and a click on an entry runs it.
#include <QMenu>
#include <QMenuBar>

#include "DialogDriving.h"
#include "database/CommandIds.h"
#include "gui_program/ProgramTestSupport.h"
#include "reports/ReportOptions.h"
#include "shell/qt/MainFrame.h"

namespace options_test {
namespace {

using program_test::ProgramTest;

class PictureMenusTest : public ProgramTest {
 protected:
  CMainFrame& OpenDatabase(bool withThumbnails) {
    const std::string path = Database("keys.qor", "Keys");
    if (withThumbnails) std::filesystem::create_directory(Folder() / "Thumbnails");
    CZAVApp& app = StartApp();
    EXPECT_TRUE(app.InitInstance({QString::fromStdString(path)}));
    return *app.MainFrame();
  }
  static QMenu* Menu(CMainFrame& main, const QString& title) {
    for (QAction* entry : main.menuBar()->actions())
      if (entry->text() == title) return entry->menu();
    return nullptr;
  }
  static std::vector<int> Commands(QMenu& menu) {
    std::vector<int> commands;
    for (QAction* action : menu.actions())
      if (!action->isSeparator() && action->data().isValid()) commands.push_back(action->data().toInt());
    return commands;
  }
  // Opens the menu and clicks the entry, as the mouse does.
  static void ClickEntry(QMenu& menu, int command) {
    menu.popup(QPoint(0, 0));
    program_test::Pump();
    for (QAction* action : menu.actions())
      if (action->data().toInt() == command)
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
    program_test::Pump();
  }
};

TEST_F(PictureMenusTest, OptionsAndDatabaseMenusOfferTheNewCommands) {
  CMainFrame& main = OpenDatabase(true);
  QMenu* options = Menu(main, "&Options");
  QMenu* database = Menu(main, "&Database");
  ASSERT_TRUE(options && database);
  const std::vector<int> optionCommands = Commands(*options);
  for (int command : {cmd::kItemDescriptionOptions, cmd::kItemListReportOptions, cmd::kMenuReport, cmd::kGalleryOptions,
                      cmd::kThumbnailImageSize})
    EXPECT_NE(std::find(optionCommands.begin(), optionCommands.end(), command), optionCommands.end()) << command;
  const std::vector<int> databaseCommands = Commands(*database);
  for (int command :
       {cmd::kNoMatchingImageFile, cmd::kImportItemImages, cmd::kImportMenuImages, cmd::kCreateThumbnails}) {
    EXPECT_NE(std::find(databaseCommands.begin(), databaseCommands.end(), command), databaseCommands.end());
    EXPECT_TRUE(main.Action(command)->isEnabled()) << command;
  }
}

TEST_F(PictureMenusTest, AClickOnThumbnailImageSizeOpensTheDialogAndStoresTheSize) {
  CMainFrame& main = OpenDatabase(false);
  EXPECT_FALSE(main.Action(cmd::kCreateThumbnails)->isEnabled());  // no "Thumbnails" folder at open
  ModalScript script([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Thumbnail Options");
    Type(dialog, "sizeBox", "80");
    Click(dialog, "okButton");
  });
  ClickEntry(*Menu(main, "&Options"), cmd::kThumbnailImageSize);
  EXPECT_EQ(script.runs, 1);
  EXPECT_EQ(GalleryOptions::Shared().thumbnailSize, 80);
}

}  // namespace
}  // namespace options_test
