// The names of the four classification levels of a database and the file
// beside it that keeps them ("<database path>.levels.dat").
#pragma once

#include <string>

class LevelNames {
 public:
  std::string common;
  std::string family;
  std::string genus;
  std::string species;
  std::string path;       // database path + ".levels.dat"
  bool modified = false;
  bool inUse = false;
};
