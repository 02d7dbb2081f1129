#include "editors/RegionScroll.h"

#include <algorithm>

namespace {
constexpr int kLineStep = 6;

ScrollBarSetup PlanBar(int pictureExtent, int maxVisible) {
  ScrollBarSetup bar;
  bar.needed = pictureExtent > maxVisible;
  if (bar.needed) {
    bar.range = pictureExtent;
    bar.page = maxVisible;
  }
  return bar;
}
}  // namespace

RegionSize MaxVisibleSize(RegionSize fullScreenClient) {
  return {3 * fullScreenClient.width / 4, 3 * fullScreenClient.height / 4};
}

ScrollSetup PlanScrollBars(RegionSize picture, RegionSize maxVisible) {
  ScrollSetup setup;
  setup.horizontal = PlanBar(picture.width, maxVisible.width);
  setup.vertical = PlanBar(picture.height, maxVisible.height);
  setup.visible = {std::min(picture.width, maxVisible.width), std::min(picture.height, maxVisible.height)};
  return setup;
}

int ScrollLimit(const ScrollBarSetup& bar) {
  if (!bar.needed) return 1;
  return std::max(bar.range - std::max(bar.page - 1, 0), 1);
}

int NextScrollPosition(ScrollRequest request, int old, int clientExtent, int limit, int thumb) {
  const int last = std::max(limit - 1, 0);
  int position = old;
  switch (request) {
    case ScrollRequest::LineBack:
      position = std::max(old - kLineStep, 0);
      break;
    case ScrollRequest::LineForward:
      position = std::min(old + kLineStep, last);
      break;
    case ScrollRequest::PageBack:
      position = old - clientExtent < 1 ? 0 : old - clientExtent;
      break;
    case ScrollRequest::PageForward:
      position = std::min(old + clientExtent, last);
      break;
    case ScrollRequest::Thumb:
      position = thumb;
      break;
    case ScrollRequest::ToStart:
      position = 0;
      break;
    case ScrollRequest::ToEnd:
      position = last;
      break;
    case ScrollRequest::Finished:
      break;
  }
  // The bar itself never takes a position outside its range.
  return std::clamp(position, 0, last);
}
