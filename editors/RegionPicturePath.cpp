#include "editors/RegionPicturePath.h"

bool IsRegionPicturePath(const std::string& picturePath) {
  return !picturePath.empty() && picturePath.back() != '\\' && picturePath.back() != '/';
}
