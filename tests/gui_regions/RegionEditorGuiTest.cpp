// The region editor driven as an author would: draw, check a row, OK.
#include <gtest/gtest.h>

#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "editors/qt/ImageRegionEditor.h"
#include "editors/qt/RegionDialogSupport.h"
#include "fakes/ScriptedUi.h"
#include "gui_regions/RegionGuiSupport.h"
#include "regions/RegionTestSupport.h"

using namespace regions_gui;

namespace {
struct EditorFixture : ::testing::Test {
  EditorFixture() : current(folder.path()) {
    picture = WritePicture(folder, "menu.png", 400, 300);
    folder.Write("menu.png.regions", "Red\r\npoly\r\n10,10,60,10,30,50\r\n");
    editor.Model().menuTitle = "Colour";
    editor.Model().attributeNames = {"Red", "Blue"};
    editor.Model().picturePath = picture;
    editor.OnInitDialog();
    editor.show();
  }
  RegionAttributeList& List() { return *editor.findChild<RegionAttributeList*>("attributeList"); }
  // Space on the focused row toggles its check box, as the user's key does.
  void ToggleRow(int row) {
    List().setCurrentRow(row);
    QTest::keyClick(List().viewport(), Qt::Key_Space);
  }
  void DrawTriangle() {
    Click(editor.Control(), {100, 100});
    Click(editor.Control(), {150, 100});
    Click(editor.Control(), {120, 150});
  }

  TempFolder folder;
  regions_test::CurrentFolder current;
  ScriptedUi ui;
  std::string picture;
  CImageRegionEditor editor;
};
}  // namespace

TEST_F(EditorFixture, ARegionOnDiskChecksItsRowAndTheDialogFitsThePicture) {
  EXPECT_TRUE(List().IsChecked(0));
  EXPECT_FALSE(List().IsChecked(1));
  // The width follows the picture; the height only grows.
  EXPECT_EQ(editor.Control().viewport()->width(), 400);
  EXPECT_GE(editor.Control().viewport()->height(), 300);
}

TEST_F(EditorFixture, CheckingARowBindsTheDrawnShapeAndOkWritesTheFile) {
  DrawTriangle();
  ToggleRow(1);
  EXPECT_TRUE(List().IsChecked(1));
  QTest::mouseClick(editor.findChild<QPushButton*>("ok"), Qt::LeftButton);
  EXPECT_EQ(editor.result(), QDialog::Accepted);
  EXPECT_EQ(regions_test::ReadBytes(picture + ".regions"),
            "Red\r\npoly\r\n10,10,60,10,30,50\r\nBlue\r\npoly\r\n100,100,150,100,120,150\r\n");
  EXPECT_TRUE(std::filesystem::exists(folder.File("testRegions.html")));
}

TEST_F(EditorFixture, ACheckWithoutAFinishedShapeDoesNotHoldAndUncheckingDeletes) {
  Click(editor.Control(), {100, 100});
  Click(editor.Control(), {150, 100});
  ToggleRow(1);
  EXPECT_FALSE(List().IsChecked(1));
  EXPECT_EQ(editor.Model().Control().CurrentPolygon().size(), 2u);
  ToggleRow(0);
  EXPECT_EQ(editor.Model().Control().FindPolygon("Red"), -1);
}

TEST_F(EditorFixture, RectangleModeStoresTheRectangleAndKeepsThePolygon) {
  Click(editor.Control(), {10, 200});
  QTest::mouseClick(editor.findChild<QPushButton*>("rectangle"), Qt::LeftButton);
  Drag(editor.Control(), {200, 200}, {250, 260});
  ToggleRow(1);
  EXPECT_EQ(editor.Model().Control().FindRectangle("Blue"), 0);
  EXPECT_EQ(editor.Model().Control().CurrentPolygon().size(), 1u);
  QTest::mouseClick(editor.findChild<QPushButton*>("clearActive"), Qt::LeftButton);
  EXPECT_TRUE(editor.Model().Control().CurrentPolygon().empty());
}

TEST_F(EditorFixture, AFailedWriteKeepsTheDialogOpenAndTheOldFile) {
  // A folder in the file's place cannot be replaced, not even by root.
  std::filesystem::remove(picture + ".regions");
  std::filesystem::create_directory(picture + ".regions");
  DrawTriangle();
  ToggleRow(1);
  QTest::mouseClick(editor.findChild<QPushButton*>("ok"), Qt::LeftButton);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Couldn't create the file!"});
  EXPECT_TRUE(editor.isVisible());
  EXPECT_NE(editor.result(), QDialog::Accepted);
  EXPECT_TRUE(std::filesystem::is_directory(picture + ".regions"));
}

TEST(RegionEditorWithoutPicture, AMenuWithoutAPictureWritesNothing) {
  TempFolder folder;
  regions_test::CurrentFolder current(folder.path());
  ScriptedUi ui;
  CImageRegionEditor editor;
  editor.Model().attributeNames = {"Red"};
  editor.Model().picturePath = folder.path().string() + "/";
  editor.OnInitDialog();
  EXPECT_FALSE(editor.findChild<RegionAttributeList*>("attributeList")->isEnabled());
  editor.show();
  QTest::mouseClick(editor.findChild<QPushButton*>("ok"), Qt::LeftButton);
  EXPECT_FALSE(std::filesystem::exists(folder.File(".regions")));
}

TEST_F(EditorFixture, APolygonOfTwoThousandPointsIsDrawnStoredAndHit) {
  // A zigzag top edge of 1998 clicks closed by three more, far beyond any fixed buffer.
  for (int k = 0; k < 1998; ++k) Click(editor.Control(), {50 + k / 7, 50 + (k % 2) * 2});
  for (const QPoint& corner : {QPoint(350, 250), QPoint(50, 250), QPoint(40, 150)}) Click(editor.Control(), corner);
  ToggleRow(1);
  ASSERT_TRUE(List().IsChecked(1));
  Hover(editor.Control(), {200, 150});
  EXPECT_EQ(editor.Model().Control().GetHoveredId(), "Blue");
  QTest::mouseClick(editor.findChild<QPushButton*>("ok"), Qt::LeftButton);
  RegionSet saved;
  ASSERT_TRUE(ReadRegions(picture + ".regions", saved));
  ASSERT_EQ(saved.polygonIds, (std::vector<std::string>{"Red", "Blue"}));
  EXPECT_EQ(saved.polygons[1].size(), 2001u);
}
