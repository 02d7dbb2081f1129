// Adding, compacting, naming and dumping on generated databases.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "GeneratedDatabase.h"
#include "database/UtilityFunction.h"

namespace {

// Compaction and dumps write their files into the current folder.
void UseTemporaryFolder() {
  static const bool done = [] {
    const auto folder = std::filesystem::temp_directory_path() / "qor-items-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    return true;
  }();
  (void)done;
}

void BM_AddItem(benchmark::State& state) {
  UseTemporaryFolder();
  const int items = static_cast<int>(state.range(0));
  auto doc = MakeGeneratedDatabase(items, 300, 20, 0.1, 1);
  int n = 0;
  for (auto _ : state) {
    doc->AddItem({}, "species", "Common " + std::to_string(n), "Genus", "Family", {});
    ++n;
  }
}
BENCHMARK(BM_AddItem)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_CompactEveryTenthCut(benchmark::State& state) {
  UseTemporaryFolder();
  const int items = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = MakeGeneratedDatabase(items, 300, 20, 0.1, 2);
    for (int i = 0; i < items; i += 10) doc->CutItem(i);
    state.ResumeTiming();
    doc->CompactItems();
    benchmark::DoNotOptimize(doc->ItemCount());
  }
}
BENCHMARK(BM_CompactEveryTenthCut)->Arg(1000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_DisplayNamesOfAllItems(benchmark::State& state) {
  auto doc = MakeGeneratedDatabase(10000, 50, 5, 0.1, 3);
  for (auto _ : state)
    for (int i = 0; i < doc->ItemCount(); ++i) benchmark::DoNotOptimize(GetItemDisplayName(*doc, i));
}
BENCHMARK(BM_DisplayNamesOfAllItems)->Unit(benchmark::kMillisecond);

void BM_XmlDump(benchmark::State& state) {
  auto doc = MakeGeneratedDatabase(static_cast<int>(state.range(0)), 300, 20, 0.1, 4);
  for (auto _ : state) benchmark::DoNotOptimize(doc->WriteXml());
}
BENCHMARK(BM_XmlDump)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
