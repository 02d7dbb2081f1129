#include "reports/MenuHitCounter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "database/ProcessorFeatures.h"

// The vector kernel is built where both compilers can build one function for
// registers the rest of the program does not assume, and choose it at run
// time; everywhere else the run menus are tested a word at a time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QOR_MENU_HITS_HAVE_PICKS 1
#define QOR_PICK_TARGET __attribute__((target("avx2,avx512f,avx512bw,avx512bitalg")))
// The loop's own steps, inlined by force: a call per group costs as much as its work.
#define QOR_PICK_STEP __attribute__((target("avx2,avx512f,avx512bw,avx512bitalg"), always_inline))
#else
#define QOR_MENU_HITS_HAVE_PICKS 0
#endif

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

// The run menus' parts of each word; returns each run menu's last bit.
std::vector<int> AddRunMenus(const std::vector<WORD>& menuOf, int bits, const std::vector<int>& runs,
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
  return lastBits;
}

void AddHitSlots(const std::vector<int>& lastBits, MenuHitCounter::Layout& layout) {
  AssignHitSlots(layout);
  for (int bit : lastBits) {
    const Quad& quad = layout.runQuads[bit / 64];
    layout.runHitBits.push_back(quad.slot * 64 + (bit % 64 + quad.rotation) % 64);
  }
}

using Pick = MenuHitCounter::Layout::Pick;
constexpr int kGroup = 8;                    // 64-bit words of the row added at once
constexpr int kGroupParts = 4 * kGroup;      // a group's below, fill, last and first last bits
constexpr std::uint16_t kMorePicks = 0x100;  // a group's flag: its words hold more than eight last bits

// Where one pick of a group goes: the newest word of the hit row when each
// of the group's words finds there as many free bytes as it has last bits
// in this pick, else a new word. The picks of one word of the hit row thus
// come one after the other, and the word is gathered in a register.
int PlacePick(const std::array<int, kGroup>& need, std::vector<std::uint64_t>& taken) {
  const auto fits = [&](std::uint64_t bytes) {
    for (int lane = 0; lane < kGroup; ++lane)
      if (std::popcount(~(bytes >> (8 * lane)) & 0xFF) < need[lane]) return false;
    return true;
  };
  if (taken.empty() || !fits(taken.back())) taken.push_back(0);
  return static_cast<int>(taken.size()) - 1;
}

// The vector kernel's layout: the groups' parts and their picks; each run
// menu's hit bit is where its last bit is picked to.
void AddPicks(const std::vector<int>& lastBits, MenuHitCounter::Layout& layout) {
  const int groups = (layout.quads + kGroup - 1) / kGroup;
  const std::size_t padded = std::size_t{static_cast<unsigned>(groups)} * kGroup;
  layout.picked = true;
  layout.groups = groups;
  layout.groupParts.assign(std::size_t{static_cast<unsigned>(groups)} * kGroupParts, 0);
  layout.groupFlags.assign(groups, 0);
  const auto lastOf = [&](std::size_t q) {
    return q < std::size_t{static_cast<unsigned>(layout.quads)} ? layout.runQuads[q].last : 0;
  };
  for (int q = 0; q < layout.quads; ++q) {
    const Quad& quad = layout.runQuads[q];
    std::uint64_t* parts = layout.groupParts.data() + kGroupParts * (q / kGroup) + q % kGroup;
    parts[0] = quad.below;
    parts[kGroup] = quad.fill;
    parts[2 * kGroup] = quad.last;
    parts[3 * kGroup] = quad.firstLast;
    if (quad.passes) layout.groupFlags[q / kGroup] |= static_cast<std::uint16_t>(1u << (q % kGroup));
  }
  std::vector<int> hitBitOf(padded * 64, -1);  // per bit of the row
  std::vector<std::uint64_t> taken;            // per word of the hit row: its bytes taken, a bit each
  for (int g = 0; g < groups; ++g) {
    int most = 0;
    for (int lane = 0; lane < kGroup; ++lane)
      most = std::max(most, std::popcount(lastOf(std::size_t{static_cast<unsigned>(g * kGroup + lane)})));
    // Every group has a pick, if only one that reads nothing, so that the
    // loop over the groups takes one pick a group without asking.
    if (most > 8) layout.groupFlags[g] |= kMorePicks;
    for (int from = 0; from < std::max(most, 1); from += 8) {
      std::array<int, kGroup> need{};
      for (int lane = 0; lane < kGroup; ++lane)
        need[lane] =
            std::clamp(std::popcount(lastOf(std::size_t{static_cast<unsigned>(g * kGroup + lane)})) - from, 0, 8);
      Pick pick;
      pick.group = g;
      pick.slot = PlacePick(need, taken);
      for (int lane = 0; lane < kGroup; ++lane) {
        const std::size_t q = std::size_t{static_cast<unsigned>(g * kGroup + lane)};
        const std::uint64_t last = lastOf(q);
        // Bytes this pick does not fill read a bit that is never a hit.
        const int zero = last == ~std::uint64_t{0} ? 0 : std::countr_one(last);
        std::uint64_t rest = last;
        for (int k = 0; k < from; ++k) rest &= rest - 1;
        std::uint64_t indices = 0;
        int placed = 0;
        for (int byte = 0; byte < 8; ++byte) {
          const int bit = lane * 8 + byte;
          int index = zero;
          if (placed < need[lane] && !(taken[pick.slot] >> bit & 1)) {
            index = std::countr_zero(rest);
            rest &= rest - 1;
            ++placed;
            taken[pick.slot] |= std::uint64_t{1} << bit;
            hitBitOf[q * 64 + index] = pick.slot * 64 + bit;
          }
          indices |= static_cast<std::uint64_t>(index) << (8 * byte);
        }
        pick.indices[lane] = indices;
      }
      layout.picks.push_back(pick);
    }
    layout.pickEnds.push_back(static_cast<int>(layout.picks.size()));
  }
  for (std::size_t k = 0; k < layout.picks.size(); ++k)
    layout.picks[k].keep =
        k + 1 < layout.picks.size() && layout.picks[k + 1].slot == layout.picks[k].slot ? ~std::uint64_t{0} : 0;
  layout.slots = static_cast<int>(taken.size());
  for (int bit : lastBits) layout.runHitBits.push_back(hitBitOf[bit]);
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

#if QOR_MENU_HITS_HAVE_PICKS
namespace {

// Eight words of the row at once, as QuadHits does them one by one. The
// carry out of each word is the top bit of (own & fill) | ((own | fill) &
// ~sum); moved one word up, it is the carry into the next word, and the
// last word's goes on to the next group in `carries`. A word whose run
// fills it passes a carry on; where the group has such a word (`passes`),
// the carries go through an add of the words' bit masks instead.
QOR_PICK_STEP inline __m512i GroupHits(__m512i x, const std::uint64_t* parts, unsigned passes, __m512i& carries) {
  const __m512i own = _mm512_and_si512(x, _mm512_loadu_si512(parts));
  const __m512i fill = _mm512_loadu_si512(parts + kGroup);
  const __m512i sum = _mm512_add_epi64(own, fill);
  // (sum | x) & last: the run menus' hits within their words.
  const __m512i hit = _mm512_ternarylogic_epi64(sum, x, _mm512_loadu_si512(parts + 2 * kGroup), 0xA8);
  const __m512i firstLast = _mm512_loadu_si512(parts + 3 * kGroup);
  if (passes) {
    const unsigned carried =
        static_cast<unsigned>(_mm512_cmplt_epi64_mask(carries, _mm512_setzero_si512())) >> (kGroup - 1);
    const unsigned out = _mm512_cmplt_epu64_mask(sum, own);
    const unsigned through = out | passes;
    const unsigned added = through + out + carried;
    carries = _mm512_maskz_set1_epi64(static_cast<__mmask8>(added >> 1), std::int64_t{-1});
    return _mm512_mask_or_epi64(hit, static_cast<__mmask8>(added ^ through ^ out), hit, firstLast);
  }
  const __m512i out = _mm512_ternarylogic_epi64(own, fill, sum, 0xD4);
  const __m512i into = _mm512_maskz_srai_epi64(0xFF, _mm512_maskz_alignr_epi64(0xFF, out, carries, kGroup - 1), 63);
  carries = out;
  return _mm512_ternarylogic_epi64(hit, into, firstLast, 0xF8);  // hit | (into & firstLast)
}

// Each group's hits, picked into the hit row as they come: the picks of one
// word of the hit row come one after the other, gathered in a register.
// Most groups have no word a run fills and one pick; the others take the
// longer way.
QOR_PICK_TARGET void WriteGroupHits(const MenuHitCounter::Layout& layout, const DWORD* row, std::uint64_t* hits) {
  const int groups = layout.groups;
  const int whole = std::min(groups, layout.words / (2 * kGroup));
  const std::uint64_t* parts = layout.groupParts.data();
  const Pick* pick = layout.picks.data();
  __m512i carries = _mm512_setzero_si512();  // top bit of the last word: a carry comes from the group below
  std::uint64_t gathered = 0;
  const auto take = [&](const __m512i hit) QOR_PICK_STEP {
    gathered |= _mm512_bitshuffle_epi64_mask(hit, _mm512_loadu_si512(pick->indices));
    hits[pick->slot] = gathered;
    gathered &= pick->keep;
    ++pick;
  };
  const auto group = [&](const __m512i x, int g) QOR_PICK_STEP {
    const unsigned flags = layout.groupFlags[g];
    const std::uint64_t* own = parts + kGroupParts * g;
    if (!flags) return take(GroupHits(x, own, 0, carries));
    const __m512i hit = GroupHits(x, own, flags & 0xFF, carries);
    const Pick* end = layout.picks.data() + layout.pickEnds[g];
    while (pick != end) take(hit);  // each take moves on to the next pick
  };
  for (int g = 0; g < whole; ++g) group(_mm512_loadu_si512(row + 2 * kGroup * g), g);
  if (whole < groups) {
    // The row's last group is short: its missing words read as zeros.
    const int left = layout.words - 2 * kGroup * whole;
    group(_mm512_maskz_loadu_epi32(static_cast<__mmask16>((1u << left) - 1), row + 2 * kGroup * whole), whole);
  }
}

}  // namespace
#endif

bool MenuHitCounter::PickingAvailable() {
#if QOR_MENU_HITS_HAVE_PICKS
  return processor_features::HasBitGather();
#else
  return false;
#endif
}

MenuHitCounter::Layout MenuHitCounter::MakeLayout(const std::vector<WORD>& menuOf, int wordsPerRow, int menus) {
  Layout layout;
  layout.words = wordsPerRow;
  layout.quads = (wordsPerRow + 1) / 2;
  const int bits = std::min(static_cast<int>(menuOf.size()), 32 * wordsPerRow);
  const std::vector<int> runs = CountRuns(menuOf, bits, menus);
  const std::vector<int> lastBits = AddRunMenus(menuOf, bits, runs, layout);
  if (CurrentCountKernel() == CountKernel::Wide && PickingAvailable())
    AddPicks(lastBits, layout);
  else
    AddHitSlots(lastBits, layout);
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

void MenuHitCounter::WritePickedHits(const DWORD* row, std::uint64_t* hits) const {
  // Every word of the hit row is written by its last pick.
#if QOR_MENU_HITS_HAVE_PICKS
  WriteGroupHits(m_layout, row, hits);
#else
  (void)row;
  (void)hits;
#endif
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
    if (m_layout.picked)
      WritePickedHits(row, hits);
    else
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
