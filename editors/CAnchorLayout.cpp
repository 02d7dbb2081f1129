#include "editors/CAnchorLayout.h"

namespace {

// One axis: the edges low/high of a control, anchored by the two flags.
void MoveEdges(int& low, int& high, bool lowAnchor, bool highAnchor, int farEdgeChange, int halfExtentChange) {
  if (lowAnchor && highAnchor) {
    high += farEdgeChange;
  } else if (highAnchor) {
    low += farEdgeChange;
    high += farEdgeChange;
  } else if (!lowAnchor) {
    low += halfExtentChange;
    high += halfExtentChange;
  }
}

int Width(const RegionRect& r) { return r.right - r.left; }
int Height(const RegionRect& r) { return r.bottom - r.top; }

}  // namespace

void CAnchorLayout::Attach(const RegionRect& client) {
  m_client = client;
  m_controls.clear();
}

void CAnchorLayout::AddControl(int id, unsigned flags, const RegionRect& rect) {
  m_controls.push_back({id, flags, rect});
}

const std::vector<AnchoredControl>& CAnchorLayout::Relayout(const RegionRect& newClient) {
  const int rightChange = newClient.right - m_client.right;
  const int bottomChange = newClient.bottom - m_client.bottom;
  const int halfWidthChange = Width(newClient) / 2 - Width(m_client) / 2;
  const int halfHeightChange = Height(newClient) / 2 - Height(m_client) / 2;
  for (AnchoredControl& control : m_controls) {
    RegionRect& r = control.rect;
    const unsigned f = control.flags;
    MoveEdges(r.left, r.right, f & ANCHOR_LEFT, f & ANCHOR_RIGHT, rightChange, halfWidthChange);
    MoveEdges(r.top, r.bottom, f & ANCHOR_TOP, f & ANCHOR_BOTTOM, bottomChange, halfHeightChange);
    if (f & PIN_TOP) r.top = newClient.top;
    if (f & PIN_LEFT) r.left = newClient.left;
    if (f & PIN_RIGHT) r.right = newClient.right;
    if (f & PIN_BOTTOM) r.bottom = newClient.bottom;
  }
  m_client = newClient;
  return m_controls;
}
