// Counts, per menu, the rows that have at least one attribute of the menu.
//
// A menu whose attributes lie in one run of the row (no other menu's
// attribute between its first and last) is tested for the whole row at
// once: its bits below its last bit, plus all ones, carry into the last bit
// exactly when one of them is set, so one add with carry over the row's
// 64-bit words leaves a "hit" bit per menu. The hits are sparse: words whose
// last bits do not overlap share one word of a short hit row, which is then
// counted bit-sliced like an attribute row. Menus whose attributes are
// interleaved with another menu's are tested piece by piece.
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
    // Interleaved menus: per menu a run of (word, mask) pieces.
    std::vector<WORD> pieceMenus;
    std::vector<std::size_t> pieceEnds;
    std::vector<int> pieceWords;
    std::vector<DWORD> pieceMasks;
  };
  // menuOf: the menu of every attribute, kNoIndex16 for none.
  static Layout MakeLayout(const std::vector<WORD>& menuOf, int wordsPerRow, int menus);

  // The layout must outlive the counter.
  explicit MenuHitCounter(const Layout& layout);

  void AddRow(const DWORD* row);
  // Adds the hit counts of every row added so far to menuCounts (one per menu).
  void AddTo(std::vector<DWORD>& menuCounts);

 private:
  void WriteHits(const DWORD* row, std::uint64_t* hits) const;
  void CountPieces(const DWORD* row);

  const Layout& m_layout;
  std::vector<DWORD> m_pieceCounts;  // one per interleaved menu
  CandidateCounter m_hitCounter;
  std::vector<std::uint64_t> m_hitRows;  // as many hit rows as the counter may keep waiting, reused in turn
  int m_nextHitRow = 0;
};
