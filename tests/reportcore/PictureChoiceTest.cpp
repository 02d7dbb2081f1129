// The editors' picture chooser against a temporary database folder.
#include <unistd.h>

#include "ReportCoreFixtures.h"
#include "database/HelpPages.h"
#include "database/UtilityFunction.h"

using namespace reportcore_test;

TEST(PictureChoice, InsideTheFolderGivesTheStoredNameOutsideCopiesOnYes) {
  Desk desk;
  SetActiveDocument(&desk.doc);
  const std::string folder = desk.folder.path().string() + "/";
  desk.folder.Write("sub/a.jpg");
  desk.ui.fileAnswers = {folder + "sub/a.jpg"};
  EXPECT_EQ(ChooseImageFile("old.jpg;x.jpg"), "sub\\a.jpg");
  EXPECT_TRUE(desk.ui.yesNoAnswers.empty());
  TempFolder outside;
  const std::string source = outside.Write("b.png", "png");
  desk.ui.fileAnswers = {source};
  desk.ui.yesNoAnswers = {true};
  EXPECT_EQ(ChooseImageFile(""), "b.png");
  EXPECT_TRUE(std::filesystem::exists(desk.folder.path() / "b.png"));
  desk.ui.fileAnswers = {source};
  desk.ui.yesNoAnswers = {true, false};  // copy? yes; replace? no
  EXPECT_EQ(ChooseImageFile(""), "b.png");
  EXPECT_EQ(desk.ui.shown.back().text.rfind("Do you want to replace the destination file", 0), 0u);
  desk.ui.fileAnswers = {std::nullopt};
  EXPECT_EQ(ChooseImageFile(""), "");
  ClearActiveFrame();
}
