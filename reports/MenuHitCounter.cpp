#include "reports/MenuHitCounter.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "rows are read as 64-bit words");

namespace {

// How many separate runs each menu's attributes form in row order,
// attributes of no menu left out: one run means no other menu lies between.
std::vector<int> CountRuns(const std::vector<WORD>& menuOf, int bits, int menus) {
  std::vector<int> runs(menus, 0);
  WORD previous = kNoIndex16;
  for (int a = 0; a < bits; ++a) {
    const WORD m = menuOf[a];
    if (m == kNoIndex16) continue;
    if (m != previous) ++runs[m];
    previous = m;
  }
  return runs;
}

using Quad = MenuHitCounter::Layout::Quad;

void SetBit(std::vector<Quad>& quads, std::uint64_t Quad::*part, int a) {
  quads[a / 64].*part |= std::uint64_t{1} << (a % 64);
}

inline std::uint64_t RotateLeft(std::uint64_t x, int by) { return std::rotl(x, by); }

// Gives each word of the row a word of the hit row, and a rotation, such
// that its last bits land on bits no other word takes; neighbouring words go
// to different ones where they can, so that writing one word's hits need
// not wait for the last.
void AssignHitSlots(MenuHitCounter::Layout& layout) {
  constexpr std::size_t kApart = 4;
  std::vector<std::uint64_t> taken;
  for (std::size_t q = 0; q < layout.runQuads.size(); ++q) {
    Quad& quad = layout.runQuads[q];
    const auto recent = [&](int slot) {
      for (std::size_t back = 1; back < kApart && back <= q; ++back)
        if (layout.runQuads[q - back].slot == slot) return true;
      return false;
    };
    const auto place = [&](bool avoidRecent) {
      for (int slot = 0; slot < static_cast<int>(taken.size()); ++slot) {
        if (avoidRecent && recent(slot)) continue;
        for (int by = 0; by < 64; ++by)
          if (!(RotateLeft(quad.last, by) & taken[slot])) {
            quad.slot = slot;
            quad.rotation = by;
            return true;
          }
      }
      return false;
    };
    if (!place(true) && !place(false)) {
      quad.slot = static_cast<int>(taken.size());
      quad.rotation = 0;
      taken.push_back(0);
    }
    taken[quad.slot] |= RotateLeft(quad.last, quad.rotation);
  }
  layout.slots = static_cast<int>(taken.size());
}

void AddRunMenus(const std::vector<WORD>& menuOf, int bits, const std::vector<int>& runs,
                 MenuHitCounter::Layout& layout) {
  layout.runQuads.assign(layout.quads, Quad{});
  std::vector<int> first(runs.size(), -1), last(runs.size(), -1);
  for (int a = 0; a < bits; ++a) {
    const WORD m = menuOf[a];
    if (m == kNoIndex16 || runs[m] != 1) continue;
    if (first[m] < 0) first[m] = a;
    last[m] = a;
  }
  std::vector<int> lastBits;
  for (std::size_t m = 0; m < runs.size(); ++m) {
    if (first[m] < 0) continue;
    layout.runMenus.push_back(static_cast<WORD>(m));
    lastBits.push_back(last[m]);
    SetBit(layout.runQuads, &Quad::last, last[m]);
    // The ones span the attributes of no menu inside the run too, so that a
    // carry passes them; only the menu's own bits are taken from the row.
    for (int a = first[m]; a < last[m]; ++a) {
      SetBit(layout.runQuads, &Quad::fill, a);
      if (menuOf[a] == m) SetBit(layout.runQuads, &Quad::below, a);
    }
  }
  for (Quad& quad : layout.runQuads) {
    quad.firstLast = quad.last & (0 - quad.last);
    quad.passes = quad.fill == ~std::uint64_t{0} ? ~std::uint64_t{0} : 0;
  }
  AssignHitSlots(layout);
  for (int bit : lastBits) {
    const Quad& quad = layout.runQuads[bit / 64];
    layout.runHitBits.push_back(quad.slot * 64 + (bit % 64 + quad.rotation) % 64);
  }
}

void AddInterleavedMenus(const std::vector<WORD>& menuOf, int bits, const std::vector<int>& runs,
                         MenuHitCounter::Layout& layout) {
  struct Piece {
    int word;
    DWORD mask;
  };
  std::vector<std::vector<Piece>> perMenu(runs.size());
  for (int a = 0; a < bits; ++a) {
    const WORD m = menuOf[a];
    if (m == kNoIndex16 || runs[m] < 2) continue;
    auto& list = perMenu[m];
    if (list.empty() || list.back().word != a / 32) list.push_back({a / 32, 0});
    list.back().mask |= DWORD{1} << (a % 32);
  }
  for (std::size_t m = 0; m < perMenu.size(); ++m) {
    if (perMenu[m].empty()) continue;
    for (const Piece& piece : perMenu[m]) {
      layout.pieceWords.push_back(piece.word);
      layout.pieceMasks.push_back(piece.mask);
    }
    layout.pieceMenus.push_back(static_cast<WORD>(m));
    layout.pieceEnds.push_back(layout.pieceWords.size());
  }
}

// One 64-bit word of the run menus' hits: a menu's bits below its last,
// plus all ones, carry into its last bit when any is set. A carry out of
// the word below can only enter the run that begins the word: it sets that
// run's last bit, or passes on when the run fills the whole word. So the
// words are added on their own and only that one bit waits for the word
// below, which keeps the loop from stalling on a chain of adds.
inline std::uint64_t QuadHits(std::uint64_t x, const Quad& quad, std::uint64_t& carried) {
  const std::uint64_t own = x & quad.below;
  const std::uint64_t sum = own + quad.fill;
  const std::uint64_t hit = ((sum | x) & quad.last) | (quad.firstLast & carried);
  carried = (0 - static_cast<std::uint64_t>(sum < own)) | (carried & quad.passes);
  return hit;
}

}  // namespace

MenuHitCounter::Layout MenuHitCounter::MakeLayout(const std::vector<WORD>& menuOf, int wordsPerRow, int menus) {
  Layout layout;
  layout.words = wordsPerRow;
  layout.quads = (wordsPerRow + 1) / 2;
  const int bits = std::min(static_cast<int>(menuOf.size()), 32 * wordsPerRow);
  const std::vector<int> runs = CountRuns(menuOf, bits, menus);
  AddRunMenus(menuOf, bits, runs, layout);
  AddInterleavedMenus(menuOf, bits, runs, layout);
  return layout;
}

MenuHitCounter::MenuHitCounter(const Layout& layout)
    : m_layout(layout),
      m_pieceCounts(layout.pieceMenus.size(), 0),
      m_hitCounter(static_cast<DWORD>(2 * layout.slots)),
      m_hitRows(std::size_t{CandidateCounter::kMostRowsWaiting} * layout.slots, 0) {}

void MenuHitCounter::WriteHits(const DWORD* row, std::uint64_t* hits) const {
  const Quad* quads = m_layout.runQuads.data();
  for (int k = 0; k < m_layout.slots; ++k) hits[k] = 0;
  const int whole = m_layout.words / 2;
  std::uint64_t carry = 0;  // all ones while a carry comes from the word below
  // Unrolled: the loop's own count and jump are a good share of so short a body.
#pragma GCC unroll 4
  for (int q = 0; q < whole; ++q) {
    std::uint64_t x;
    std::memcpy(&x, row + 2 * q, sizeof x);  // the row words in order, low word first
    hits[quads[q].slot] |= RotateLeft(QuadHits(x, quads[q], carry), quads[q].rotation);
  }
  if (whole < m_layout.quads)
    hits[quads[whole].slot] |= RotateLeft(QuadHits(row[2 * whole], quads[whole], carry), quads[whole].rotation);
}

void MenuHitCounter::CountPieces(const DWORD* row) {
  const int* words = m_layout.pieceWords.data();
  const DWORD* masks = m_layout.pieceMasks.data();
  std::size_t i = 0;
  for (std::size_t k = 0; k < m_layout.pieceMenus.size(); ++k) {
    DWORD any = 0;
    for (const std::size_t end = m_layout.pieceEnds[k]; i < end; ++i) any |= row[words[i]] & masks[i];
    m_pieceCounts[k] += any != 0;
  }
}

void MenuHitCounter::AddRow(const DWORD* row) {
  if (!m_layout.runMenus.empty()) {
    std::uint64_t* hits = m_hitRows.data() + std::size_t{static_cast<unsigned>(m_nextHitRow)} * m_layout.slots;
    WriteHits(row, hits);
    // The counter reads rows byte-wise, so it may read these words as its own.
    m_hitCounter.AddRow(reinterpret_cast<const DWORD*>(hits));
    m_nextHitRow = (m_nextHitRow + 1) % CandidateCounter::kMostRowsWaiting;
  }
  if (!m_layout.pieceMenus.empty()) CountPieces(row);
}

void MenuHitCounter::AddTo(std::vector<DWORD>& menuCounts) {
  if (!m_layout.runMenus.empty()) {
    std::vector<DWORD> bitCounts;
    m_hitCounter.AddTo(bitCounts);
    for (std::size_t k = 0; k < m_layout.runMenus.size(); ++k)
      menuCounts[m_layout.runMenus[k]] += bitCounts[m_layout.runHitBits[k]];
  }
  for (std::size_t k = 0; k < m_layout.pieceMenus.size(); ++k) menuCounts[m_layout.pieceMenus[k]] += m_pieceCounts[k];
}
