// The exporter the program ships: the database's element tree as an XML
// file the user chooses, one element per element call.
#pragma once

#include <memory>

#include "editors/QORExporter.h"
#include "exporters/xml/XmlElementWriter.h"

class XmlExporter : public QORExporter {
 public:
  ExportCallResult SetParentWindow(std::intptr_t) override { return {}; }
  ExportCallResult SetDatabaseFolder(const std::string&) override { return {}; }
  ExportCallResult SetDatabaseName(const std::string& name) override;
  ExportCallResult GetWantsFile(bool& wantsFile) override;
  ExportCallResult GetFileFilter(std::string& filter) override;
  ExportCallResult GetDefaultFileName(std::string& fileName) override;
  ExportCallResult SetFilePath(const std::string& path) override;
  ExportCallResult BeginExport() override;
  ExportCallResult BeginElement(const std::string& name, std::int32_t index) override;
  ExportCallResult AddElement(const std::string& name, const std::string& value, std::int32_t index) override;
  ExportCallResult EndElement(const std::string& name) override;
  ExportCallResult EndExport() override;

 private:
  ExportCallResult Result(bool ok) const;

  std::string m_name;
  std::string m_path;
  std::unique_ptr<XmlElementWriter> m_writer;
};
