// Exporting the largest database through the XML exporter the program
// ships, the progress stepped as the export dialog steps its window.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "GeneratedDatabase.h"
#include "editors/ExportRun.h"
#include "exporters/xml/XmlExporter.h"

namespace {

void BM_XmlExport(benchmark::State& state) {
  static const auto doc = MakeGeneratedDatabase(32000, 16000, 400, 0.1, 5);
  const std::filesystem::path target = std::filesystem::temp_directory_path() / "qor-xml-export-bench.xml";
  for (auto _ : state) {
    XmlExporter exporter;
    exporter.SetFilePath(target.string());
    int refreshes = 0;
    const ExportRunResult result = StreamDatabase(*doc, exporter, {}, [&](int done, int) {
      refreshes += done % 10 == 0;  // the window redraws every tenth step
      return true;
    });
    if (!result.message.empty()) state.SkipWithError(result.message.c_str());
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(target)) / 1e6;
    state.counters["refreshes"] = refreshes;
  }
  std::filesystem::remove(target);
}
BENCHMARK(BM_XmlExport)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
