// Keyboard focus in the long scrolling forms of the item editors: where the
// navigation keys move the focus and how far the form scrolls so the
// focused control is seen. Positions are in form coordinates (pixels from
// the top of the whole form); the client area shows [scroll, scroll + height).
#pragma once

#include <vector>

struct FormSpan {
  int top = 0;
  int height = 0;
};

enum class FocusKey { Up, Down, PageUp, PageDown, Home, End };

// The control that gets the focus; Up on the first and Down on the last wrap
// around. -1 without controls.
int MoveFormFocus(const std::vector<FormSpan>& controls, int focused, FocusKey key, int scroll, int clientHeight);

// The scroll position after the control gained the focus: unchanged while
// it is wholly visible, else the one that centres it, within 0..maximum.
int ScrollToShow(const FormSpan& control, int scroll, int clientHeight, int maximum);

// The largest scroll position of a form of that height in that client area.
inline int ScrollMaximum(int contentHeight, int clientHeight) {
  return contentHeight > clientHeight ? contentHeight - clientHeight : 0;
}
