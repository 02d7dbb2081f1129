// Rows hold one item's attributes; the menu data wants one menu's items.
//
// Each row is first read on its own: whether a run of one menu's bits holds
// a set bit lands on the run's highest bit, and the runs of menus that have
// no other run are filled in from that alone, a few vector operations per
// row word. Then the group's 32 rows of those highest bits are turned on
// their side, 32 x 32 bits at a time, which gives a word of 32 items per
// run: a menu's data for the whole group is the OR of its runs' words.
// Only the runs of menus spread over several runs wait for that OR before
// they are filled in.
#include "database/MenuDataGroup.h"

#include "database/BitBlockTurn.h"
#include "database/ProcessorFeatures.h"
#include "database/VectorWords.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QOR_MENU_DATA_HAS_AVX2 1
#else
#define QOR_MENU_DATA_HAS_AVX2 0
#endif

namespace {

// Vectors never cross a call: every function taking them is inlined by force.
#pragma GCC diagnostic ignored "-Wpsabi"

using bit_block_turn::Quad;
// Eight, for the 256-bit build of the row kernel (512-bit registers, or the
// three-input logic on 256-bit ones, made it no faster).
typedef DWORD Octet __attribute__((vector_size(32)));

using vector_words::Load;
using vector_words::Store;

// The masks as the kernel reads them: held in registers, not read again
// through the owner after each store.
struct MaskView {
  const DWORD* first;  // word 0 of the first mask
  std::size_t stride;
  [[gnu::always_inline]] const DWORD* operator[](int mask) const { return first + mask * stride; }
};

// All bits set where v is not zero.
template <typename T>
[[gnu::always_inline]] inline T NonZero(const T& v) {
  if constexpr (sizeof(T) == sizeof(DWORD))
    return v ? ~DWORD{0} : DWORD{0};
  else
    return reinterpret_cast<T>(v != 0);
}

// One row word, or several side by side, with the words just before and
// after them: `has` gets the highest bit of each run holding a set bit
// (adding a run's lower bits to themselves carries into its highest bit
// exactly when one of them is set, and never past it), the halves of a
// menu split by the word's end taking each other's, and `out` the row with
// every run filled in from its row alone that has no set bit: the run's
// highest bit is spread down over the run, doubling the reach at each step
// without leaving the run.
template <typename T>
[[gnu::always_inline]] inline void FillWords(const T& r, const T& before, const T& after, DWORD* out, DWORD* has,
                                             MaskView m, std::size_t w) {
  using M = MenuDataGroup;
  const T low = Load<T>(m[M::kRunLow] + w);
  T h = (((r & low) + low) | r) & Load<T>(m[M::kRunHigh] + w);
  h |= NonZero<T>(before & Load<T>(m[M::kTailBitsBefore] + w)) & Load<T>(m[M::kHeadHigh] + w);
  h |= NonZero<T>(after & Load<T>(m[M::kHeadBitsAfter] + w)) & Load<T>(m[M::kTailHigh] + w);
  Store(has + w, h);
  T fill = Load<T>(m[M::kFillHigh] + w) & ~h;
  fill |= (fill >> 1) & Load<T>(m[M::kWithin] + w);
  fill |= (fill >> 2) & Load<T>(m[M::kWithin + 1] + w);
  fill |= (fill >> 4) & Load<T>(m[M::kWithin + 2] + w);
  fill |= (fill >> 8) & Load<T>(m[M::kWithin + 3] + w);
  fill |= (fill >> 16) & Load<T>(m[M::kWithin + 4] + w);
  Store(out + w, r | fill);
}

// The words of a vector shifted by one, the first taken from the vector
// before (`Before`) or the last from the vector after (`After`).
template <typename T, std::size_t... I>
[[gnu::always_inline]] inline T Before(const T& before, const T& v, std::index_sequence<I...>) {
  return __builtin_shufflevector(before, v, (sizeof...(I) - 1 + I)...);
}
template <typename T, std::size_t... I>
[[gnu::always_inline]] inline T After(const T& v, const T& after, std::index_sequence<I...>) {
  return __builtin_shufflevector(v, after, (1 + I)...);
}

// The row's vectors, each beside the one before and the one after it (each
// row word is read once, from the vector that holds it), then its last words
// one at a time.
template <typename T>
[[gnu::always_inline]] inline void FillRowWith(const DWORD* row, DWORD* out, DWORD* has,
                                               const MenuDataGroup::WordMasks& masks, std::size_t words) {
  constexpr std::size_t lanes = sizeof(T) / sizeof(DWORD);
  constexpr auto index = std::make_index_sequence<lanes>();
  const MaskView m{masks.First(), masks.stride};
  std::size_t w = 0;
  if (words >= lanes) {
    T previous{}, current = Load<T>(row);
    for (; w + lanes <= words; w += lanes) {
      T next{};
      if (w + 2 * lanes <= words)
        next = Load<T>(row + w + lanes);
      else if (w + lanes < words)
        next[0] = row[w + lanes];
      FillWords<T>(current, Before(previous, current, index), After(current, next, index), out, has, m, w);
      previous = current;
      current = next;
    }
  }
  for (; w < words; ++w)
    FillWords<DWORD>(row[w], w > 0 ? row[w - 1] : 0u, w + 1 < words ? row[w + 1] : 0u, out, has, m, w);
}

void FillRowPortable(const DWORD* row, DWORD* out, DWORD* has, const MenuDataGroup::WordMasks& m, std::size_t words) {
  FillRowWith<Quad>(row, out, has, m, words);
}

#if QOR_MENU_DATA_HAS_AVX2
__attribute__((target("avx2"))) void FillRowAvx2(const DWORD* row, DWORD* out, DWORD* has,
                                                 const MenuDataGroup::WordMasks& m, std::size_t words) {
  FillRowWith<Octet>(row, out, has, m, words);
}

#endif

// For every bit, the first bit of its run; -1 outside runs.
struct WordRuns {
  int of[32];
};

MenuDataGroup::WordMasks MasksOf(std::size_t words) {
  MenuDataGroup::WordMasks m;
  m.stride = (words + MenuDataGroup::WordMasks::kAlign - 1) / MenuDataGroup::WordMasks::kAlign *
             MenuDataGroup::WordMasks::kAlign;
  m.words.assign(MenuDataGroup::kMasks * m.stride + MenuDataGroup::WordMasks::kAlign, 0u);
  return m;
}

void AddWithinMasks(MenuDataGroup::WordMasks& m, std::size_t w, const WordRuns& runs) {
  for (int k = 0; k < 5; ++k)
    for (int b = 0; b + (1 << k) < 32; ++b)
      if (runs.of[b] >= 0 && runs.of[b] == runs.of[b + (1 << k)]) m.at(MenuDataGroup::kWithin + k, w) |= DWORD{1} << b;
}

DWORD BitsOf(int first, int end) {
  return (end == 32 ? ~DWORD{0} : (DWORD{1} << end) - 1) & ~((DWORD{1} << first) - 1);
}

}  // namespace

MenuDataGroup::MenuDataGroup(const std::vector<DWORD>& menuOfBit, std::size_t wordsPerRow, int menus,
                             CountKernel kernel)
    : m_menuOfBit(menuOfBit),
      m_words(wordsPerRow),
      m_menus(menus),
      m_vector(kernel != CountKernel::Portable && CountKernelAvailable(CountKernel::Vector)),
      m_masks(MasksOf(wordsPerRow)),
      m_menuWords(static_cast<std::size_t>(menus) + 1),
      m_bitGather(kernel == CountKernel::Wide && CountKernelAvailable(CountKernel::Wide) &&
                  processor_features::HasBitGather() && bit_block_turn::HasInstructions()),
      m_zeroRow(wordsPerRow, 0u),
      m_discarded(wordsPerRow) {
  std::vector<int> runsOfMenu(static_cast<std::size_t>(menus) + 1, 0);
  for (std::size_t w = 0; w < m_words; ++w) {
    WordRuns runs;
    std::fill(std::begin(runs.of), std::end(runs.of), -1);
    for (int b = 0; b < kItems;) {
      const DWORD menu = m_menuOfBit[w * kItems + b];
      const int first = b;
      while (b < kItems && m_menuOfBit[w * kItems + b] == menu) ++b;
      if (menu == static_cast<DWORD>(menus)) continue;
      std::fill(runs.of + first, runs.of + b, first);
      m_runs.push_back({static_cast<DWORD>(w), menu, first, b});
      ++runsOfMenu[menu];
      const DWORD top = DWORD{1} << (b - 1);
      m_masks.at(kRunLow, w) |= top - (DWORD{1} << first);
      m_masks.at(kRunHigh, w) |= top;
    }
    AddWithinMasks(m_masks, w, runs);
  }
  ClassifyRuns(runsOfMenu);
  m_stride = m_picks.PaddedWords();
  m_has.assign(m_stride * kItems, 0u);
  m_picked.assign(m_picks.Count() * kItems, 0u);
}

// A menu's only run, or the two halves of a menu split by a word's end,
// are filled in from the row alone; the runs of other menus wait for the
// menu words.
void MenuDataGroup::ClassifyRuns(const std::vector<int>& runsOfMenu) {
  std::vector<const Run*> firstOfMenu(runsOfMenu.size(), nullptr);
  for (const Run& run : m_runs)
    if (!firstOfMenu[run.menu]) firstOfMenu[run.menu] = &run;
  std::vector<RunTopPicks::Pick> picks;
  for (const Run& run : m_runs) {
    const Run& first = *firstOfMenu[run.menu];
    // Runs are in word order: a menu's second half, if any, is the run after its first.
    const Run* second = runsOfMenu[run.menu] == 2 ? &first + 1 : nullptr;
    const bool split =
        second && second->menu == first.menu && first.end == 32 && second->first == 0 && second->word == first.word + 1;
    if (!split || &run == &first) picks.push_back({run.word, run.end - 1, run.menu});
    if (runsOfMenu[run.menu] > 1 && !split) {
      m_sharedRuns.push_back(run);
      continue;
    }
    m_masks.at(kFillHigh, run.word) |= DWORD{1} << (run.end - 1);
    if (!split) continue;
    if (&run == &first) {
      m_masks.at(kTailBitsBefore, run.word + 1) = BitsOf(run.first, run.end);
      m_masks.at(kTailHigh, run.word) = DWORD{1} << 31;
    } else {
      m_masks.at(kHeadBitsAfter, run.word - 1) = BitsOf(run.first, run.end);
      m_masks.at(kHeadHigh, run.word) = DWORD{1} << (run.end - 1);
    }
  }
  m_picks = RunTopPicks(picks, m_words, static_cast<DWORD>(m_menus));
}

void MenuDataGroup::Build(const DWORD* const rows[kItems], DWORD* const lenient[kItems]) {
  DWORD* to[kItems];
  for (int i = 0; i < kItems; ++i) {
    const DWORD* from = rows[i] ? rows[i] : m_zeroRow.data();
    to[i] = rows[i] && lenient[i] ? lenient[i] : m_discarded.data();
    DWORD* has = m_has.data() + i * m_stride;
#if QOR_MENU_DATA_HAS_AVX2
    if (m_vector) {
      FillRowAvx2(from, to[i], has, m_masks, m_words);
      continue;
    }
#endif
    FillRowPortable(from, to[i], has, m_masks, m_words);
  }
  std::fill(m_menuWords.begin(), m_menuWords.end(), 0u);
  m_bitGather ? AddPickedMenuWords() : AddMenuWords();
  // A bit without a menu is never filled in.
  m_menuWords[m_menus] = ~0u;
  FillSharedRuns(to);
}

// The OR of each menu's runs, from the highest bits of the group's rows.
void MenuDataGroup::AddMenuWords() {
  Quad v[8];
  DWORD block[kItems];
  const DWORD* has = m_has.data();
  const Run* run = m_runs.data();
  const Run* const runsEnd = run + m_runs.size();
  while (run != runsEnd) {
    const std::size_t w = run->word;
    for (int q = 0; q < 8; ++q)
      v[q] = Quad{has[(4 * q) * m_stride + w], has[(4 * q + 1) * m_stride + w], has[(4 * q + 2) * m_stride + w],
                  has[(4 * q + 3) * m_stride + w]};
    bit_block_turn::Turn32(v);
    std::memcpy(block, v, sizeof block);
    for (; run != runsEnd && run->word == w; ++run) m_menuWords[run->menu] |= block[run->end - 1];
  }
}

// The same from the picked run tops: 64 runs turned at a time.
void MenuDataGroup::AddPickedMenuWords() {
  const std::size_t count = m_picks.Count();
  for (int i = 0; i < kItems; ++i) m_picks.PickRow(m_has.data() + i * m_stride, m_picked.data() + i, kItems, true);
  DWORD block[bit_block_turn::kBits];
  for (std::size_t k = 0; k < count; ++k) {
    bit_block_turn::Turn(m_picked.data() + k * kItems, block, true);
    const DWORD* tags = m_picks.TagsOf(k);
    for (int j = 0; j < bit_block_turn::kBits; ++j) m_menuWords[tags[j]] |= block[j];
  }
}

// The runs of menus with several runs, filled in where the menu's OR found
// no set bit.
void MenuDataGroup::FillSharedRuns(DWORD* const to[kItems]) const {
  for (const Run& run : m_sharedRuns) {
    const DWORD missing = ~m_menuWords[run.menu];
    if (!missing) continue;
    const DWORD mask = BitsOf(run.first, run.end);
    for (int i = 0; i < kItems; ++i)
      if (missing >> i & 1u) to[i][run.word] |= mask;
  }
}
