// One mark through the real panes at the size limits (32000 items x 16000
// attributes): the tree, the item list and the page, as the user waits for
// them after choosing "Mark Yes" or "Mark Clear" on an attribute. Each round
// is one mark; the rounds take turns between marking and clearing it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

#include "bench/GeneratedDatabase.h"
#include "reports/Report.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "tree/SmallKey.h"

namespace {

struct LimitPanes {
  LimitPanes() : doc(MakeGeneratedDatabase(32000, 16000, 2000, 0.10, 7)) {
    doc->ResetItemStates(false);
    doc->UpdateRemainingItems();
    tree = std::make_unique<CLeftView>(*doc);
    list = std::make_unique<CItemListView>(*doc);
    doc->AttachViews(&html, tree.get(), list.get());
    doc->InstallReportDriver();
    doc->m_reportKind = kReportItemDescription;
    tree->resize(400, 600);
    list->resize(300, 300);
    tree->show();
    list->show();
    tree->SetCtrlQuery([] { return false; });
    QApplication::processEvents();
  }
  ~LimitPanes() { doc->AttachViews(nullptr, nullptr, nullptr); }

  ScriptedUi ui;
  std::unique_ptr<CZAVDoc> doc;
  RecordingHtml html;
  std::unique_ptr<CLeftView> tree;
  std::unique_ptr<CItemListView> list;
};

LimitPanes& Panes() {
  static LimitPanes* panes = new LimitPanes;
  return *panes;
}

void BM_MarkThroughPanes(benchmark::State& state) {
  LimitPanes& panes = Panes();
  const int attribute = panes.doc->GetMenu(10).children[0];
  panes.tree->SelectNode(panes.tree->Tree().FindAttributeNode(attribute));
  QApplication::processEvents();
  bool marked = false;
  for (auto _ : state) {
    if (marked) panes.tree->OnMarkClear();
    else panes.tree->OnMarkYes();
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
