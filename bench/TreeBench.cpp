// One mark from the tree at the size limits (32000 items x 16000 attributes):
// the mark core with its evaluation, the tree's recount and images, two
// item-list refills and the report pages, against a page-recording view.
// Also the item list's fill of 32000 rows alone.
#include <benchmark/benchmark.h>

#include "GeneratedDatabase.h"
#include "shell/ItemListRows.h"
#include "shell/MenuTree.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "reports/Action.h"
#include "reports/ReportPages.h"

namespace {

constexpr int kItems = 32000, kAttributes = 16000, kMenus = 2000;

struct Html : IHtmlView {
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction>) override { bytes += html.size(); }
  std::size_t bytes = 0;
};

struct List : IItemListView {
  explicit List(CZAVDoc& d) : doc(d) {}
  void FillList() override { rows.FillRows(doc); }
  CZAVDoc& doc;
  CItemListRows rows;
};

struct Tree : ILeftView {
  explicit Tree(CMenuTree& t) : tree(t) {}
  void RefreshTree() override { tree.RefreshTree(); }
  CMenuTree& tree;
};

struct Setup {
  Setup() : doc(MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.10, 7)), tree(*doc), list(*doc), view(tree) {
    doc->AttachViews(&html, &view, &list);
    InstallReportPageFactory();  // the report pages, as the program installs them
    doc->ResetItemStates(false);
    doc->UpdateRemainingItems();
    tree.OnInitialUpdate();
    doc->m_reportKind = 7;  // the item page is shown
    doc->m_reportArgument = 0;
  }
  std::unique_ptr<CZAVDoc> doc;
  Html html;
  CMenuTree tree;
  List list;
  Tree view;
};

Setup& Database() {
  static Setup setup;
  return setup;
}

void BM_MarkFromTheTree(benchmark::State& state) {
  Setup& s = Database();
  const HTREEITEM node = s.tree.FindAttributeNode(s.doc->GetMenu(10).children[0]);
  int mark = MARK_YES;
  for (auto _ : state) {
    s.tree.MarkAttribute(mark, node, false);
    mark = mark == MARK_YES ? MARK_CLEAR : MARK_YES;
  }
  benchmark::DoNotOptimize(s.html.bytes);
}
BENCHMARK(BM_MarkFromTheTree)->Unit(benchmark::kMillisecond);

void BM_FillItemRows(benchmark::State& state) {
  Setup& s = Database();
  CItemListRows rows;
  for (auto _ : state) {
    rows.FillRows(*s.doc);
    benchmark::DoNotOptimize(rows.Rows().data());
  }
}
BENCHMARK(BM_FillItemRows)->Unit(benchmark::kMillisecond);

}  // namespace
