// Helpers of the region tests: reading files back, the current folder, and
// mouse gestures on the control's state.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editors/ImageRegionCtrlState.h"
#include "fakes/TempFolder.h"

namespace regions_test {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs the test's body with the process's current folder set to the folder.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder) : m_old(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentFolder() { std::filesystem::current_path(m_old); }

 private:
  std::filesystem::path m_old;
};

inline void Click(ImageRegionCtrlState& state, RegionPoint at) {
  state.Press(at);
  state.Release(at);
}

inline void Drag(ImageRegionCtrlState& state, RegionPoint from, RegionPoint to) {
  state.Press(from);
  state.Move({(from.x + to.x) / 2, (from.y + to.y) / 2});
  state.Move(to);
  state.Release(to);
}

// Draws a closed shape of the points by clicks in polygon mode.
inline void ClickPolygon(ImageRegionCtrlState& state, std::initializer_list<RegionPoint> points) {
  for (RegionPoint point : points) Click(state, point);
}

}  // namespace regions_test
