// The XML dump "TEST.qorx" of a database of 32000 items x 16000 attributes,
// and the open of that database as the calling thread sees it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/GeneratedDatabase.h"
#include "database/Archive.h"

namespace {

constexpr int kItems = 32000;
constexpr int kAttributes = 16000;

CZAVDoc& LargeDatabase() {
  static auto doc = MakeGeneratedDatabase(kItems, kAttributes, 2000, 0.10, 42);
  return *doc;
}

// The dumps are written into the current folder.
void EnterScratchFolder() {
  static const bool entered = [] {
    const auto folder = std::filesystem::temp_directory_path() / "qor-xml-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    return true;
  }();
  (void)entered;
}

void BM_XmlDumpToFile(benchmark::State& state) {
  EnterScratchFolder();
  CZAVDoc& doc = LargeDatabase();
  for (auto _ : state) doc.WriteXmlDump();
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size("TEST.qorx")) / 1e6;
}
BENCHMARK(BM_XmlDumpToFile)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenLargeDatabase(benchmark::State& state) {
  EnterScratchFolder();
  CArchive ar;
  LargeDatabase().StoreFields(ar);
  const auto bytes = ar.TakeBytes();
  for (auto _ : state) {
    CZAVDoc doc;
    if (doc.LoadFromBytes(bytes.data(), bytes.size()) != CZAVDoc::LoadResult::Ok) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_OpenLargeDatabase)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
