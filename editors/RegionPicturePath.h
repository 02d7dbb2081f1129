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
