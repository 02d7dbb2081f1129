// Database → Merge as the user waits for it: two databases of 16000 items x
// 8000 attributes opened from their files, merged, and the result saved.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "GeneratedDatabase.h"
#include "database/DatabaseMerge.h"
#include "database/DatabaseMergeRun.h"
#include "database/XmlDump.h"

namespace {

constexpr int kItems = 16000;
constexpr int kAttributes = 8000;
constexpr int kMenus = 200;

enum Variant { kTwoVersions, kNewItems, kNewItemsAndMenus };

// The second key: the same key with other data (two versions of one key),
// or with every item renamed, and its menus too.
std::unique_ptr<CZAVDoc> MakeSecondKey(Variant variant) {
  auto doc = MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.1, 2);
  if (variant == kTwoVersions) return doc;
  for (auto& entry : doc->m_speciesNames) entry->name = "other " + entry->name;
  for (auto& entry : doc->m_itemNames) entry->name = "Other " + entry->name;
  if (variant == kNewItemsAndMenus)
    for (int m = 1; m < doc->MenuCount(); ++m) doc->GetMenu(m).title = "Other " + doc->GetMenu(m).title;
  return doc;
}

void BM_MergeDatabaseFiles(benchmark::State& state) {
  const auto variant = static_cast<Variant>(state.range(0));
  const auto folder = std::filesystem::temp_directory_path() / ("qor-merge-bench-" + std::to_string(variant));
  std::filesystem::create_directories(folder);
  const std::string first = (folder / "first.qor").string();
  const std::string second = (folder / "second.qor").string();
  const std::string output = (folder / "first_merge.qor").string();
  if (!MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.1, 1)->OnSaveDocument(first) ||
      !MakeSecondKey(variant)->OnSaveDocument(second)) {
    state.SkipWithError("the databases could not be written");
    return;
  }
  MergeRunResult result;
  for (auto _ : state) {
    result = RunDatabaseMerge(first, second, output);
    if (!result.written) state.SkipWithError("the merge wrote nothing");
    // The output's dump, gigabytes on their way to the disk, would slow the
    // next merge, which a user's merge never waits for.
    state.PauseTiming();
    WaitForXmlDump();
    std::filesystem::remove("TEST.qorx");
    state.ResumeTiming();
  }
  state.counters["matched"] = result.counts.itemsMatched;
  state.counters["added"] = result.counts.itemsAdded;
  CZAVDoc merged;
  if (merged.OnOpenDocument(output)) {
    state.counters["items"] = merged.ItemCount();
    state.counters["attributes"] = merged.AttributeCount();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_MergeDatabaseFiles)
    ->Arg(kTwoVersions)
    ->Arg(kNewItems)
    ->Arg(kNewItemsAndMenus)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The merge alone, both keys in memory: what is left of the time above
// once opening and saving are taken out.
void BM_MergeInMemory(benchmark::State& state) {
  const auto second = MakeSecondKey(static_cast<Variant>(state.range(0)));
  MergeCounts counts;
  for (auto _ : state) {
    state.PauseTiming();
    auto first = MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.1, 1);
    state.ResumeTiming();
    DatabaseMerge merge(*first, *second);
    merge.Run();
    counts = merge.Counts();
  }
  state.counters["matched"] = counts.itemsMatched;
  state.counters["added"] = counts.itemsAdded;
}
BENCHMARK(BM_MergeInMemory)
    ->Arg(kTwoVersions)
    ->Arg(kNewItems)
    ->Arg(kNewItemsAndMenus)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
