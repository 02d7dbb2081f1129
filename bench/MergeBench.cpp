// Merging two generated databases of 16000 items x 8000 attributes.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "GeneratedDatabase.h"
#include "database/DatabaseMerge.h"

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

void BM_MergeDatabases(benchmark::State& state) {
  const auto variant = static_cast<Variant>(state.range(0));
  const auto second = MakeSecondKey(variant);
  for (auto _ : state) {
    state.PauseTiming();
    auto first = MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.1, 1);
    state.ResumeTiming();
    DatabaseMerge merge(*first, *second);
    merge.Run();
    benchmark::DoNotOptimize(merge.Counts());
  }
}
BENCHMARK(BM_MergeDatabases)
    ->Arg(kTwoVersions)
    ->Arg(kNewItems)
    ->Arg(kNewItemsAndMenus)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
