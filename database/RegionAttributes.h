// The attributes of one menu that have regions on the menu's picture, as the
// region-selection dialog and its owners exchange them.
#pragma once

#include <string>
#include <vector>

struct RegionAttribute {
  std::string name;  // also the region's id
  int selected = 0;  // 0 or 1
  int attribute = -1;
};

struct MenuRegionAttributes {
  std::string title;
  std::string picturePath;  // full path of the menu's first picture
  int menu = -1;
  std::vector<RegionAttribute> attributes;  // in the order of the menu's child list
};
