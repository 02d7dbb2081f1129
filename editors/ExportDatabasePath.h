// The database's name and folder as an exporter is told them.
#pragma once

#include <string>

struct ExportDatabasePath {
  std::string folder;  // up to and including the last separator
  std::string name;    // the file name up to its last ".", the whole file name without one

  // Either separator counts. A path without separator gives the whole path
  // as folder and an empty name; an unsaved database (empty path) gives both empty.
  static ExportDatabasePath Split(const std::string& path);
};
