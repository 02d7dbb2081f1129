// Scrolling a picture larger than three quarters of the screen, and the
// arithmetic that fits and lays out the region dialogs.
#include <gtest/gtest.h>

#include "editors/CAnchorLayout.h"
#include "editors/ImageRegionCtrlState.h"
#include "editors/RegionDialogFit.h"

TEST(RegionScroll, BarsFollowTheThreeQuarterLimitInBothDirections) {
  const RegionSize maxVisible = MaxVisibleSize({1600, 1000});
  EXPECT_EQ(maxVisible, (RegionSize{1200, 750}));
  ImageRegionCtrlState state;
  state.SetPictureSize({2000, 900});
  // 900 exceeds the 750 a 1000-pixel screen leaves, so both bars are needed.
  EXPECT_EQ(state.SetupScrollBars(maxVisible), (RegionSize{1200, 750}));
  EXPECT_EQ(state.Bar(ScrollAxis::Horizontal), (ScrollBarSetup{true, 2000, 1200}));
  EXPECT_EQ(state.Bar(ScrollAxis::Vertical), (ScrollBarSetup{true, 900, 750}));
  state.SetPictureSize({640, 480});
  EXPECT_EQ(state.SetupScrollBars(maxVisible), (RegionSize{640, 480}));
  EXPECT_FALSE(state.Bar(ScrollAxis::Horizontal).needed);
  EXPECT_FALSE(state.Bar(ScrollAxis::Vertical).needed);
  EXPECT_EQ(state.Scroll(ScrollAxis::Horizontal, ScrollRequest::ToEnd, 640), 0);
}

TEST(RegionScroll, RequestsStopAtTheLimitMinusOne) {
  const ScrollBarSetup bar{true, 2000, 1200};
  const int limit = ScrollLimit(bar);
  EXPECT_EQ(limit, 801);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::LineForward, 797, 1200, limit), 800);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::LineForward, 800, 1200, limit), 800);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::LineForward, 100, 1200, limit), 106);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::LineBack, 4, 1200, limit), 0);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::PageForward, 0, 300, limit), 300);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::PageForward, 600, 300, limit), 800);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::PageBack, 300, 300, limit), 0);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::PageBack, 500, 300, limit), 200);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::Thumb, 0, 300, limit, 432), 432);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::Thumb, 0, 300, limit, 5000), 800);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::ToEnd, 0, 300, limit), 800);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::ToStart, 700, 300, limit), 0);
  EXPECT_EQ(NextScrollPosition(ScrollRequest::Finished, 700, 300, limit), 700);
}

TEST(RegionScroll, TheOriginTurnsClientPointsIntoPicturePoints) {
  ImageRegionCtrlState state;
  state.SetPictureSize({2000, 2000});
  state.SetupScrollBars({1000, 1000});
  EXPECT_EQ(state.Scroll(ScrollAxis::Horizontal, ScrollRequest::PageForward, 400), -400);
  EXPECT_EQ(state.Scroll(ScrollAxis::Vertical, ScrollRequest::LineForward, 400), -6);
  EXPECT_EQ(state.ScrollOrigin(), (RegionPoint{400, 6}));
  state.SetShapeKind(SHAPE_RECTANGLE);
  state.Press({10, 10});
  state.Move({20, 30});
  state.Release({20, 30});
  EXPECT_EQ(state.CurrentRectangle(), (RegionRect{410, 16, 420, 36}));
  state.SetupScrollBars({1000, 1000});
  EXPECT_EQ(state.ScrollOrigin(), (RegionPoint{0, 0}));
}

TEST(RegionDialogLayout, EnlargingMovesButtonsAndStretchesThePictureAndList) {
  CAnchorLayout layout;
  layout.Attach({0, 0, 600, 400});
  layout.AddControl(1, ANCHOR_TOP | ANCHOR_RIGHT, {500, 10, 580, 30});
  layout.AddControl(1102, ANCHOR_TOP | ANCHOR_LEFT | ANCHOR_RIGHT | ANCHOR_BOTTOM, {200, 50, 580, 380});
  layout.AddControl(1084, ANCHOR_TOP | ANCHOR_LEFT | ANCHOR_BOTTOM, {10, 50, 190, 380});
  layout.AddControl(7, 0, {250, 0, 350, 20});
  layout.AddControl(8, PIN_LEFT | PIN_BOTTOM, {40, 40, 60, 60});
  const auto& moved = layout.Relayout({0, 0, 700, 450});
  EXPECT_EQ(moved[0].rect, (RegionRect{600, 10, 680, 30}));
  EXPECT_EQ(moved[1].rect, (RegionRect{200, 50, 680, 430}));
  EXPECT_EQ(moved[2].rect, (RegionRect{10, 50, 190, 430}));
  EXPECT_EQ(moved[3].rect, (RegionRect{300, 25, 400, 45}));  // stays centred
  EXPECT_EQ(moved[4].rect, (RegionRect{0, 65, 110, 450}));
  layout.Attach({0, 0, 100, 100});
  EXPECT_TRUE(layout.Controls().empty());
}

TEST(RegionDialogLayout, FittingFollowsThePictureAndCentresWhatLeavesTheScreen) {
  const DialogFit wider = FitDialogToPicture({100, 100, 600, 500}, {300, 300}, {800, 200});
  EXPECT_EQ(wider.dialog, (RegionRect{100, 100, 1100, 500}));  // height only grows
  EXPECT_EQ(wider.control, (RegionSize{800, 300}));
  const DialogFit narrower = FitDialogToPicture({100, 100, 600, 500}, {300, 300}, {200, 350});
  EXPECT_EQ(narrower.dialog, (RegionRect{100, 100, 500, 550}));
  EXPECT_EQ(PlaceOnScreen({100, 100, 1100, 500}, {1600, 1000}), (RegionRect{100, 100, 1100, 500}));
  EXPECT_EQ(PlaceOnScreen({700, 100, 1700, 500}, {1600, 1000}), (RegionRect{300, 300, 1300, 700}));
  EXPECT_EQ(PlaceOnScreen({0, 500, 400, 1100}, {1600, 1000}), (RegionRect{600, 200, 1000, 800}));
}
