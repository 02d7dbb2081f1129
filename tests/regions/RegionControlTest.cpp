// The region control's state without a window: drawing by press, move and
// release, storing and finding regions, hit tests, hover ticks and painting.
#include <gtest/gtest.h>

#include "RegionTestSupport.h"
#include "editors/RegionGeometry.h"
#include "editors/RegionPaintList.h"

using namespace regions_test;

TEST(RegionDrawing, ThreeClicksMakeAPolygonStoredUnderItsId) {
  ImageRegionCtrlState state;
  ClickPolygon(state, {{10, 10}, {50, 10}, {30, 40}});
  EXPECT_EQ(state.CurrentPolygon(), (RegionPolygon{{10, 10}, {50, 10}, {30, 40}}));
  ASSERT_TRUE(state.AddCurrentRegion("Wing"));
  EXPECT_EQ(state.Regions().polygonIds, std::vector<std::string>{"Wing"});
  EXPECT_EQ(state.Regions().polygons[0].size(), 3u);
  EXPECT_TRUE(state.CurrentPolygon().empty());
}

TEST(RegionDrawing, DragsAddVerticesFromTheLastPoint) {
  ImageRegionCtrlState state;
  Drag(state, {0, 0}, {20, 0});     // first press fixes (0,0), the release adds (20,0)
  Drag(state, {90, 90}, {20, 30});  // a press anywhere continues from (20,0)
  EXPECT_EQ(state.CurrentPolygon(), (RegionPolygon{{0, 0}, {20, 0}, {20, 30}}));
  Click(state, {20, 30});  // a click on the last vertex adds nothing
  EXPECT_EQ(state.CurrentPolygon().size(), 3u);
}

TEST(RegionDrawing, ADragInRectangleModeSpansTheRectangle) {
  ImageRegionCtrlState state;
  state.SetShapeKind(SHAPE_RECTANGLE);
  state.Press({40, 30});
  state.Move({25, 15});
  ASSERT_TRUE(state.CurrentRubberBand().has_value());
  EXPECT_TRUE(state.CurrentRubberBand()->rectangle);
  EXPECT_EQ(state.CurrentRubberBand()->to, (RegionPoint{25, 15}));
  state.Move({10, 5});
  state.Release({10, 5});
  EXPECT_FALSE(state.CurrentRubberBand().has_value());
  EXPECT_EQ(state.CurrentRectangle(), (RegionRect{10, 5, 40, 30}));
  Click(state, {70, 70});  // a click without a drag keeps the rectangle
  EXPECT_EQ(state.CurrentRectangle(), (RegionRect{10, 5, 40, 30}));
  EXPECT_TRUE(state.AddCurrentRegion("Tail"));
  EXPECT_EQ(state.Regions().rectangles, (std::vector<RegionRect>{{10, 5, 40, 30}}));
}

TEST(RegionDrawing, TooSmallShapesAreNotStoredAndStay) {
  ImageRegionCtrlState state;
  ClickPolygon(state, {{1, 1}, {5, 1}});
  EXPECT_FALSE(state.AddCurrentRegion("Two"));
  EXPECT_EQ(state.CurrentPolygon().size(), 2u);
  state.SetShapeKind(SHAPE_RECTANGLE);
  EXPECT_FALSE(state.AddCurrentRegion("None"));
  Drag(state, {5, 5}, {5, 40});  // no width
  EXPECT_FALSE(state.AddCurrentRegion("Flat"));
  EXPECT_TRUE(state.Regions().polygons.empty() && state.Regions().rectangles.empty());
  // Rectangle mode stores only the rectangle; the polygon being drawn stays.
  Drag(state, {0, 0}, {9, 9});
  EXPECT_TRUE(state.AddCurrentRegion("Box"));
  EXPECT_EQ(state.CurrentPolygon().size(), 2u);
  state.ClearCurrent();
  EXPECT_TRUE(state.CurrentPolygon().empty());
}

TEST(RegionDrawing, PressWhileDraggingAndSelectModeDrawNothing) {
  ImageRegionCtrlState state;
  state.Press({1, 1});
  state.Press({50, 50});  // ignored
  state.Release({1, 1});
  EXPECT_EQ(state.CurrentPolygon(), (RegionPolygon{{1, 1}}));
  state.SetUsage(USAGE_SELECT);
  EXPECT_TRUE(state.CurrentPolygon().empty());
  Drag(state, {0, 0}, {30, 30});
  EXPECT_TRUE(state.CurrentPolygon().empty());
  EXPECT_FALSE(state.Dragging());
}

TEST(RegionStore, DeleteAndFindTakeTheFirstExactMatch) {
  ImageRegionCtrlState state;
  RegionSet& set = state.Regions();
  set.polygons = {{{0, 0}, {9, 0}, {0, 9}}, {{1, 1}, {2, 1}, {1, 2}}};
  set.polygonIds = {"Red", "Red"};
  set.rectangles = {{0, 0, 5, 5}, {1, 1, 2, 2}};
  set.rectangleIds = {"Blue", "Red"};
  EXPECT_EQ(state.FindPolygon("Red"), 0);
  EXPECT_EQ(state.FindPolygon("red"), -1);
  EXPECT_EQ(state.FindRectangle("Red"), 1);
  EXPECT_TRUE(state.DeleteRegion("Red"));
  EXPECT_EQ(set.polygons.size(), 1u);  // polygons first
  EXPECT_EQ(set.rectangles.size(), 2u);
  EXPECT_TRUE(state.DeleteRegion("Red"));
  EXPECT_TRUE(state.DeleteRegion("Red"));
  EXPECT_EQ(set.rectangleIds, std::vector<std::string>{"Blue"});
  EXPECT_FALSE(state.DeleteRegion("Red"));
  EXPECT_FALSE(state.DeleteRegion("Green"));
  set.rectangleIds.push_back("Lost");  // an id without its rectangle is not a region
  EXPECT_EQ(state.FindRectangle("Lost"), -1);
  EXPECT_FALSE(state.DeleteRegion("Lost"));
  EXPECT_EQ(FindRegionAt(set, {200, 200}), nullptr);
}

TEST(RegionHitTest, OddEvenPolygonsAndHalfOpenRectangles) {
  const RegionPolygon triangle = {{10, 10}, {50, 10}, {30, 40}};
  EXPECT_TRUE(PolygonContains(triangle, {30, 20}));
  EXPECT_FALSE(PolygonContains(triangle, {12, 35}));
  EXPECT_FALSE(PolygonContains(triangle, {100, 20}));
  // A five-pointed star drawn in one stroke: its centre is covered twice, so outside.
  const RegionPolygon star = {{50, 0}, {79, 90}, {2, 35}, {97, 35}, {21, 90}};
  EXPECT_FALSE(PolygonContains(star, {50, 50}));
  EXPECT_TRUE(PolygonContains(star, {50, 10}));
  EXPECT_FALSE(PolygonContains({{0, 0}, {9, 9}}, {1, 1}));
  const RegionRect rect{10, 5, 40, 30};
  EXPECT_TRUE(RectContains(rect, {10, 5}));
  EXPECT_FALSE(RectContains(rect, {40, 20}));
  EXPECT_FALSE(RectContains(rect, {20, 30}));
  EXPECT_TRUE(RectContains(rect, {39, 29}));
}

TEST(RegionHitTest, HugeCoordinatesNeitherOverflowNorCrash) {
  const RegionPolygon wide = {{-2147483647, -2147483647}, {2147483647, -2147483647}, {0, 2147483647}};
  EXPECT_TRUE(PolygonContains(wide, {0, 0}));
  EXPECT_FALSE(PolygonContains(wide, {2147483647, 2147483647}));
}

TEST(RegionHitTest, APolygonOfThousandsOfPointsIsTestedWhole) {
  RegionPolygon comb;  // teeth along x; only the last tooth reaches y = 100
  for (int tooth = 0; tooth < 2500; ++tooth) {
    comb.push_back({tooth * 4, 0});
    comb.push_back({tooth * 4 + 2, tooth == 2499 ? 100 : 10});
  }
  comb.push_back({10000, 0});
  comb.push_back({10000, -10});
  comb.push_back({0, -10});
  ASSERT_GT(comb.size(), 4000u);
  EXPECT_TRUE(PolygonContains(comb, {9998, 50}));
  EXPECT_FALSE(PolygonContains(comb, {9000, 50}));
}

TEST(RegionHover, APolygonWinsOverARectangleAndTheTipShowsBetweenTicks2And50) {
  ImageRegionCtrlState state;
  RegionSet& set = state.Regions();
  set.rectangles = {{0, 0, 100, 100}};
  set.rectangleIds = {"A"};
  set.polygons = {{{10, 10}, {50, 10}, {30, 40}}};
  set.polygonIds = {"B"};
  EXPECT_TRUE(state.StartHoverTips());
  EXPECT_FALSE(state.StartHoverTips());
  EXPECT_TRUE(state.Move({30, 20}));
  EXPECT_EQ(state.GetHoveredId(), "B");
  EXPECT_FALSE(state.Move({31, 20}));  // same region: no change, ticks go on
  std::vector<int> shownAt;
  for (int tick = 1; tick <= 60; ++tick)
    if (state.HoverTick()) shownAt.push_back(tick);
  ASSERT_FALSE(shownAt.empty());
  EXPECT_EQ(shownAt.front(), 2);
  EXPECT_EQ(shownAt.back(), 50);
  EXPECT_EQ(shownAt.size(), 49u);
  EXPECT_TRUE(state.Move({90, 90}));
  EXPECT_EQ(state.GetHoveredId(), "A");
  EXPECT_EQ(state.HoverTicks(), 0);
  EXPECT_TRUE(state.Move({200, 200}));
  EXPECT_EQ(state.GetHoveredId(), "");
  state.HoverTick();
  EXPECT_EQ(state.HoverTicks(), 0);
  EXPECT_EQ(ImageRegionCtrlState::TooltipAnchor({5, 7}), (RegionPoint{21, 23}));
}

TEST(RegionHover, MovesWhileDraggingDoNotHover) {
  ImageRegionCtrlState state;
  state.Regions().rectangles = {{0, 0, 100, 100}};
  state.Regions().rectangleIds = {"A"};
  state.Press({200, 200});
  EXPECT_FALSE(state.Move({50, 50}));
  EXPECT_EQ(state.GetHoveredId(), "");
}

namespace {
std::vector<RegionPen> Pens(const std::vector<RegionStroke>& strokes) {
  std::vector<RegionPen> pens;
  for (const RegionStroke& stroke : strokes) pens.push_back(stroke.pen);
  return pens;
}
}  // namespace

TEST(RegionPainting, EditModeOutlinesAllSelectModeOnlyTheSelected) {
  ImageRegionCtrlState state;
  RegionSet& set = state.Regions();
  set.polygons = {{{10, 10}, {50, 10}, {30, 40}}};
  set.polygonIds = {"Red"};
  set.rectangles = {{0, 0, 5, 5}, {6, 6, 9, 9}};
  set.rectangleIds = {"Blue", "Red"};
  ClickPolygon(state, {{1, 1}, {2, 2}});
  state.SetHighlightedRegion("Red");
  const auto edit = BuildPaintList(state);
  EXPECT_EQ(Pens(edit), (std::vector<RegionPen>{RegionPen::Region, RegionPen::Drawing, RegionPen::Region,
                                                RegionPen::Region, RegionPen::Highlight}));
  EXPECT_FALSE(edit[1].closed);
  EXPECT_EQ(edit[4].polygon, &set.polygons[0]);  // the polygon of Red, not its rectangle

  state.SetUsage(USAGE_SELECT);
  EXPECT_TRUE(BuildPaintList(state).empty());
  state.SetRegionSelected("Blue", true);
  state.SetRegionSelected("Green", true);  // no region: nothing drawn
  const auto select = BuildPaintList(state);
  ASSERT_EQ(select.size(), 1u);
  EXPECT_EQ(select[0].polygon, nullptr);
  EXPECT_EQ(select[0].rectangle, (RegionRect{0, 0, 5, 5}));
  state.SetRegionSelected("Blue", false);
  EXPECT_TRUE(BuildPaintList(state).empty());
}

TEST(RegionDrawing, RandomGesturesKeepTheRegionSetWhole) {
  ImageRegionCtrlState state;
  int stored = 0;
  unsigned seed = 12345;
  auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<unsigned>(range));
  };
  for (int step = 0; step < 20000; ++step) {
    const RegionPoint point{next(300) - 50, next(300) - 50};
    switch (next(9)) {
      case 0:
        state.Press(point);
        break;
      case 1:
      case 2:
        state.Move(point);
        break;
      case 3:
        state.Release(point);
        break;
      case 4:
        stored += state.AddCurrentRegion("R" + std::to_string(next(5)));
        break;
      case 5:
        state.DeleteRegion("R" + std::to_string(next(5)));
        break;
      case 6:
        state.SetShapeKind(next(2) ? SHAPE_POLYGON : SHAPE_RECTANGLE);
        break;
      case 7:
        state.HoverTick();
        break;
      default:
        state.SetUsage(next(4) ? USAGE_EDIT : USAGE_SELECT);
        break;
    }
  }
  const RegionSet& set = state.Regions();
  ASSERT_EQ(set.polygons.size(), set.polygonIds.size());
  ASSERT_EQ(set.rectangles.size(), set.rectangleIds.size());
  EXPECT_GT(stored, 100) << "the gestures drew shapes";
  for (const RegionPolygon& polygon : set.polygons) EXPECT_GE(polygon.size(), 3u);
  for (const RegionRect& rect : set.rectangles) EXPECT_FALSE(RectIsEmpty(rect));
}
