// The interface every exporter implements. The program does not write
// export formats itself: an exporter is told about the database and, when
// it asks for one, a target file, and then receives the whole database as a
// tree of named elements. Exporters are built as libraries of their own, so
// this header needs nothing but the standard library.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

// What every call answers: success, or failure with the exporter's own
// description of what went wrong (shown to the user as it is).
struct ExportCallResult {
  bool ok = true;
  std::string error;

  static ExportCallResult Success() { return {}; }
  static ExportCallResult Failure(std::string text) { return {false, std::move(text)}; }
};

// The calls come in this order: the parent window, the database's name and
// folder, the wants-file question (and, when it wants one, the file filter,
// the default file name and the chosen path), then BeginExport, the element
// calls nested as begin ... end, and EndExport. All strings are UTF-8.
class QORExporter {
 public:
  virtual ~QORExporter() = default;

  // The program's main window, for the exporter's own dialogs.
  virtual ExportCallResult SetParentWindow(std::intptr_t window) = 0;
  // The database's folder, ending in a separator.
  virtual ExportCallResult SetDatabaseFolder(const std::string& folder) = 0;
  // The database file's name without folder and extension.
  virtual ExportCallResult SetDatabaseName(const std::string& name) = 0;
  // True when the program should ask the user for a target file.
  virtual ExportCallResult GetWantsFile(bool& wantsFile) = 0;
  // Descriptions and patterns in pairs, each part followed by "|".
  virtual ExportCallResult GetFileFilter(std::string& filter) = 0;
  virtual ExportCallResult GetDefaultFileName(std::string& fileName) = 0;
  // The full path the user chose.
  virtual ExportCallResult SetFilePath(const std::string& path) = 0;
  virtual ExportCallResult BeginExport() = 0;
  // An element that contains further elements; index: the menu, attribute,
  // item or reference it stands for, -1 for none.
  virtual ExportCallResult BeginElement(const std::string& name, std::int32_t index) = 0;
  // One element with a text value.
  virtual ExportCallResult AddElement(const std::string& name, const std::string& value, std::int32_t index) = 0;
  // Closes the element of that name.
  virtual ExportCallResult EndElement(const std::string& name) = 0;
  virtual ExportCallResult EndExport() = 0;
};
