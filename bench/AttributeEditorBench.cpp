// The item editors on the generated database at the limits: opening the
// attribute-data editor's form, stepping with a change stored and the
// item's page built, and Mark All over every remaining item.
#include <benchmark/benchmark.h>

#include "AttributeEditorBench.h"
#include "editors/AttributeFormLayout.h"
#include "editors/ItemAttributeEditor.h"
#include "editors/MarkAllInList.h"

namespace {

LimitDatabase& Limit(bool missingData) {
  static LimitDatabase plain(false);
  if (!missingData) return plain;
  static LimitDatabase lenient(true);
  return lenient;
}

void BM_AttributeEditorOpen(benchmark::State& state) {
  LimitDatabase& db = Limit(false);
  for (auto _ : state) {
    AttributeFormLayout form = LayOutAttributeForm(*db.doc);
    ItemAttributeEditor editor(*db.doc, db.list.ItemAtRow(100), 100);
    benchmark::DoNotOptimize(form.rows.size());
    benchmark::DoNotOptimize(editor.IsChecked(5));
  }
}
BENCHMARK(BM_AttributeEditorOpen)->Unit(benchmark::kMillisecond);

// Next with one check box changed: the store, the step and the item page.
void BM_AttributeEditorNextStoring(benchmark::State& state) {
  LimitDatabase& db = Limit(state.range(0) != 0);
  ItemAttributeEditor editor(*db.doc, db.list.ItemAtRow(0), 0);
  for (auto _ : state) {
    editor.SetChecked(7, !editor.IsChecked(7));
    editor.Next();
  }
}
BENCHMARK(BM_AttributeEditorNextStoring)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MarkAllRemaining(benchmark::State& state) {
  LimitDatabase& db = Limit(state.range(0) != 0);
  bool set = true;
  for (auto _ : state) {
    SetAttributeForListedItems(*db.doc, 9, set);
    set = !set;
  }
}
BENCHMARK(BM_MarkAllRemaining)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
