// Arbitrary bytes as a picture's ".regions" file: read into regions, made
// into the page's image map, written and read again. A set written once
// must read back as the same text, and every id must survive its link escape.
#include <string>

#include "database/ImageRegion.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

RegionSet ReadRegionText(const std::string& text) {
  const auto path =
      FuzzScratch::Get().Write("picture.regions", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  RegionSet regions;
  ReadRegions(path.string(), regions);
  return regions;
}

bool IdsSurviveLinkEscape(const std::vector<std::string>& ids) {
  for (const auto& id : ids)
    if (EscapeLinkId(EscapeLinkId(id, true), false) != id) return false;
  return true;
}

}  // namespace

FuzzVerdict FuzzRegionFile(const std::uint8_t* data, std::size_t size) {
  const RegionSet regions = ReadRegionText(std::string(reinterpret_cast<const char*>(data), size));
  MakeImageMap((FuzzScratch::Get().Path() / "picture.regions").string(), "map");
  const std::string written = FormatRegions(regions);
  if (FormatRegions(ReadRegionText(written)) != written) return FuzzVerdict::Violated;
  if (!IdsSurviveLinkEscape(regions.polygonIds) || !IdsSurviveLinkEscape(regions.rectangleIds))
    return FuzzVerdict::Violated;
  const bool any = !regions.polygons.empty() || !regions.rectangles.empty();
  return any ? FuzzVerdict::Accepted : FuzzVerdict::Rejected;
}
