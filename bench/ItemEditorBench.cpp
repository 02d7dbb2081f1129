// The item editor's work on a database at the limits (32000 items x 16000
// attributes): loading an item's fields, and storing a new item with its
// sorted name entries, the index shift, the evaluation and the list's rows.
#include <benchmark/benchmark.h>

#include "GeneratedDatabase.h"
#include "editors/ItemForm.h"
#include "editors/ItemStore.h"
#include "shell/ItemListRows.h"

namespace {

CZAVDoc& LimitDatabase() {
  // Room for the items a run adds below the 32000 limit.
  static const auto doc = [] {
    auto made = MakeGeneratedDatabase(31500, 16000, 2000, 0.10, 11);
    made->ResetItemStates(false);
    made->UpdateRemainingItems();
    return made;
  }();
  return *doc;
}

void BM_ItemEditorLoad(benchmark::State& state) {
  CZAVDoc& doc = LimitDatabase();
  int item = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(editors::LoadItemFields(doc, item));
    item = (item + 7919) % doc.ItemCount();
  }
}
BENCHMARK(BM_ItemEditorLoad)->Unit(benchmark::kMicrosecond);

void BM_ItemEditorStoreNewItem(benchmark::State& state) {
  CZAVDoc& doc = LimitDatabase();
  CItemListRows rows;
  int n = 0;
  for (auto _ : state) {
    editors::ItemFields fields;
    fields.name = "Mid name " + std::to_string(n++);
    const int item = editors::StoreItemFields(doc, -1, fields, editors::ItemFields{});
    doc.Reevaluate(true);
    rows.FillRows(doc);
    benchmark::DoNotOptimize(item);
  }
}
BENCHMARK(BM_ItemEditorStoreNewItem)->Iterations(100)->Unit(benchmark::kMillisecond);

}  // namespace
