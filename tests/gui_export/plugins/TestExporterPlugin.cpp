#include "TestExporterPlugin.h"

#include <QThread>

namespace {

class TestExporter : public QORExporter {
 public:
  explicit TestExporter(TestExporterPlugin& plugin) : m_plugin(plugin) { Log("created"); }
  ~TestExporter() override { Log("released"); }

  ExportCallResult SetParentWindow(std::intptr_t window) override {
    return Log(window ? "SetParentWindow" : "SetParentWindow 0");
  }
  ExportCallResult SetDatabaseFolder(const std::string& folder) override { return Log("SetDatabaseFolder " + folder); }
  ExportCallResult SetDatabaseName(const std::string& name) override { return Log("SetDatabaseName " + name); }
  ExportCallResult GetWantsFile(bool& wantsFile) override {
    wantsFile = m_plugin.m_wantsFile;
    return Log("GetWantsFile");
  }
  ExportCallResult GetFileFilter(std::string& filter) override {
    filter = "Test files|*.tst;*.test|All files|*||";
    return Log("GetFileFilter");
  }
  ExportCallResult GetDefaultFileName(std::string& fileName) override {
    fileName = "out.tst";
    return Log("GetDefaultFileName");
  }
  ExportCallResult SetFilePath(const std::string& path) override { return Log("SetFilePath " + path); }
  ExportCallResult BeginExport() override { return Log("BeginExport"); }
  ExportCallResult BeginElement(const std::string& name, std::int32_t index) override {
    return Element(name, "BeginElement " + name + " " + std::to_string(index));
  }
  ExportCallResult AddElement(const std::string& name, const std::string& value, std::int32_t index) override {
    return Element(name, "AddElement " + name + " " + value + " " + std::to_string(index));
  }
  ExportCallResult EndElement(const std::string& name) override { return Log("EndElement " + name); }
  ExportCallResult EndExport() override { return Log("EndExport"); }

 private:
  ExportCallResult Log(const std::string& line) {
    m_plugin.m_calls << QString::fromStdString(line);
    return {};
  }
  ExportCallResult Element(const std::string& name, const std::string& line) {
    Log(line);
    if (m_plugin.m_elementDelay > 0) QThread::msleep(static_cast<unsigned long>(m_plugin.m_elementDelay));
    if (QString::fromStdString(name) == m_plugin.m_failAt) return ExportCallResult::Failure("refused " + name);
    return {};
  }

  TestExporterPlugin& m_plugin;
};

}  // namespace

std::unique_ptr<QORExporter> TestExporterPlugin::CreateExporter() { return std::make_unique<TestExporter>(*this); }
