// Rows hold one item's attributes; the menu data wants one menu's items.
// Turning each 32x32 block of bits (32 items x one row word) on its side
// gives a word of 32 items per attribute, so that a menu's data for the
// whole group is an OR of its attributes' words, and the fill of every
// lenient row comes back by turning the menu words' complements over the
// same way: a few operations per word in place of a loop over every menu
// in every item's row.
#include "database/MenuDataGroup.h"

#include <algorithm>
#include <cstring>

namespace {

// Four row words side by side, as the processor's vector registers hold them.
typedef DWORD Quad __attribute__((vector_size(16)));

// Swaps the off-diagonal halves of every block of 2j x 2j bits whose rows
// lie in two different quads: bit c + j of row r with bit c of row r + j.
template <int J>
[[gnu::always_inline]] inline void SwapAcrossQuads(Quad (&v)[8], DWORD mask) {
  constexpr int step = J / 4;
  for (int q = 0; q < 8; q = (q + step + 1) & ~step) {
    const Quad t = ((v[q] >> J) ^ v[q + step]) & mask;
    v[q] ^= t << J;
    v[q + step] ^= t;
  }
}

// The same for rows j apart within one quad: the partner lanes come from a
// shuffle, and the lower lane's difference goes back to the upper one.
template <int J>
[[gnu::always_inline]] inline void SwapWithinQuads(Quad (&v)[8], DWORD mask) {
  const Quad lowLanes = J == 2 ? Quad{mask, mask, 0, 0} : Quad{mask, 0, mask, 0};
  for (Quad& a : v) {
    const Quad partner = J == 2 ? __builtin_shufflevector(a, a, 2, 3, 0, 1) : __builtin_shufflevector(a, a, 1, 0, 3, 2);
    const Quad t = ((a >> J) ^ partner) & lowLanes;
    a ^= (t << J) | (J == 2 ? __builtin_shufflevector(t, t, 2, 3, 0, 1) : __builtin_shufflevector(t, t, 1, 0, 3, 2));
  }
}

// In place: bit c of word r becomes bit r of word c, word r being lane
// r % 4 of quad r / 4. The quads are built in registers: written word by
// word to memory and read back whole, they would wait on the stores.
[[gnu::always_inline]] inline void Transpose(Quad (&v)[8]) {
  SwapAcrossQuads<16>(v, 0x0000FFFFu);
  SwapAcrossQuads<8>(v, 0x00FF00FFu);
  SwapAcrossQuads<4>(v, 0x0F0F0F0Fu);
  SwapWithinQuads<2>(v, 0x33333333u);
  SwapWithinQuads<1>(v, 0x55555555u);
}

constexpr std::size_t kWordsPerLine = 16;
constexpr std::size_t kFetchAhead = 4 * kWordsPerLine;

}  // namespace

MenuDataGroup::MenuDataGroup(const std::vector<DWORD>& menuOfBit, std::size_t wordsPerRow, int menus)
    : m_menuOfBit(menuOfBit),
      m_words(wordsPerRow),
      m_menus(menus),
      m_menuWords(static_cast<std::size_t>(menus) + 1),
      m_runLow(wordsPerRow, 0u),
      m_runHigh(wordsPerRow, 0u),
      m_zeroRow(wordsPerRow, 0u),
      m_discarded(wordsPerRow) {
  for (std::size_t w = 0; w < m_words; ++w)
    for (int b = 0; b < kItems;) {
      const DWORD menu = m_menuOfBit[w * kItems + b];
      const int first = b;
      while (b < kItems && m_menuOfBit[w * kItems + b] == menu) ++b;
      if (menu == static_cast<DWORD>(menus)) continue;
      m_runs.push_back({static_cast<DWORD>(w), menu, first, b});
      const DWORD top = DWORD{1} << (b - 1);
      m_runLow[w] |= top - (DWORD{1} << first);
      m_runHigh[w] |= top;
    }
}

void MenuDataGroup::Build(const DWORD* const rows[kItems], DWORD* const lenient[kItems]) {
  const DWORD* from[kItems];
  DWORD* to[kItems];
  for (int i = 0; i < kItems; ++i) {
    from[i] = rows[i] ? rows[i] : m_zeroRow.data();
    to[i] = rows[i] && lenient[i] ? lenient[i] : m_discarded.data();
  }
  std::fill(m_menuWords.begin(), m_menuWords.end(), 0u);
  Quad v[8];
  DWORD block[kItems];
  const Run* run = m_runs.data();
  const Run* const runsEnd = run + m_runs.size();
  for (std::size_t w = 0; w < m_words; ++w) {
    // 32 rows are read side by side, more streams than the processor
    // follows by itself: each row's next lines are asked for ahead.
    if (w % kWordsPerLine == 0 && w + kFetchAhead < m_words)
      for (int i = 0; i < kItems; ++i) __builtin_prefetch(from[i] + w + kFetchAhead);
    // Whether a run holds any set bit lands on its highest bit: adding the
    // run's lower bits to themselves carries into it exactly when one of
    // them is set, and never past it. After the turn, that bit's word holds
    // the run's items, with no loop over the run's bits.
    const DWORD low = m_runLow[w], high = m_runHigh[w];
    for (int q = 0; q < 8; ++q) {
      const Quad row = {from[4 * q][w], from[4 * q + 1][w], from[4 * q + 2][w], from[4 * q + 3][w]};
      v[q] = (((row & low) + low) | row) & high;
    }
    Transpose(v);
    std::memcpy(block, v, sizeof block);
    for (; run != runsEnd && run->word == w; ++run) m_menuWords[run->menu] |= block[run->end - 1];
  }
  // A bit without a menu is never filled in.
  m_menuWords[m_menus] = ~0u;
  const DWORD* menuOf = m_menuOfBit.data();
  const DWORD* has = m_menuWords.data();
  for (std::size_t w = 0; w < m_words; ++w, menuOf += kItems) {
    for (int q = 0; q < 8; ++q)
      v[q] = ~Quad{has[menuOf[4 * q]], has[menuOf[4 * q + 1]], has[menuOf[4 * q + 2]], has[menuOf[4 * q + 3]]};
    Transpose(v);
    std::memcpy(block, v, sizeof block);
    for (int i = 0; i < kItems; ++i) to[i][w] = from[i][w] | block[i];
  }
}
