// The menu-data bits and lenient rows of 32 consecutive items at a time.
#pragma once

#include <cstddef>
#include <vector>

#include "database/Records.h"

class MenuDataGroup {
 public:
  static constexpr int kItems = 32;

  // menuOfBit: the menu of every bit of a row (32 per row word), or `menus`
  // for a bit whose attribute has no valid menu.
  MenuDataGroup(const std::vector<DWORD>& menuOfBit, std::size_t wordsPerRow, int menus);

  // rows[i] is the row of the group's item i, null for an item that has no
  // data (a free slot, a missing row, past the last item); the lenient row
  // of an item with a row is written to lenient[i] (wordsPerRow words)
  // unless that is null.
  void Build(const DWORD* const rows[kItems], DWORD* const lenient[kItems]);

  // Word m: bit i set when item i has an attribute of menu m.
  const DWORD* MenuWords() const { return m_menuWords.data(); }

 private:
  // Consecutive bits of one row word with one menu.
  struct Run {
    DWORD word;
    DWORD menu;
    int first, end;
  };

  const std::vector<DWORD>& m_menuOfBit;
  std::size_t m_words;
  int m_menus;
  std::vector<Run> m_runs;         // in word order, bits without a menu left out
  std::vector<DWORD> m_menuWords;  // one more, all set: the menu of no menu
  std::vector<DWORD> m_runLow;     // per row word: every bit of a run but its highest
  std::vector<DWORD> m_runHigh;    // per row word: the highest bit of every run
  std::vector<DWORD> m_zeroRow;    // read for an item without data
  std::vector<DWORD> m_discarded;  // written for an item whose lenient row is not kept
};
