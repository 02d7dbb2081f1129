// An exporter that writes every call as one line of text and can be told
// to fail a given call.
#pragma once

#include <string>
#include <vector>

#include "editors/QORExporter.h"

class RecordingExporter : public QORExporter {
 public:
  std::vector<std::string> calls;
  int failAtCall = -1;  // the index in calls of the call that fails
  std::string failText = "Disk full";

  ExportCallResult SetParentWindow(std::intptr_t) override { return Record("parent"); }
  ExportCallResult SetDatabaseFolder(const std::string& folder) override { return Record("folder " + folder); }
  ExportCallResult SetDatabaseName(const std::string& name) override { return Record("name " + name); }
  ExportCallResult GetWantsFile(bool& wantsFile) override {
    wantsFile = false;
    return Record("wants-file");
  }
  ExportCallResult GetFileFilter(std::string& filter) override {
    filter = "Text|*.txt|";
    return Record("filter");
  }
  ExportCallResult GetDefaultFileName(std::string& fileName) override {
    fileName = "out.txt";
    return Record("default-name");
  }
  ExportCallResult SetFilePath(const std::string& path) override { return Record("path " + path); }
  ExportCallResult BeginExport() override { return Record("begin-export"); }
  ExportCallResult BeginElement(const std::string& name, std::int32_t index) override {
    return Record("begin " + name + " " + std::to_string(index));
  }
  ExportCallResult AddElement(const std::string& name, const std::string& value, std::int32_t index) override {
    return Record("add " + name + "=" + value + " " + std::to_string(index));
  }
  ExportCallResult EndElement(const std::string& name) override { return Record("end " + name); }
  ExportCallResult EndExport() override { return Record("end-export"); }

  // The element calls between the two given lines, both included.
  std::vector<std::string> Between(const std::string& first, const std::string& last) const {
    std::vector<std::string> part;
    bool inside = false;
    for (const auto& call : calls) {
      inside = inside || call == first;
      if (inside) part.push_back(call);
      if (inside && call == last) break;
    }
    return part;
  }

 private:
  ExportCallResult Record(std::string call) {
    calls.push_back(std::move(call));
    if (static_cast<int>(calls.size()) - 1 == failAtCall) return ExportCallResult::Failure(failText);
    return ExportCallResult::Success();
  }
};
