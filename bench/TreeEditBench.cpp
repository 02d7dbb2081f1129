// Sorting a menu of 1000 attributes from the tree at the size limits
// (32000 items x 16000 attributes in 16 menus of 1000): the node and child
// list rebuild and the tail that follows every structural change (data bits,
// modified flag, the current page again); argument 1 with "Allow Missing
// Data" on, whose data bits are rebuilt by the tail.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "GeneratedDatabase.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "reports/Action.h"
#include "reports/ReportPages.h"
#include "shell/MenuTree.h"
#include "shell/MenuTreeEditing.h"

namespace {

constexpr int kItems = 32000, kAttributes = 16000, kMenus = 17;

struct Html : IHtmlView {
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction>) override { bytes += html.size(); }
  std::size_t bytes = 0;
};

void BM_SortMenuOf1000Attributes(benchmark::State& state) {
  auto doc = MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.10, 7);
  Html html;
  doc->AttachViews(&html, nullptr, nullptr);
  InstallReportPageFactory();
  doc->m_missingData = static_cast<BYTE>(state.range(0));
  doc->ResetItemStates(false);
  doc->UpdateRemainingItems();
  CMenuTree tree(*doc);
  tree.OnInitialUpdate();
  doc->m_reportKind = 8;  // the attribute page is shown
  doc->m_reportArgument = 0;
  const HTREEITEM menuNode = tree.Nodes().Children(tree.MenuRoot()).front();
  CQMenudata& menu = doc->GetMenu(static_cast<int>(tree.Nodes().Data(menuNode)));
  CMenuTreeEditing editing(tree);
  for (auto _ : state) {
    state.PauseTiming();
    std::reverse(menu.children.begin(), menu.children.end());  // sorted backwards
    tree.DeleteChildren(menuNode);
    tree.BuildMenuSubtree(menuNode, static_cast<int>(tree.Nodes().Data(menuNode)));
    state.ResumeTiming();
    editing.SortAttributeMenu(menuNode);
  }
  if (!std::is_sorted(menu.children.begin(), menu.children.end())) state.SkipWithError("not sorted");
  doc->AttachViews(nullptr, nullptr, nullptr);
}

}  // namespace

BENCHMARK(BM_SortMenuOf1000Attributes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
