// The evaluation at the size limits: 32000 items x 16000 attributes in 2000
// menus, ~10% of the bits set, 20 marks of every kind. One re-evaluation
// (reset, five passes, announcement status) plus one recount of the
// candidate counts, against a straightforward attribute-at-a-time loop.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstdio>

#include "GeneratedDatabase.h"
#include "HardwareLimits.h"
#include "database/ZAVDoc.h"

namespace {

constexpr int kItems = 32000, kAttributes = 16000, kMenus = 2000;

// The first `count` attributes of a menu of attributes.
std::vector<int> FirstOf(const CZAVDoc& doc, int menu, int count) {
  const auto& children = doc.GetMenu(menu).children;
  return {children.begin(), children.begin() + std::min<std::size_t>(count, children.size())};
}

void PlaceMarks(CZAVDoc& doc) {
  auto mark = [&](int menu, int count, BYTE kind) {
    for (int a : FirstOf(doc, menu, count)) doc.SetAttributeMark(a, kind);
  };
  for (int menu : {10, 300, 700}) mark(menu, 1, MARK_YES);
  for (int menu : {1000, 1500}) mark(menu, 1, MARK_ONLY);
  for (int menu : {20, 400, 900}) mark(menu, 1, MARK_NEVER);
  for (int menu : {50, 600}) mark(menu, 3, MARK_OR);
  for (int menu : {80, 1200, 1800}) mark(menu, 2, MARK_NO);
}

CZAVDoc& Database(bool missing) {
  static std::unique_ptr<CZAVDoc> docs[2];
  auto& doc = docs[missing];
  if (!doc) {
    doc = MakeGeneratedDatabase(kItems, kAttributes, kMenus, 0.10, 7);
    // Some items without data for some menus, so that missing data matters.
    CBitMatrix layout(kAttributes, kItems);
    for (int i = 0; i < kItems; i += 7)
      for (int a : FirstOf(*doc, 1 + i % (kMenus - 1), 8))
        ClearBit(layout.GetRowWordsIn(i, doc->m_dataBlocks), static_cast<WORD>(a));
    doc->RecountItems();
    PlaceMarks(*doc);
    doc->m_missingData = missing;
    doc->UpdateMissingDataBits();
  }
  return *doc;
}

// The passes as written, one attribute at a time, word after word over all items.
class PerBitEvaluation {
 public:
  explicit PerBitEvaluation(CZAVDoc& doc) : m_doc(doc), m_layout(doc.AttributeCount(), doc.ItemCount()) {
    if (!Missing()) return;
    const std::size_t words = m_layout.wordsPerRow();
    for (int i = 0; i < doc.ItemCount(); ++i) {
      const DWORD* row = doc.GetLenientRow(i);
      m_lenient.push_back(row ? std::vector<DWORD>(row, row + words) : std::vector<DWORD>(words, 0u));
    }
  }

  void Run() {
    m_doc.ResetItemStates(true);
    const int items = m_doc.ItemCount();
    m_doc.m_mismatchCounts.assign(items, 0);
    for (int i = 0; i < items; ++i) {
      const BYTE s = m_doc.GetItemState(i);
      if (s != STATE_USER_ELIMINATED && s != STATE_FREE)
        m_doc.SetItemState(i, s >= STATE_SELECTED ? STATE_SELECTED : STATE_REMAINING);
    }
    m_doc.m_remainingCount = 0;
    for (int i = 0; i < items; ++i) {
      const BYTE s = m_doc.GetItemState(i);
      m_doc.m_remainingCount += s != STATE_USER_ELIMINATED && s != STATE_FREE;
    }
    const int words = m_layout.wordsPerRow();
    for (int w = 0; w < words; ++w)
      WordPass(
          w, [](BYTE m) { return m == MARK_YES || m == MARK_ONLY; }, true);
    for (int w = 0; w < words; ++w)
      WordPass(
          w, [](BYTE m) { return m == MARK_NEVER; }, false);
    for (int a = 0; a < m_doc.AttributeCount(); ++a)
      if (m_doc.GetAttributeMark(a) == MARK_ONLY && Menu(a) != kNoIndex16) MenuPass(a, MARK_ONLY);
    std::vector<bool> orDone(kNoIndex16 + 1), noDone(kNoIndex16 + 1);
    for (int a = 0; a < m_doc.AttributeCount(); ++a) {
      const BYTE m = m_doc.GetAttributeMark(a);
      if (Menu(a) == kNoIndex16) continue;
      if (m == MARK_OR && !orDone[Menu(a)]) MenuPass(a, MARK_OR), orDone[Menu(a)] = true;
      if (m == MARK_NO && !noDone[Menu(a)]) MenuPass(a, MARK_NO), noDone[Menu(a)] = true;
    }
    m_doc.UpdateIdentifiedStatus(true);
  }

  void CountAttributes() {
    const bool selected = m_doc.CountSelectedItems() > 0;
    m_doc.m_attributeCounts.assign((m_doc.AttributeCount() / 32 + 1) * 32, 0);
    for (int i = 0; i < m_doc.ItemCount(); ++i) {
      if (!(selected ? m_doc.IsItemSelected(i) : m_doc.IsItemRemaining(i))) continue;
      for (int a = 0; a < m_doc.AttributeCount(); ++a) m_doc.m_attributeCounts[a] += Has(i, a);
    }
  }

 private:
  WORD Menu(int a) const { return m_doc.GetAttribute(a).menuIndex; }
  bool Has(int i, int a) const { return TestBit(m_layout.GetRowWordsIn(i, m_doc.m_dataBlocks), static_cast<WORD>(a)); }
  bool Lenient(int i, int a) const { return Missing() && TestBit(m_lenient[i].data(), static_cast<WORD>(a)); }
  bool Missing() const { return m_doc.m_missingData != 0; }
  void State3(int i) {
    if (m_doc.GetItemState(i) == STATE_REMAINING) m_doc.SetItemState(i, STATE_MISSING_DATA);
  }

  template <typename Kind>
  void WordPass(int w, Kind kind, bool mustHave) {
    std::vector<int> marked;
    for (int a = w * 32; a < std::min(m_doc.AttributeCount(), w * 32 + 32); ++a)
      if (kind(m_doc.GetAttributeMark(a)) && Menu(a) != kNoIndex16) marked.push_back(a);
    if (marked.empty()) return;
    for (int i = 0; i < m_doc.ItemCount(); ++i) {
      if (!m_doc.IsItemRemaining(i)) continue;
      DWORD failing = 0;
      bool allLenient = true, anyLenient = false;
      for (int a : marked) {
        failing += Has(i, a) != mustHave;
        allLenient = allLenient && Lenient(i, a);
        anyLenient = anyLenient || Lenient(i, a);
      }
      if (mustHave && failing && Missing() && allLenient)
        State3(i);
      else if (failing)
        m_doc.AddMismatch(i, (DWORD{1} << failing) - 1);
      else if (!mustHave && Missing() && anyLenient)
        State3(i);
    }
  }

  // ONLY, OR and NO: one group of a menu, attribute by attribute per word.
  void MenuPass(int first, BYTE mark) {
    std::vector<int> group, others;
    for (int a = 0; a < m_doc.AttributeCount(); ++a) {
      if (Menu(a) != Menu(first)) continue;
      const bool member = mark == MARK_ONLY ? a == first : m_doc.GetAttributeMark(a) == mark;
      (member ? group : others).push_back(a);
    }
    if (mark == MARK_OR && group.size() < 2) return;
    const std::vector<int>& tested = mark == MARK_OR ? group : others;
    for (int i = 0; i < m_doc.ItemCount(); ++i) {
      if (!m_doc.IsItemRemaining(i)) continue;
      bool decided = false, acc = false;
      for (std::size_t k = 0; k < tested.size() && !decided;) {
        const int w = tested[k] / 32;
        bool has = false, lenient = false;
        for (; k < tested.size() && tested[k] / 32 == w; ++k)
          has |= Has(i, tested[k]), lenient |= Lenient(i, tested[k]);
        if (mark == MARK_NO)
          for (int a : group) acc |= a / 32 == w && Has(i, a);
        if (!(Missing() ? lenient : has)) continue;
        if (mark == MARK_ONLY && has) {
          m_doc.AddMismatch(i, 1);
          break;
        }
        if (!has) State3(i);
        decided = mark != MARK_ONLY;
      }
      if ((mark == MARK_OR && !decided) || (mark == MARK_NO && !decided && acc)) m_doc.AddMismatch(i, 1);
    }
  }

  CZAVDoc& m_doc;
  CBitMatrix m_layout;
  std::vector<std::vector<DWORD>> m_lenient;  // each item's, while missing data is on
};

void Evaluate(CZAVDoc& doc) {
  doc.ResetItemStates(true);
  doc.UpdateRemainingItems();
  doc.UpdateIdentifiedStatus(true);
  // Every iteration gives the same states: a full count, not the last one kept.
  doc.InvalidateCountBasis();
  doc.UpdateAttributeCounts();
}

void SetUp(CZAVDoc& doc, int level) {
  doc.m_forgivenessLevel = static_cast<BYTE>(level);
  // The baseline must agree with the engine, or its time means nothing.
  Evaluate(doc);
  const auto states = doc.m_itemStates;
  const auto counts = doc.m_attributeCounts;
  const int remaining = doc.m_remainingCount;
  PerBitEvaluation baseline(doc);
  baseline.Run();
  baseline.CountAttributes();
  if (states != doc.m_itemStates || counts != doc.m_attributeCounts || remaining != doc.m_remainingCount) {
    std::fprintf(stderr, "per-bit baseline disagrees with the engine\n");
    std::abort();
  }
}

// The bytes of the matrix, the stream and copy limits' size.
std::size_t MatrixBytes(const CZAVDoc& doc) {
  const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  return std::size_t{layout.totalWords()} * sizeof(DWORD);
}

// Level 0 without missing data is judged by the early-exit read of the
// marked words, measured just before.
void BM_Reevaluate(benchmark::State& state) {
  CZAVDoc& doc = Database(state.range(1) != 0);
  SetUp(doc, static_cast<int>(state.range(0)));
  const bool judged = state.range(0) == 0 && state.range(1) == 0;
  static std::unique_ptr<hardware_limits::EarlyExitRead> early;
  if (judged && !early) early = std::make_unique<hardware_limits::EarlyExitRead>(doc);
  hardware_limits::RatioClock clock(judged ? early->Ms() : 0);
  for (auto _ : state) {
    clock.Start();
    Evaluate(doc);
    clock.Stop();
  }
  if (judged) clock.Report(state);
  state.counters["remaining"] = doc.m_remainingCount;
}

void BM_ReevaluatePerBit(benchmark::State& state) {
  CZAVDoc& doc = Database(state.range(1) != 0);
  SetUp(doc, static_cast<int>(state.range(0)));
  PerBitEvaluation baseline(doc);
  for (auto _ : state) {
    baseline.Run();
    baseline.CountAttributes();
  }
  state.counters["remaining"] = doc.m_remainingCount;
}

// Judged by one copy of the matrix (as many bits are written as read) and
// shown beside one stream of it, both measured just before.
void BM_UpdateMissingDataBits(benchmark::State& state) {
  CZAVDoc& doc = Database(true);
  const double stream = hardware_limits::StreamMs(MatrixBytes(doc));
  hardware_limits::RatioClock copy(hardware_limits::CopyMs(MatrixBytes(doc))), streamed(stream);
  for (auto _ : state) {
    copy.Start();
    streamed.Start();
    doc.UpdateMissingDataBits();
    copy.Stop();
    streamed.Stop();
  }
  copy.Report(state, "_copy");
  streamed.Report(state, "_stream");
}

// The items the counts are taken over, read from their states: the
// remaining count is not kept by a reset alone.
int CountCandidates(const CZAVDoc& doc) {
  const bool selected = doc.CountSelectedItems() > 0;
  int candidates = 0;
  for (int i = 0; i < doc.ItemCount(); ++i) candidates += selected ? doc.IsItemSelected(i) : doc.IsItemRemaining(i);
  return candidates;
}

// The candidate counts alone: all items at the start of an identification
// (argument 0), or those left by the marks with forgiveness 3 and missing data.
void BM_UpdateAttributeCounts(benchmark::State& state) {
  CZAVDoc& doc = Database(true);
  SetUp(doc, 3);
  if (state.range(0) == 0) doc.ResetItemStates(false);
  hardware_limits::RatioClock clock(hardware_limits::StreamMs(MatrixBytes(doc)));
  for (auto _ : state) {
    doc.InvalidateCountBasis();  // a full recount, as after an edit
    clock.Start();
    doc.UpdateAttributeCounts();
    clock.Stop();
  }
  clock.Report(state, "_stream");
  state.counters["candidates"] = CountCandidates(doc);
}

// The candidate counts after a mark that changes a tenth of the items
// (argument 10) or half of them (50): the items of one stride leave and,
// at the next mark, come back.
void BM_CountsAfterMark(benchmark::State& state) {
  CZAVDoc& doc = Database(true);
  SetUp(doc, 0);
  doc.ResetItemStates(false);
  doc.UpdateAttributeCounts();
  const int stride = 100 / static_cast<int>(state.range(0));
  bool out = false;
  for (auto _ : state) {
    out = !out;
    for (int i = 0; i < doc.ItemCount(); i += stride) doc.m_itemStates[i] = out ? STATE_ELIMINATED : STATE_REMAINING;
    doc.UpdateAttributeCounts();
  }
  state.counters["candidates"] = CountCandidates(doc);
}

// Arguments: forgiveness level, missing data.
BENCHMARK(BM_Reevaluate)
    ->Args({0, 0})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ReevaluatePerBit)
    ->Args({0, 0})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_UpdateAttributeCounts)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_CountsAfterMark)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_UpdateMissingDataBits)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
