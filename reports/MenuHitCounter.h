// Counts, per menu, the rows that have at least one attribute of the menu.
//
// A menu whose attributes lie in one run of the row (no other menu's
// attribute between its first and last) is tested for the whole row at
// once: its bits below its last bit, plus all ones, carry into the last bit
// exactly when one of them is set, so one add with carry over the row's
// 64-bit words leaves a "hit" bit per menu. The hits are sparse: words whose
// last bits do not overlap share one word of a short hit row, which is then
// counted bit-sliced like an attribute row. Menus whose attributes are
// interleaved with another menu's are tested piece by piece. Where the
// processor has 512-bit registers, eight row words are added at once and
// their hits picked out by one instruction.
#pragma once

#include <cstdint>
#include <vector>

#include "database/CandidateCounts.h"
#include "database/Records.h"

class MenuHitCounter {
 public:
  // Where the menus lie in a row; worked out once and shared by the
  // counters of one count.
  struct Layout {
    int words = 0;
    int quads = 0;  // 64-bit words of a row
    // Menus in one run, per 64-bit word of the row: their bits below their
    // last bit, the ones added to those, the last bits, the lowest of
    // those, all ones when one run fills the word, and the word of the hit
    // row that takes the hits, turned left by the rotation.
    struct Quad {
      std::uint64_t below = 0, fill = 0, last = 0, firstLast = 0, passes = 0;
      int slot = 0;
      int rotation = 0;
    };
    std::vector<Quad> runQuads;
    int slots = 0;                // 64-bit words of a hit row
    std::vector<WORD> runMenus;   // menus counted by their hit bit
    std::vector<int> runHitBits;  // the bit of each in the hit row
    // The vector kernel's hit row, where the processor has one: eight
    // 64-bit words of the row at a time (a group), each word's last bits
    // picked by index bytes, eight per word, into a 64-bit word of the hit
    // row; a word with more than eight last bits needs more than one pick.
    // Picks of different groups share a word of the hit row where their
    // bytes do not overlap. The words' parts as above, per group.
    struct Pick {
      std::uint64_t indices[8] = {};  // per word of the group: eight bit positions, one a byte
      std::uint64_t keep = 0;         // all ones while the next pick goes to the same word
      int group = 0;
      int slot = 0;
    };
    bool picked = false;
    int groups = 0;
    std::vector<std::uint64_t> groupParts;  // per group its words' below, fill, last and first last bits
    std::vector<std::uint16_t> groupFlags;  // the words whose run fills them, a bit each; more picks than one
    std::vector<Pick> picks;                // in the order of their groups
    std::vector<int> pickEnds;              // per group: the end of its picks
    // Interleaved menus: per menu a run of (word, mask) pieces.
    std::vector<WORD> pieceMenus;
    std::vector<std::size_t> pieceEnds;
    std::vector<int> pieceWords;
    std::vector<DWORD> pieceMasks;
  };
  // menuOf: the menu of every attribute, kNoIndex16 for none. The layout is
  // the vector kernel's where the counts' current kernel is the wide one
  // and the processor has the picking instruction.
  static Layout MakeLayout(const std::vector<WORD>& menuOf, int wordsPerRow, int menus);
  static bool PickingAvailable();

  // The layout must outlive the counter.
  explicit MenuHitCounter(const Layout& layout);

  void AddRow(const DWORD* row);
  // Adds the hit counts of every row added so far to menuCounts (one per menu).
  void AddTo(std::vector<DWORD>& menuCounts);

 private:
  void WriteHits(const DWORD* row, std::uint64_t* hits) const;
  void WritePickedHits(const DWORD* row, std::uint64_t* hits) const;
  void CountPieces(const DWORD* row);

  const Layout& m_layout;
  std::vector<DWORD> m_pieceCounts;  // one per interleaved menu
  CandidateCounter m_hitCounter;
  std::vector<std::uint64_t> m_hitRows;  // as many hit rows as the counter may keep waiting, reused in turn
  int m_nextHitRow = 0;
};
