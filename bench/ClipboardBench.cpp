// The menu clipboard at the size limits (32000 items x 16000 attributes):
// copying a menu of 2000 attributes to bytes, and cutting it and pasting it
// back into the freed slots, with "Allow Missing Data" off and on.
#include <benchmark/benchmark.h>

#include "GeneratedDatabase.h"
#include "database/ZAVDoc.h"
#include "editors/ClipboardMenu.h"

namespace {

constexpr int kItems = 32000, kAttributes = 16000, kMenus = 9;  // 8 menus of 2000 attributes

CZAVDoc& Database() {
  static const auto doc = [] {
    auto made = MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.10, 7);
    made->ResetItemStates(false);
    made->UpdateRemainingItems();
    return made;
  }();
  return *doc;
}

void BM_CopyMenuOf2000Attributes(benchmark::State& state) {
  CZAVDoc& doc = Database();
  for (auto _ : state) {
    const auto bytes = CClipboardMenu::Copy(doc, 1);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_CopyMenuOf2000Attributes)->Unit(benchmark::kMillisecond);

// Each round cuts the menu pasted last and pastes it back below the top menu.
void CutAndPaste(benchmark::State& state, bool measureCut) {
  CZAVDoc& doc = Database();
  doc.m_missingData = static_cast<BYTE>(state.range(0));
  doc.UpdateMissingDataBits();
  const auto bytes = CClipboardMenu::Copy(doc, 1);
  int menu = 1;
  for (auto _ : state) {
    if (!measureCut) state.PauseTiming();
    CClipboardMenu::FinishCut(doc, menu);
    if (!measureCut) state.ResumeTiming();
    if (measureCut) state.PauseTiming();
    menu = CClipboardMenu::Paste(doc, 0, bytes.data(), bytes.size()).top;
    if (measureCut) state.ResumeTiming();
  }
  doc.m_missingData = 0;
}

void BM_PasteMenuOf2000Attributes(benchmark::State& state) { CutAndPaste(state, false); }
BENCHMARK(BM_PasteMenuOf2000Attributes)->Arg(0)->Arg(1)->ArgName("missingData")->Unit(benchmark::kMillisecond);

// The cut is far quicker than the paste that has to follow it untimed: a
// count chosen from the cut's time alone would run thousands of pastes.
void BM_CutMenuOf2000Attributes(benchmark::State& state) { CutAndPaste(state, true); }
BENCHMARK(BM_CutMenuOf2000Attributes)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("missingData")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(50);

}  // namespace
