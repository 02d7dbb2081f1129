// The evaluation: the reset and the five elimination passes, the allowed
// number of mismatches, and the per-attribute candidate counts.
//
// The passes are described word by word over all items; every item's
// outcome depends only on its own row, so they run item by item here (each
// row stays in cache) with the words, groups and passes in the described
// order for each item.
#include <algorithm>
#include <bit>

#include "database/CandidateCounts.h"
#include "database/EliminationPlan.h"
#include "database/ItemStateScan.h"
#include "database/ParallelFor.h"
#include "database/ZAVDoc.h"

namespace {

// Whether an attribute splits the items in play: some but not all of the
// remaining items have it.
bool SplitsItems(long long candidatesWithAttribute, long long remainingCount) {
  return candidatesWithAttribute >= 1 && candidatesWithAttribute < remainingCount;
}

// The set bits of a word, without a library call where the processor's
// own instruction is not assumed.
inline DWORD BitsSet(DWORD x) {
  x = x - ((x >> 1) & 0x55555555u);
  x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
  x = (x + (x >> 4)) & 0x0F0F0F0Fu;
  return (x * 0x01010101u) >> 24;
}

// One item during the passes: its state, mismatch count and two rows.
struct ItemCursor {
  BYTE* state;
  DWORD* mismatches;
  const DWORD* row;
  const DWORD* lenient;  // null while missing data is off
  int allowed;
  int* remainingCount;

  bool InPlay() const { return IsRemainingState(*state); }

  // Adds one mismatch per set bit; false when the item is eliminated.
  bool Mismatch(DWORD bits) {
    *mismatches += BitsSet(bits);
    if (static_cast<long long>(*mismatches) <= allowed) return true;
    if (IsSelectedState(*state)) {
      *state = STATE_SELECTED_ELIMINATED;  // stays in the remaining count
    } else {
      if (IsRemainingState(*state)) --*remainingCount;  // an item already out is not counted twice
      *state = STATE_ELIMINATED;
    }
    return false;
  }

  // Remaining only through missing data; never for a selected item.
  void MissingData() {
    if (*state == STATE_REMAINING) *state = STATE_MISSING_DATA;
  }
};

void PassYesOnly(ItemCursor& item, const std::vector<WordMask>& words) {
  for (const WordMask& w : words) {
    if (!item.InPlay()) return;
    const DWORD lacking = w.mask & ~item.row[w.word];
    if (!lacking) continue;
    if (item.lenient && (item.lenient[w.word] & w.mask) == w.mask)
      item.MissingData();
    else
      item.Mismatch(lacking);
  }
}

void PassNever(ItemCursor& item, const std::vector<WordMask>& words) {
  for (const WordMask& w : words) {
    if (!item.InPlay()) return;
    if (const DWORD hit = item.row[w.word] & w.mask)
      item.Mismatch(hit);
    else if (item.lenient && (item.lenient[w.word] & w.mask))
      item.MissingData();
  }
}

// With missing data on, the lenient row decides where the passes look;
// the item's own row then tells a real hit from missing data.

// One ONLY mark: at most one mismatch for having another attribute of its menu.
void OnlyGroup(ItemCursor& item, const WordMask* w, const WordMask* end) {
  for (; w != end; ++w) {
    if (item.lenient && !(item.lenient[w->word] & w->mask)) continue;
    if (item.row[w->word] & w->mask) {
      item.Mismatch(1);
      return;
    }
    if (item.lenient) item.MissingData();
  }
}

// One OR group: the first word in which the item has (or might have) a member decides.
void OrGroup(ItemCursor& item, const WordMask* w, const WordMask* end) {
  for (; w != end; ++w) {
    const DWORD* decider = item.lenient ? item.lenient : item.row;
    if (!(decider[w->word] & w->mask)) continue;
    if (!(item.row[w->word] & w->mask)) item.MissingData();
    return;
  }
  item.Mismatch(1);
}

// One NO group: one mismatch when the item has a NO-marked attribute of the
// menu and no other attribute of it.
void NoGroup(ItemCursor& item, const NoWordMask* w, const NoWordMask* end) {
  DWORD acc = 0;
  for (; w != end; ++w) {
    const DWORD row = item.row[w->word];
    const DWORD* decider = item.lenient ? item.lenient : item.row;
    if (decider[w->word] & w->others) {
      if (!(row & w->others)) item.MissingData();
      return;
    }
    acc |= row & w->no;
  }
  if (acc) item.Mismatch(1);
}

template <typename Word, typename Group>
void EachGroup(ItemCursor& item, const std::vector<GroupRange>& groups, const std::vector<Word>& words, Group group) {
  for (const GroupRange& range : groups) {
    if (!item.InPlay()) return;
    group(item, words.data() + range.begin, words.data() + range.end);
  }
}

// Without forgiveness and without missing data an item is out at its first
// mismatch: the mismatches that first failing test adds, one bit each, or 0
// when the item passes every test. The tests run in the passes' order, so
// the count is the one the passes would leave.
DWORD FirstMismatchBits(const DWORD* row, const EliminationPlan& plan) {
  for (const WordMask& w : plan.yesOnlyWords)
    if (const DWORD lacking = w.mask & ~row[w.word]) return lacking;
  for (const WordMask& w : plan.neverWords)
    if (const DWORD hit = row[w.word] & w.mask) return hit;
  for (const GroupRange& group : plan.onlyGroups)
    for (std::uint32_t k = group.begin; k < group.end; ++k)
      if (row[plan.onlyWords[k].word] & plan.onlyWords[k].mask) return 1;
  for (const GroupRange& group : plan.orGroups) {
    bool member = false;
    for (std::uint32_t k = group.begin; k < group.end && !member; ++k)
      member = (row[plan.orWords[k].word] & plan.orWords[k].mask) != 0;
    if (!member) return 1;
  }
  for (const GroupRange& group : plan.noGroups) {
    DWORD no = 0;
    bool other = false;
    for (std::uint32_t k = group.begin; k < group.end && !other; ++k) {
      const NoWordMask& w = plan.noWords[k];
      other = (row[w.word] & w.others) != 0;
      no |= row[w.word] & w.no;
    }
    if (!other && no) return 1;
  }
  return 0;
}

void RunPasses(ItemCursor& item, const EliminationPlan& plan) {
  PassYesOnly(item, plan.yesOnlyWords);
  PassNever(item, plan.neverWords);
  EachGroup(item, plan.onlyGroups, plan.onlyWords, OnlyGroup);
  EachGroup(item, plan.orGroups, plan.orWords, OrGroup);
  EachGroup(item, plan.noGroups, plan.noWords, NoGroup);
}

// A row of the item's words, zero-padded when the stored words are short
// (a damaged or not yet built row reads as all zero).
const DWORD* PaddedRow(const DWORD* words, std::size_t size, std::size_t needed, std::vector<DWORD>& scratch) {
  if (words && size >= needed) return words;
  scratch.assign(needed, 0);
  if (words) std::copy(words, words + std::min(size, needed), scratch.begin());
  return scratch.data();
}

constexpr int kFetchDistance = 16;
constexpr int kItemsPerThread = 4000;
constexpr int kCandidatesPerThread = 1000;

// Fetches the row words the passes read of the item kFetchDistance ahead
// (the row walker `ahead` stands at it). They lie far apart in a row, so
// each is asked for: the processor cannot guess the strides. Inlined by
// force: a function that only fetches looks free of effects to the
// compiler, which then drops the call.
[[gnu::always_inline]] inline void FetchAhead(const RowWalker& ahead, int item, int end,
                                              const std::vector<DWORD>& words) {
  if (item + kFetchDistance >= end) return;
  if (const DWORD* row = ahead.Row())
    for (DWORD w : words) __builtin_prefetch(row + w);
}

// The lenient bits the passes read, made from the row as the lenient rows
// are: the row, plus every attribute of a menu the item has no attribute
// of. Only the words read are written, and in them only the bits the
// passes test are sure to be right.
const DWORD* LenientWords(const EliminationPlan& plan, const DWORD* row, std::vector<DWORD>& lenient) {
  for (DWORD w : plan.wordsRead) lenient[w] = row[w];
  for (const GroupRange& menu : plan.lenientMenus) {
    const WordMask* first = plan.lenientWords.data() + menu.begin;
    const WordMask* const end = plan.lenientWords.data() + menu.end;
    DWORD any = 0;
    for (const WordMask* w = first; w != end; ++w) any |= row[w->word] & w->mask;
    const DWORD fill = any ? 0u : ~0u;
    for (const WordMask* w = first; w != end; ++w) lenient[w->word] |= w->mask & fill;
  }
  return lenient.data();
}

}  // namespace

int CZAVDoc::GetAllowedMismatches() const {
  if (m_forgivenessLevel == 0 || m_markedCount < 1) return 0;
  return std::min<int>(m_forgivenessLevel, m_markedCount);
}

bool CZAVDoc::AddMismatch(int item, DWORD bits) {
  if (!bits || !IsValidIndex(item, m_itemStates.size()) || !IsValidIndex(item, m_items.size())) return true;
  if (m_mismatchCounts.size() < m_items.size()) m_mismatchCounts.resize(m_items.size(), 0);
  ItemCursor cursor{&m_itemStates[item],    &m_mismatchCounts[item], nullptr, nullptr,
                    GetAllowedMismatches(), &m_remainingCount};
  return cursor.Mismatch(bits);
}

void CZAVDoc::UpdateRemainingItems() {
  const int items = ItemCount();
  if (m_itemStates.size() < static_cast<std::size_t>(items)) m_itemStates.resize(items, STATE_REMAINING);
  // Pass 0: a user's exclusion and a free slot stay, a selection becomes
  // plain selected, everything else remaining. (The mismatch counts all
  // start at 0.)
  m_remainingCount = item_states::ResetForPasses(m_itemStates.data(), items);
  const EliminationPlan plan = m_attributes.empty() ? EliminationPlan{} : BuildEliminationPlan(*this);
  m_mismatchCounts.assign(static_cast<std::size_t>(items), 0);
  if (items == 0 || plan.Empty()) return;
  const CBitMatrix layout(AttributeCount(), items);
  // Every item's outcome depends on its own rows alone, so chunks of items
  // can run side by side; each chunk counts its own eliminations.
  const ChunkPlan chunks = PlanChunks(items, kItemsPerThread, 1);
  std::vector<int> eliminated(chunks.chunks, 0);
  ParallelFor(chunks,
              [&](int begin, int end, int chunk) { EvaluateItems(begin, end, plan, layout, eliminated[chunk]); });
  for (int count : eliminated) m_remainingCount -= count;
}

void CZAVDoc::EvaluateItems(int begin, int end, const EliminationPlan& plan, const CBitMatrix& layout,
                            int& eliminated) {
  const std::size_t wordsPerRow = layout.wordsPerRow();
  const bool missing = m_missingData != 0;
  const int allowed = GetAllowedMismatches();
  const bool strict = allowed == 0 && !missing;
  std::vector<DWORD> rowScratch, lenient(missing ? wordsPerRow : 0);
  // Without forgiveness most items are out at their first word; fetching
  // the rest of their words would only spend the memory's bandwidth.
  const std::vector<DWORD> firstWord{plan.FirstWord()};
  const std::vector<DWORD>& fetched = allowed > 0 ? plan.wordsFetched : firstWord;
  int remainingDelta = 0;
  RowWalker rows(layout, m_dataBlocks, begin);
  RowWalker ahead(layout, m_dataBlocks, std::min(end, begin + kFetchDistance));
  for (int i = begin; i < end; ++i, rows.Next(), ahead.Next()) {
    // The passes are bound by memory latency: fetch the rows of items ahead.
    FetchAhead(ahead, i, end, fetched);
    if (!IsRemainingState(m_itemStates[i])) continue;
    const DWORD* stored = rows.Row();
    const DWORD* row = PaddedRow(stored, stored ? wordsPerRow : 0, wordsPerRow, rowScratch);
    if (strict) {
      if (const DWORD bits = FirstMismatchBits(row, plan)) {
        ItemCursor cursor{&m_itemStates[i], &m_mismatchCounts[i], row, nullptr, allowed, &remainingDelta};
        cursor.Mismatch(bits);
      }
      continue;
    }
    ItemCursor cursor{&m_itemStates[i], &m_mismatchCounts[i], row, missing ? LenientWords(plan, row, lenient) : nullptr,
                      allowed,          &remainingDelta};
    RunPasses(cursor, plan);
  }
  eliminated = -remainingDelta;
}

namespace {

// The column counts of the listed rows, counted in chunks on the pool.
std::vector<DWORD> CountRows(const CZAVDoc& doc, const std::vector<int>& items) {
  const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  return CountRowsOnPool(layout.wordsPerRow(), static_cast<int>(items.size()), kCandidatesPerThread,
                         [&](int k) { return layout.GetRowWordsIn(items[k], doc.m_dataBlocks); });
}

// The column counts of every row; each chunk walks its rows block by block
// instead of looking each one up.
std::vector<DWORD> CountAllRows(const CZAVDoc& doc) {
  const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  return CountRangesOnPool(layout.wordsPerRow(), doc.ItemCount(), kCandidatesPerThread,
                           [&](int begin, int end, CandidateCounter& counter) {
                             RowWalker rows(layout, doc.m_dataBlocks, static_cast<DWORD>(begin));
                             for (int i = begin; i < end; ++i, rows.Next())
                               if (const DWORD* row = rows.Row()) counter.AddRow(row);
                           });
}

}  // namespace

void CZAVDoc::UpdateAttributeCounts() {
  const int items = ItemCount();
  if (items == 0) return;
  const int attributes = AttributeCount();
  m_attributeCounts.assign(static_cast<std::size_t>(attributes / 32 + 1) * 32, 0);
  if (attributes == 0) return;
  // Read straight from the states: this runs after every mark, over every item.
  const int withState = std::min<int>(items, static_cast<int>(m_itemStates.size()));
  std::vector<BYTE> now = item_states::Candidates(m_itemStates.data(), withState);
  now.resize(static_cast<std::size_t>(items), 0);
  std::vector<int> candidates, entered, left;
  const CountBasis& basis = m_countBasis;
  const bool since = basis.valid && basis.items == items && basis.attributes == attributes;
  item_states::AppendSet(now.data(), items, candidates);
  if (since) item_states::AppendChanged(basis.candidates.data(), now.data(), items, entered, left);
  const std::size_t othersCount = static_cast<std::size_t>(items) - candidates.size();
  // The rows left out, listed only when the whole less them is counted.
  auto others = [&now, items] {
    std::vector<int> out;
    item_states::AppendUnset(now.data(), items, out);
    return out;
  };
  // The whole over every row, kept while the matrix stays as it is: taken
  // once when most items are candidates, it turns the next counts over most
  // items into the whole minus the few left out.
  std::vector<DWORD> all = since ? basis.allCounts : std::vector<DWORD>{};
  const std::size_t changed = since ? entered.size() + left.size() : candidates.size();
  const bool wholeLessOthers = othersCount < candidates.size() && othersCount < changed;
  if (all.empty() && wholeLessOthers) all = CountAllRows(*this);
  std::vector<DWORD> counts;
  if (!all.empty() && wholeLessOthers) {
    counts = all;
    if (const std::vector<int> out = others(); !out.empty()) {
      const std::vector<DWORD> minus = CountRows(*this, out);
      for (std::size_t a = 0; a < counts.size(); ++a) counts[a] -= minus[a];
    }
  } else if (since && changed < candidates.size()) {
    // Fewer rows changed sides than there are candidates: the last counts
    // with the rows that left taken off and those that entered added.
    counts = basis.counts;
    const std::vector<DWORD> minus = CountRows(*this, left), plus = CountRows(*this, entered);
    for (std::size_t a = 0; a < counts.size(); ++a) counts[a] = counts[a] - minus[a] + plus[a];
  } else {
    counts = CountRows(*this, candidates);
  }
  for (std::size_t a = 0; a < counts.size() && a < m_attributeCounts.size(); ++a)
    m_attributeCounts[a] = static_cast<WORD>(counts[a]);
  m_countBasis = CountBasis{true, items, attributes, std::move(now), std::move(counts), std::move(all)};
}

const std::vector<DWORD>* CZAVDoc::CountsKeptFor(const std::vector<int>& items) const {
  const CountBasis& basis = m_countBasis;
  if (!basis.valid || basis.items != ItemCount() || basis.attributes != AttributeCount() ||
      basis.candidates.size() != static_cast<std::size_t>(basis.items) ||
      basis.counts.size() < static_cast<std::size_t>(basis.attributes))
    return nullptr;
  std::size_t next = 0;
  for (int i = 0; i < basis.items; ++i) {
    const bool listed = next < items.size() && items[next] == i;
    if (listed != (basis.candidates[i] != 0)) return nullptr;
    next += listed;
  }
  return next == items.size() ? &basis.counts : nullptr;
}

bool CZAVDoc::IsAttributeUseless(int attribute) const {
  if (!IsValidIndex(attribute, m_attributeCounts.size())) return true;
  return !SplitsItems(m_attributeCounts[attribute], m_remainingCount);
}

bool CZAVDoc::IsMenuUseless(int menu) const {
  if (m_remainingCount < 2) return true;
  if (menu < 0 || menu >= MenuCount() || GetMenu(menu).kind != MENU_OF_ATTRIBUTES) return false;
  const auto& children = GetMenu(menu).children;
  return std::all_of(children.begin(), children.end(), [this](WORD a) { return IsAttributeUseless(a); });
}

bool CZAVDoc::IsMenuBranchUseless(int menu) const {
  if (m_remainingCount < 2) return true;
  // A branch is useless when no menu of attributes below it is of use; the
  // walk visits each menu once, so a cycle in damaged data ends.
  std::vector<WORD> branch;
  CollectMenuTree(menu, branch);
  return std::none_of(branch.begin(), branch.end(),
                      [this](WORD m) { return GetMenu(m).kind == MENU_OF_ATTRIBUTES && !IsMenuUseless(m); });
}
