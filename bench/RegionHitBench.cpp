// The hover test of the region control over a crowded picture: 500 regions
// of 400 points each, the pointer outside all but the last.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "editors/RegionGeometry.h"

namespace {

// Star-shaped outlines of 400 points, laid out on a 25 x 20 grid of cells.
RegionSet CrowdedPicture() {
  RegionSet set;
  for (int region = 0; region < 500; ++region) {
    const int cx = (region % 25) * 80 + 40, cy = (region / 25) * 80 + 40;
    RegionPolygon outline;
    for (int k = 0; k < 400; ++k) {
      const double angle = 2 * std::numbers::pi * k / 400;
      const double radius = k % 2 ? 38 : 25;
      outline.push_back(
          {cx + static_cast<int>(radius * std::cos(angle)), cy + static_cast<int>(radius * std::sin(angle))});
    }
    set.polygons.push_back(std::move(outline));
    set.polygonIds.push_back("Region " + std::to_string(region));
  }
  return set;
}

void BM_RegionHitTest(benchmark::State& state) {
  const RegionSet set = CrowdedPicture();
  const RegionPoint lastCentre{24 * 80 + 40, 19 * 80 + 40};
  for (auto _ : state) {
    const std::string* id = FindRegionAt(set, lastCentre);
    benchmark::DoNotOptimize(id);
    if (!id || *id != "Region 499") state.SkipWithError("the last region was not hit");
  }
}
BENCHMARK(BM_RegionHitTest)->Unit(benchmark::kMicrosecond);

}  // namespace
