// The names of the four classification levels of a database and the file
// beside it that keeps them ("<database path>.levels.dat").
#pragma once

#include <string>

inline std::string LevelNamesFilePath(const std::string& databasePath) { return databasePath + ".levels.dat"; }

class LevelNames {
 public:
  std::string common;
  std::string family;
  std::string genus;
  std::string species;
  std::string path;  // database path + ".levels.dat"
  bool modified = false;
  bool inUse = false;

  void SetFilePath(const std::string& databasePath) { path = LevelNamesFilePath(databasePath); }
  // Reads the four names; a missing key gives the key's own name.
  void Load();
  // Writes the four names; false when the file could not be written.
  bool Save();
  bool Exists() const;
  void Remove() const;
};
