// Keeps a resizable dialog's controls in place as its client area changes:
// each control follows the edges it is anchored to, or stays centred.
#pragma once

#include <vector>

#include "database/ImageRegion.h"

enum AnchorFlags : unsigned {
  ANCHOR_TOP = 1,
  ANCHOR_LEFT = 2,
  ANCHOR_RIGHT = 4,
  ANCHOR_BOTTOM = 8,
  PIN_TOP = 0x100,    // top edge = the client's top
  PIN_LEFT = 0x200,   // left edge = the client's left
  PIN_RIGHT = 0x400,  // right edge = the client's right
  PIN_BOTTOM = 0x800  // bottom edge = the client's bottom
};

struct AnchoredControl {
  int id = 0;
  unsigned flags = 0;
  RegionRect rect;  // in the dialog's client coordinates
};

class CAnchorLayout {
 public:
  // Starts over for a dialog whose client area is the rectangle.
  void Attach(const RegionRect& client);
  void AddControl(int id, unsigned flags, const RegionRect& rect);
  // Moves every control for the new client area; returns the controls with
  // their new rectangles, in the order they were added.
  const std::vector<AnchoredControl>& Relayout(const RegionRect& newClient);
  const std::vector<AnchoredControl>& Controls() const { return m_controls; }

 private:
  RegionRect m_client;
  std::vector<AnchoredControl> m_controls;
};
