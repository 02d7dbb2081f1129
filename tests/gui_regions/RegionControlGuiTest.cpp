// The region control under real mouse input: drawing, painting, hover tips.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QScrollBar>
#include <QToolTip>

#include "fakes/HangGuard.h"
#include "gui_regions/RegionGuiSupport.h"

using namespace regions_gui;

namespace {
struct ControlFixture : ::testing::Test {
  ControlFixture() : control(state) {
    state.SetUsage(USAGE_EDIT);
    control.LoadPicture(WritePicture(folder, "wing.png", 300, 200));
    control.resize(control.SizeFor(control.SetupScrollBars()));
    control.show();
  }
  QRgb PixelAt(int x, int y) { return control.viewport()->grab().toImage().pixel(x, y); }

  TempFolder folder;
  ImageRegionCtrlState state;
  CImageRegionCtrl control;
};
}  // namespace

TEST_F(ControlFixture, ClicksDrawAPolygonAndADragARectangleWithTheirPens) {
  Click(control, {10, 10});
  Click(control, {50, 10});
  Click(control, {30, 40});
  EXPECT_EQ(state.CurrentPolygon(), (RegionPolygon{{10, 10}, {50, 10}, {30, 40}}));
  EXPECT_EQ(PixelAt(30, 10), qRgb(255, 0, 0)) << "the shape being drawn is red";
  ASSERT_TRUE(control.AddCurrentRegion("Wing"));
  EXPECT_EQ(PixelAt(30, 10), qRgb(0, 0, 255)) << "a stored region is blue";

  state.SetShapeKind(SHAPE_RECTANGLE);
  Drag(control, {140, 130}, {110, 105});
  EXPECT_EQ(state.CurrentRectangle(), (RegionRect{110, 105, 140, 130}));
  ASSERT_TRUE(control.AddCurrentRegion("Tail"));
  EXPECT_EQ(state.Regions().rectangleIds, std::vector<std::string>{"Tail"});
  control.SetHighlightedRegion("Tail");
  EXPECT_EQ(PixelAt(125, 106), qRgb(0, 0, 255)) << "the highlight pen is three pixels wide";
}

TEST_F(ControlFixture, EveryReleaseTellsTheDialog) {
  int clicks = 0;
  QObject::connect(&control, &CImageRegionCtrl::clicked, [&] { ++clicks; });
  Click(control, {5, 5});
  Drag(control, {5, 5}, {20, 20});
  EXPECT_EQ(clicks, 2);
}

TEST_F(ControlFixture, HoveringARegionShowsItsNameAfterTwoTicks) {
  state.Regions().rectangles.push_back({20, 20, 80, 80});
  state.Regions().rectangleIds.push_back("Crown");
  control.StartHoverTips();
  Hover(control, {40, 40});
  EXPECT_EQ(state.GetHoveredId(), "Crown");
  EXPECT_FALSE(QToolTip::isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
  EXPECT_EQ(QToolTip::text(), "Crown");
  Hover(control, {150, 150});
  QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 2000);
}

TEST(RegionControlScrolling, ALargePictureScrollsAndClicksLandInPictureCoordinates) {
  TempFolder folder;
  ImageRegionCtrlState state;
  CImageRegionCtrl control(state);
  ASSERT_TRUE(control.LoadPicture(WritePicture(folder, "big.png", 3000, 2000)));
  const RegionSize visible = control.SetupScrollBars();
  EXPECT_LT(visible.width, 3000);
  EXPECT_TRUE(state.Bar(ScrollAxis::Horizontal).needed);
  control.resize(control.SizeFor(visible));
  control.show();
  QTest::keyClick(&control, Qt::Key_Right);
  EXPECT_EQ(state.ScrollOrigin().x, 6);
  Click(control, {10, 10});
  EXPECT_EQ(state.CurrentPolygon(), (RegionPolygon{{16, 10}}));
  QScrollBar* bar = control.horizontalScrollBar();
  bar->setValue(bar->maximum());
  EXPECT_EQ(state.ScrollOrigin().x + control.viewport()->width(), 3000) << "the far edge shows at the end";
}

TEST(RegionControlPicture, AnUnreadablePictureShowsNothingAndScrollsNothing) {
  TempFolder folder;
  const std::string broken = folder.Write("broken.png", "not a picture");
  ImageRegionCtrlState state;
  CImageRegionCtrl control(state);
  EXPECT_FALSE(control.LoadPicture(broken));
  EXPECT_FALSE(control.HasPicture());
  EXPECT_EQ(control.SetupScrollBars(), (RegionSize{0, 0}));
}

TEST(RegionControlPicture, APictureDecodesOnlyAsTheFormatItsNameSays) {
  TempFolder folder;
  const std::string png = WritePicture(folder, "real.png", 30, 20);
  std::filesystem::copy_file(png, folder.File("named.gif"));
  std::filesystem::copy_file(png, folder.File("named.svg"));
  ImageRegionCtrlState state;
  CImageRegionCtrl control(state);
  EXPECT_TRUE(control.LoadPicture(png));
  EXPECT_FALSE(control.LoadPicture(folder.File("named.gif")));
  EXPECT_FALSE(control.LoadPicture(folder.File("named.svg")));
  EXPECT_FALSE(control.HasPicture());
}

// The picture comes with the key: a FIFO under its name must not hold the
// dialog, and a link out of the picture's folder shows nothing of the user's.
TEST(RegionControlPicture, AFifoOrALinkOutOfTheFolderShowsNoPicture) {
  TempFolder folder;
  std::filesystem::create_directories(folder.path() / "key");
  std::filesystem::create_directories(folder.path() / "home");
  ASSERT_TRUE(std::filesystem::exists(WritePicture(folder, "home/own.png", 30, 20)));
  const std::string fifo = folder.File("key/pipe.png");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink("../home/own.png", folder.path() / "key" / "out.png");
  ImageRegionCtrlState state;
  CImageRegionCtrl control(state);
  hang_guard::FifoWatch watch(fifo);
  EXPECT_FALSE(control.LoadPicture(fifo));
  EXPECT_FALSE(watch.Finish()) << "the picture's FIFO blocked the read";
  EXPECT_FALSE(control.LoadPicture(folder.File("key/out.png")));
  EXPECT_FALSE(control.HasPicture());
}
