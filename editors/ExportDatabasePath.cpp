#include "editors/ExportDatabasePath.h"

ExportDatabasePath ExportDatabasePath::Split(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  if (separator == std::string::npos) return {path, {}};
  const std::string fileName = path.substr(separator + 1);
  return {path.substr(0, separator + 1), fileName.substr(0, fileName.rfind('.'))};
}
