// The scrolling arithmetic of the region control: a picture larger than
// three quarters of the screen scrolls; the bars' positions follow the
// requests of the scroll bars and the keyboard.
#pragma once

struct RegionSize {
  int width = 0;
  int height = 0;
  bool operator==(const RegionSize&) const = default;
};

struct ScrollBarSetup {
  bool needed = false;
  int range = 0;  // 0 to the picture's extent
  int page = 0;   // the visible extent
  bool operator==(const ScrollBarSetup&) const = default;
};

struct ScrollSetup {
  ScrollBarSetup horizontal;
  ScrollBarSetup vertical;
  RegionSize visible;
};

// Three quarters of the full-screen client area, whole-number division.
RegionSize MaxVisibleSize(RegionSize fullScreenClient);

// A bar is needed where the picture exceeds the visible maximum; the
// visible size is the picture clipped to that maximum.
ScrollSetup PlanScrollBars(RegionSize picture, RegionSize maxVisible);

// The largest position a bar can take plus one: the rightmost position
// shows the picture's far edge.
int ScrollLimit(const ScrollBarSetup& bar);

enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Thumb, ToStart, ToEnd, Finished };

// The bar's new position for a request; thumb is the position a thumb drag
// carries, clientExtent the control's client width (height).
int NextScrollPosition(ScrollRequest request, int old, int clientExtent, int limit, int thumb = 0);
