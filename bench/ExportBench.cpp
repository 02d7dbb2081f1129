// Walking the largest database through an exporter that does nothing.
#include <benchmark/benchmark.h>

#include "GeneratedDatabase.h"
#include "editors/ExportTree.h"
#include "editors/QORExporter.h"

namespace {

class NullExporter : public QORExporter {
 public:
  long elements = 0;

  ExportCallResult SetParentWindow(std::intptr_t) override { return {}; }
  ExportCallResult SetDatabaseFolder(const std::string&) override { return {}; }
  ExportCallResult SetDatabaseName(const std::string&) override { return {}; }
  ExportCallResult GetWantsFile(bool& wantsFile) override {
    wantsFile = false;
    return {};
  }
  ExportCallResult GetFileFilter(std::string&) override { return {}; }
  ExportCallResult GetDefaultFileName(std::string&) override { return {}; }
  ExportCallResult SetFilePath(const std::string&) override { return {}; }
  ExportCallResult BeginExport() override { return {}; }
  ExportCallResult BeginElement(const std::string&, std::int32_t) override { return Count(); }
  ExportCallResult AddElement(const std::string&, const std::string&, std::int32_t) override { return Count(); }
  ExportCallResult EndElement(const std::string&) override { return Count(); }
  ExportCallResult EndExport() override { return {}; }

 private:
  ExportCallResult Count() {
    ++elements;
    return {};
  }
};

void BM_ExportTree(benchmark::State& state) {
  static const auto doc = MakeGeneratedDatabase(32000, 16000, 400, 0.1, 5);
  for (auto _ : state) {
    NullExporter exporter;
    int steps = 0;
    BuildExportTree(*doc, exporter, {}, [&](int done, int) { return (steps = done) >= 0; });
    state.counters["elements"] = static_cast<double>(exporter.elements);
    benchmark::DoNotOptimize(steps);
  }
}
BENCHMARK(BM_ExportTree)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
