// Regions on a menu's picture, one attribute each, kept in a text file
// beside the picture ("<picture>.regions"): three lines a region (id,
// "poly" or "rect", coordinates). Also the HTML image map made from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "database/RegionAttributes.h"

class KeyFolderWriter;

// The largest coordinate a region file gives, either sign: far outside any
// picture the program shows, and small enough that sums and differences of
// two coordinates (right - 1, a corner moved by the scroll origin) stay well
// inside 32 bits.
inline constexpr std::int32_t kRegionCoordinateLimit = 1 << 22;

struct RegionPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const RegionPoint&) const = default;
};

struct RegionRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const RegionRect&) const = default;
};

using RegionPolygon = std::vector<RegionPoint>;

// A region set: polygon k has polygon id k, rectangle k rectangle id k.
struct RegionSet {
  std::vector<RegionPolygon> polygons;
  std::vector<RegionRect> rectangles;
  std::vector<std::string> polygonIds;
  std::vector<std::string> rectangleIds;
  bool operator==(const RegionSet&) const = default;
};

// A region file comes with a key. The editor writes one region for each
// attribute of a menu, and a menu holds at most 16000 attributes; a file
// larger than a few megabytes or with more regions is no region file.
inline constexpr std::size_t kMaxRegionFileBytes = std::size_t{16} << 20;
inline constexpr std::size_t kMaxRegionsPerFile = 16000;

// Appends the regions of the file (lines end in CRLF or LF), each
// coordinate clamped to the limit above. A missing file leaves the set as it
// is; the result is still true. A file that is refused (no plain file of its
// own folder, larger than the bound, more regions than the bound) leaves the
// set as it is too, and gives false with the reason.
bool ReadRegions(const std::string& regionsPath, RegionSet& regions, std::string& error);
// The same where nobody asked: a refused file reads as a missing one.
bool ReadRegions(const std::string& regionsPath, RegionSet& regions);
// The file's text from a region set, CRLF line ends.
std::string FormatRegions(const RegionSet& regions);
// Writes the file through a temporary file and a rename; false (old file
// kept) when it cannot be written or the folder's writer refuses it (a link,
// a folder leading out). Without a writer the file's own folder is the bound.
bool WriteRegions(const KeyFolderWriter& folder, const std::string& regionsPath, const RegionSet& regions);
bool WriteRegions(const std::string& regionsPath, const RegionSet& regions);

// The name an image map of a menu titled `title` goes by, safe inside a
// quoted attribute as it stands: " < > & become "_". The picture's usemap
// and the map's own name both come from here, so the browser pairs them.
std::string ImageMapName(const std::string& title);

// The HTML image map of the regions in the file, each area a "qorattr:" link,
// named ImageMapName(mapName).
std::string MakeImageMap(const std::string& regionsPath, const std::string& mapName);

// Escapes (encode) or restores the link characters % blank + " ' (and & < >);
// decoding is the exact inverse of encoding.
std::string EscapeLinkId(const std::string& text, bool encode);

// The folder part of path (up to its last "\" or "/") joined with the
// first name of a ";"-separated list.
std::string MakeSiblingPath(const std::string& path, const std::string& names);
