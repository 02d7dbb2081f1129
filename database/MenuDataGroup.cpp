// Rows hold one item's attributes; the menu data wants one menu's items.
//
// Each row word is read once: whether a run of one menu's bits holds a set
// bit lands on the run's highest bit. The group's 32 rows of
// those answers are then turned on their side, which gives a word of 32
// items per run: a menu's data for the whole group is the OR of its runs'
// words. With the 512-bit instructions the runs' answers are picked out of
// each row first, so that 64 runs are turned at a time; otherwise every row
// word with runs is turned, 32 x 32 bits.
#include "database/MenuDataGroup.h"

#include "database/BitBlockTurn.h"
#include "database/VectorWords.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QOR_MENU_DATA_HAS_AVX2 1
#else
#define QOR_MENU_DATA_HAS_AVX2 0
#endif

namespace {

// Vectors never cross a call: every function taking them is inlined by force.
#pragma GCC diagnostic ignored "-Wpsabi"

using bit_block_turn::Quad;

using vector_words::Load;
using vector_words::Store;

// The highest bit of each run that holds a set bit of `row`, for a word or
// several side by side: adding a run's lower bits to themselves carries
// into its highest bit exactly when one of them is set, and never past it.
template <typename T>
[[gnu::always_inline]] inline T RunTops(const T& row, const T& low, const T& high) {
  return (((row & low) + low) | row) & high;
}

// The run tops of a whole row, several words side by side, then its last
// words one at a time.
template <typename T>
[[gnu::always_inline]] inline void RunTopsOfRowWith(const DWORD* row, DWORD* tops, const RunTopPicks::RunMasks& masks,
                                                    std::size_t words) {
  constexpr std::size_t lanes = sizeof(T) / sizeof(DWORD);
  const DWORD* low = masks.Low();
  const DWORD* high = masks.High();
  std::size_t w = 0;
  for (; w + lanes <= words; w += lanes)
    Store(tops + w, RunTops(Load<T>(row + w), Load<T>(low + w), Load<T>(high + w)));
  for (; w < words; ++w) tops[w] = RunTops(row[w], low[w], high[w]);
}

void RunTopsOfRowPortable(const DWORD* row, DWORD* tops, const RunTopPicks::RunMasks& masks, std::size_t words) {
  RunTopsOfRowWith<Quad>(row, tops, masks, words);
}

#if QOR_MENU_DATA_HAS_AVX2
typedef DWORD Octet __attribute__((vector_size(32)));

__attribute__((target("avx2"))) void RunTopsOfRowAvx2(const DWORD* row, DWORD* tops, const RunTopPicks::RunMasks& masks,
                                                      std::size_t words) {
  RunTopsOfRowWith<Octet>(row, tops, masks, words);
}
#endif

}  // namespace

MenuDataGroup::MenuDataGroup(const MenuRunPlan& plan)
    : m_plan(plan), m_stride(plan.PaddedWords()), m_zeroRow(plan.Words(), 0u) {
  if (m_plan.BitGather()) {
    m_picked.assign(m_plan.Picks().Count() * kItems, 0u);
    m_slotWords.assign(m_plan.Picks().Count() * RunTopPicks::kPicksPerPass, 0u);
  } else {
    m_has.assign(m_stride * kItems, 0u);
  }
}

void MenuDataGroup::Build(const DWORD* const rows[kItems], DWORD* menuWords) {
  std::fill(menuWords, menuWords + m_plan.Menus(), 0u);
  m_plan.BitGather() ? AddPickedMenuWords(rows, menuWords) : AddMenuWords(rows, menuWords);
}

// Each row word with runs turned with the group's 31 others, and each run's
// word of items ORed into its menu's.
void MenuDataGroup::AddMenuWords(const DWORD* const rows[kItems], DWORD* menuWords) {
  const std::size_t words = m_plan.Words();
  for (int i = 0; i < kItems; ++i) {
    const DWORD* from = rows[i] ? rows[i] : m_zeroRow.data();
    DWORD* has = m_has.data() + i * m_stride;
#if QOR_MENU_DATA_HAS_AVX2
    if (m_plan.Vector()) {
      RunTopsOfRowAvx2(from, has, m_plan.Masks(), words);
      continue;
    }
#endif
    RunTopsOfRowPortable(from, has, m_plan.Masks(), words);
  }
  Quad v[8];
  DWORD block[kItems];
  const std::vector<MenuRunPlan::Run>& runs = m_plan.Runs();
  for (auto run = runs.begin(); run != runs.end();) {
    const std::size_t w = run->word;
    for (int q = 0; q < 8; ++q)
      v[q] = Quad{m_has[(4 * q) * m_stride + w], m_has[(4 * q + 1) * m_stride + w], m_has[(4 * q + 2) * m_stride + w],
                  m_has[(4 * q + 3) * m_stride + w]};
    bit_block_turn::Turn32(v);
    std::memcpy(block, v, sizeof block);
    for (; run != runs.end() && run->word == w; ++run) menuWords[run->menu] |= block[run->end - 1];
  }
}

// The same from the runs' answers picked out of each row: 64 runs turned at
// a time, then each menu's word taken from its slots.
void MenuDataGroup::AddPickedMenuWords(const DWORD* const rows[kItems], DWORD* menuWords) {
  const RunTopPicks& picks = m_plan.Picks();
  for (int i = 0; i < kItems; ++i) {
    // Each row is read once, so it is never in the cache when its turn
    // comes: the one two rows on is asked for.
    if (i + 2 < kItems && rows[i + 2])
      for (std::size_t w = 0; w < m_plan.Words(); w += 16) __builtin_prefetch(rows[i + 2] + w);
    picks.PickRow(rows[i] ? rows[i] : m_zeroRow.data(), m_plan.Words(), m_plan.Masks(), m_picked.data() + i, kItems,
                  true);
  }
  for (std::size_t k = 0; k < picks.Count(); ++k)
    bit_block_turn::Turn(m_picked.data() + k * kItems, m_slotWords.data() + k * RunTopPicks::kPicksPerPass, true);
  for (const MenuRunPlan::MenuSlot& s : m_plan.FirstSlots()) menuWords[s.menu] = m_slotWords[s.slot];
  for (const MenuRunPlan::MenuSlot& s : m_plan.MoreSlots()) menuWords[s.menu] |= m_slotWords[s.slot];
}
