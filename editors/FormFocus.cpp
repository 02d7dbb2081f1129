#include "editors/FormFocus.h"

#include <algorithm>

int MoveFormFocus(const std::vector<FormSpan>& controls, int focused, FocusKey key, int scroll, int clientHeight) {
  const int count = static_cast<int>(controls.size());
  if (count == 0) return -1;
  const int last = count - 1;
  focused = std::clamp(focused, 0, last);
  switch (key) {
    case FocusKey::Up:
      return focused == 0 ? last : focused - 1;
    case FocusKey::Down:
      return focused == last ? 0 : focused + 1;
    case FocusKey::Home:
      return 0;
    case FocusKey::End:
      return last;
    case FocusKey::PageUp: {
      int target = focused;
      while (target > 0 && controls[target].top - scroll >= 0) --target;
      return target;
    }
    case FocusKey::PageDown: {
      int target = focused;
      while (target < last && controls[target].top + controls[target].height - scroll <= clientHeight) ++target;
      return target;
    }
  }
  return focused;
}

int ScrollToShow(const FormSpan& control, int scroll, int clientHeight, int maximum) {
  const int top = control.top - scroll;
  if (top >= 0 && top + control.height <= clientHeight) return scroll;
  const int centred = scroll - (clientHeight / 2 - control.height / 2 - top);
  return std::clamp(centred, 0, std::max(0, maximum));
}
