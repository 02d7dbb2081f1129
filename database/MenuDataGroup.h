// The menu-data bits and lenient rows of 32 consecutive items at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/CandidateCounts.h"
#include "database/Records.h"
#include "database/RunTopPicks.h"

class MenuDataGroup {
 public:
  static constexpr int kItems = 32;

  // menuOfBit: the menu of every bit of a row (32 per row word), or `menus`
  // for a bit whose attribute has no valid menu. The kernel is the same
  // choice as the candidate counts': the 256-bit one fills the rows in, the
  // wide one also picks the run tops out with the 512-bit instructions.
  MenuDataGroup(const std::vector<DWORD>& menuOfBit, std::size_t wordsPerRow, int menus,
                CountKernel kernel = CurrentCountKernel());

  // rows[i] is the row of the group's item i, null for an item that has no
  // data (a free slot, a missing row, past the last item); the lenient row
  // of an item with a row is written to lenient[i] (wordsPerRow words)
  // unless that is null.
  void Build(const DWORD* const rows[kItems], DWORD* const lenient[kItems]);

  // Word m: bit i set when item i has an attribute of menu m.
  const DWORD* MenuWords() const { return m_menuWords.data(); }

  // Per row word, the masks one row is filled in with on its own. A menu
  // split by a word's end into the last run of one word and the first of
  // the next is one run for the fill: each half looks at the other.
  enum Mask {
    kRunLow,          // every bit of a run but its highest
    kRunHigh,         // the highest bit of every run
    kFillHigh,        // the highest bit of every run filled in from its row alone
    kHeadHigh,        // the highest bit of the first run, when it goes on from the word before
    kTailBitsBefore,  // the bits of the word before's last run, when it goes on into this word
    kTailHigh,        // the highest bit, when the last run goes on into the next word
    kHeadBitsAfter,   // the bits of the next word's first run, when it goes on from this word
    kWithin,          // kWithin + k: bit b set when bit b + 2^k is in b's run
    kMasks = kWithin + 5
  };
  // Each mask starts on a cache line, so that no vector read of it spans two.
  struct WordMasks {
    static constexpr std::size_t kAlign = 16;  // words of a cache line
    std::size_t stride = 0;
    std::vector<DWORD> words;  // kMasks masks of `stride` words, from the first aligned word
    const DWORD* First() const { return words.data() + Skipped(); }
    DWORD& at(int mask, std::size_t w) { return words[Skipped() + mask * stride + w]; }

   private:
    std::size_t Skipped() const {
      constexpr std::size_t line = kAlign * sizeof(DWORD);
      return (line - reinterpret_cast<std::uintptr_t>(words.data()) % line) % line / sizeof(DWORD);
    }
  };

 private:
  // Consecutive bits of one row word with one menu.
  struct Run {
    DWORD word;
    DWORD menu;
    int first, end;
  };

  void ClassifyRuns(const std::vector<int>& runsOfMenu);
  void AddMenuWords();
  void AddPickedMenuWords();
  void FillSharedRuns(DWORD* const to[kItems]) const;

  const std::vector<DWORD>& m_menuOfBit;
  std::size_t m_words;
  int m_menus;
  bool m_vector;
  std::vector<Run> m_runs;        // in word order, bits without a menu left out
  std::vector<Run> m_sharedRuns;  // the runs of menus with more runs than the two halves of a split
  WordMasks m_masks;
  std::vector<DWORD> m_menuWords;  // one more, all set: the menu of no menu
  RunTopPicks m_picks;             // one run of each menu, the halves of a split menu having the same top
  bool m_bitGather;
  std::size_t m_stride = 0;             // words per row of m_has, whole blocks of picks
  std::vector<DWORD> m_has;             // per item, per row word: the highest bit of each run that has a set bit
  std::vector<std::uint64_t> m_picked;  // per pick word, per item: its picks of m_has
  std::vector<DWORD> m_zeroRow;         // read for an item without data
  std::vector<DWORD> m_discarded;       // written for an item whose lenient row is not kept
};
