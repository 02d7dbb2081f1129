#include "exporters/xml/XmlExporter.h"

ExportCallResult XmlExporter::Result(bool ok) const {
  return ok ? ExportCallResult::Success() : ExportCallResult::Failure(m_writer ? m_writer->Error() : "");
}

ExportCallResult XmlExporter::SetDatabaseName(const std::string& name) {
  m_name = name;
  return {};
}

ExportCallResult XmlExporter::GetWantsFile(bool& wantsFile) {
  wantsFile = true;
  return {};
}

ExportCallResult XmlExporter::GetFileFilter(std::string& filter) {
  filter = "XML Files|*.xml|All Files|*||";
  return {};
}

ExportCallResult XmlExporter::GetDefaultFileName(std::string& fileName) {
  fileName = (m_name.empty() ? std::string("database") : m_name) + ".xml";
  return {};
}

ExportCallResult XmlExporter::SetFilePath(const std::string& path) {
  m_path = path;
  return {};
}

ExportCallResult XmlExporter::BeginExport() {
  m_writer = std::make_unique<XmlElementWriter>();
  return Result(m_writer->Open(m_path));
}

ExportCallResult XmlExporter::BeginElement(const std::string& name, std::int32_t index) {
  if (!m_writer) return ExportCallResult::Failure("The export has not begun.");
  return Result(m_writer->Begin(name, index));
}

ExportCallResult XmlExporter::AddElement(const std::string& name, const std::string& value, std::int32_t index) {
  if (!m_writer) return ExportCallResult::Failure("The export has not begun.");
  return Result(m_writer->Add(name, value, index));
}

ExportCallResult XmlExporter::EndElement(const std::string& name) {
  if (!m_writer) return ExportCallResult::Failure("The export has not begun.");
  return Result(m_writer->End(name));
}

ExportCallResult XmlExporter::EndExport() {
  if (!m_writer) return ExportCallResult::Failure("The export has not begun.");
  return Result(m_writer->Commit());
}
