// Speed of the report pages on a database at the limits: 32000 items x
// 16000 attributes in 400 menus, 5% of the attribute bits set.
#include <benchmark/benchmark.h>

#include "GeneratedDatabase.h"
#include "HardwareLimits.h"
#include "reports/Action.h"
#include "reports/ReportAnalize.h"
#include "reports/ReportCommonAttributes.h"
#include "reports/ReportItemItem.h"
#include "reports/ReportItems.h"
#include "reports/ReportOptions.h"
#include "reports/ReportUnusual.h"

namespace {

CZAVDoc& LargeDatabase() {
  static std::unique_ptr<CZAVDoc> doc = [] {
    auto d = MakeGeneratedDatabase(32000, 16000, 401, 0.05, 11);
    d->m_itemListOptions = ItemListOptions::Shared().DocumentCopy();
    d->m_itemListOptions[kListThumbnail] = 0;
    d->ResetItemStates(false);
    d->UpdateRemainingItems();
    d->UpdateAttributeCounts();
    return d;
  }();
  return *doc;
}

template <class Report, class... Args>
void RunReport(benchmark::State& state, Args... args) {
  CZAVDoc& doc = LargeDatabase();
  for (auto _ : state) {
    Report report(doc, args...);
    report.Execute(nullptr, kFirstPage);
    benchmark::DoNotOptimize(report.Kind());
  }
}

// The same, judged by one stream of the matrix measured just before; `before`
// runs untimed ahead of each page.
template <class Report, class Before, class... Args>
void RunReportBesideStreamAfter(benchmark::State& state, Before before, Args... args) {
  CZAVDoc& doc = LargeDatabase();
  const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  hardware_limits::RatioClock clock(hardware_limits::StreamMs(std::size_t{layout.totalWords()} * sizeof(DWORD)));
  for (auto _ : state) {
    before(doc);
    clock.Start();
    Report report(doc, args...);
    report.Execute(nullptr, kFirstPage);
    benchmark::DoNotOptimize(report.Kind());
    clock.Stop();
  }
  clock.Report(state, "_stream");
}

template <class Report, class... Args>
void RunReportBesideStream(benchmark::State& state, Args... args) {
  RunReportBesideStreamAfter<Report>(
      state, [](CZAVDoc&) {}, args...);
}

void BM_MenuAnalysis(benchmark::State& state) { RunReportBesideStream<CReportAnalize>(state); }
// The first analysis after a change of the data, once the tree has counted
// the attributes again: it also rebuilds the menu-data matrix.
void BM_MenuAnalysisAfterAnEdit(benchmark::State& state) {
  RunReportBesideStreamAfter<CReportAnalize>(state, [](CZAVDoc& doc) {
    doc.InvalidateCountBasis();
    doc.UpdateAttributeCounts();
  });
}
void BM_DistinctiveAttributes(benchmark::State& state) { RunReportBesideStream<CReportUnusual>(state, 12345); }
void BM_CommonAttributes(benchmark::State& state) { RunReport<CReportCommonAttributes>(state); }
void BM_ItemListFirstPage(benchmark::State& state) { RunReport<CReportItems>(state); }

void BM_ItemPageAllAttributes(benchmark::State& state) {
  ItemOptions::Shared().data = 1;
  ItemOptions::Shared().dataAll = 1;
  RunReport<CReportItemItem>(state, 12345);
}

}  // namespace

BENCHMARK(BM_MenuAnalysis)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MenuAnalysisAfterAnEdit)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DistinctiveAttributes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CommonAttributes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ItemListFirstPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ItemPageAllAttributes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
