// One mark through the real panes at the size limits (32000 items x 16000
// attributes): the tree, the item list and the page, as the user waits for
// them after choosing "Mark Yes" or "Mark Clear" on an attribute. Each round
// is one mark; the rounds take turns between marking and clearing it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

#include "bench/qt/LimitPanes.h"
#include "reports/Report.h"
#include "shell/qt/ItemListBox.h"

namespace {

LimitPanes& Panes() {
  static LimitPanes* panes = [] {
    auto* made = new LimitPanes(2000);
    made->doc->InstallReportDriver();
    made->doc->m_reportKind = kReportItemDescription;
    made->tree->SetCtrlQuery([] { return false; });
    QApplication::processEvents();
    return made;
  }();
  return *panes;
}

void BM_MarkThroughPanes(benchmark::State& state) {
  LimitPanes& panes = Panes();
  const int attribute = panes.doc->GetMenu(10).children[0];
  panes.tree->SelectNode(panes.tree->Tree().FindAttributeNode(attribute));
  QApplication::processEvents();
  bool marked = false;
  for (auto _ : state) {
    if (marked)
      panes.tree->OnMarkClear();
    else
      panes.tree->OnMarkYes();
    QApplication::processEvents();  // the panes repaint
    marked = !marked;
  }
  if (marked) panes.tree->OnMarkClear();
  state.counters["rows"] = panes.list->ListBox().model()->rowCount();
}
BENCHMARK(BM_MarkThroughPanes)->Unit(benchmark::kMillisecond);

// Each round runs the refresh and lets the panes repaint.
void RefreshRounds(benchmark::State& state, const std::function<void(LimitPanes&)>& refresh) {
  LimitPanes& panes = Panes();
  for (auto _ : state) {
    refresh(panes);
    QApplication::processEvents();
  }
}

// The item list's refill alone, as a mark runs it twice.
void BM_ItemListFill(benchmark::State& state) {
  RefreshRounds(state, [](LimitPanes& panes) { panes.list->FillList(); });
}
BENCHMARK(BM_ItemListFill)->Unit(benchmark::kMillisecond);

// The tree's refresh alone: the counts, the images and the repaint.
void BM_TreeRefresh(benchmark::State& state) {
  RefreshRounds(state, [](LimitPanes& panes) { panes.tree->RefreshTree(); });
}
BENCHMARK(BM_TreeRefresh)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
