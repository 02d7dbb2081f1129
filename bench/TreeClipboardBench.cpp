// The tree's Copy and Paste of a menu of 2000 attributes at the size limits
// (32000 items x 16000 attributes), with what the tree does around the
// codec: the pasted branch's nodes, the tree's recount and images and the
// item list's refill. Target: 100 ms each. Each round frees the branch
// pasted last (untimed), so the key stays at the attribute limit.
#include <benchmark/benchmark.h>

#include "GeneratedDatabase.h"
#include "database/ZAVDoc.h"
#include "editors/ClipboardMenu.h"
#include "shell/ItemListRows.h"
#include "shell/MenuTree.h"

namespace {

constexpr int kItems = 32000, kAttributes = 16000, kMenus = 9;  // 8 menus of 2000 attributes

// The key and its tree, made once for all rounds.
struct Setup {
  std::unique_ptr<CZAVDoc> doc = MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.10, 7);
  CMenuTree tree{*doc};
  CItemListRows rows;
};

Setup& Database() {
  static Setup* setup = [] {
    auto* made = new Setup;
    made->doc->ResetItemStates(false);
    made->doc->UpdateRemainingItems();
    made->tree.OnInitialUpdate();
    return made;
  }();
  return *setup;
}

void BM_TreeCopyMenuOf2000Attributes(benchmark::State& state) {
  Setup& s = Database();
  for (auto _ : state) {
    const auto bytes = CClipboardMenu::Copy(*s.doc, 1);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_TreeCopyMenuOf2000Attributes)->Unit(benchmark::kMillisecond);

void BM_TreePasteMenuOf2000Attributes(benchmark::State& state) {
  Setup& s = Database();
  const auto bytes = CClipboardMenu::Copy(*s.doc, 1);
  int menu = 1;
  for (auto _ : state) {
    state.PauseTiming();
    s.tree.Nodes().Delete(s.tree.FindMenuNode(menu));
    CClipboardMenu::FinishCut(*s.doc, menu);
    state.ResumeTiming();
    const PastedBranch pasted = CClipboardMenu::Paste(*s.doc, 0, bytes.data(), bytes.size());
    const HTREEITEM node = s.tree.InsertNode(s.tree.MenuRoot(), nullptr, static_cast<std::uint32_t>(pasted.top),
                                             kInsertLast, IMAGE_ATTRIBUTE_MENU);
    s.tree.BuildMenuSubtree(node, pasted.top);
    s.tree.RefreshTree();
    s.rows.FillRows(*s.doc);
    menu = pasted.top;
  }
}
BENCHMARK(BM_TreePasteMenuOf2000Attributes)->Unit(benchmark::kMillisecond);

}  // namespace
