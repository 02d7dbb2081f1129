// Where a menu picture's regions are kept, and whether a path names a
// picture at all.
#pragma once

#include <string>

// A path names a picture only when it has a file name; a menu without a
// picture gives the database's folder, whose regions must never be read or
// written (they would be a file named ".regions").
bool IsRegionPicturePath(const std::string& picturePath);

// The picture's full path with ".regions" appended.
inline std::string RegionsPathOf(const std::string& picturePath) { return picturePath + ".regions"; }

// What the region dialogs tell when a region file is refused, naming it.
inline std::string RegionFileRefusedText(const std::string& regionsPath, const std::string& reason) {
  return "Cannot read the region file \"" + regionsPath + "\": " + reason + ".";
}
