// Per-attribute counts of candidate rows, 8 attributes at a time: each
// byte of a row word adds a table entry with one byte per attribute to a
// 64-bit accumulator, which is emptied into the counts every 255 rows
// before a byte can overflow. No branch depends on the bits.
#pragma once

#include <cstdint>
#include <vector>

#include "database/Records.h"

class CandidateCounter {
 public:
  explicit CandidateCounter(DWORD wordsPerRow) : m_words(wordsPerRow), m_acc(std::size_t{wordsPerRow} * 4, 0) {}

  void AddRow(const DWORD* row);
  // Adds the counts of every row added so far to counts (32 per row word).
  void AddTo(std::vector<DWORD>& counts);

 private:
  void Flush();

  DWORD m_words;
  std::vector<std::uint64_t> m_acc;   // one byte lane per attribute
  std::vector<DWORD> m_flushed;       // counts already taken out of the lanes
  int m_pending = 0;
};
