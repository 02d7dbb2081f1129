// Per-attribute counts of candidate rows, 8 attributes at a time: each
// byte of a row word adds a table entry with one byte per attribute to a
// 64-bit accumulator, which is emptied into the counts before a byte can
// overflow. Rows are taken four at a time, so that each accumulator is
// read and written once per four rows. No branch depends on the bits.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "database/Records.h"

class CandidateCounter {
 public:
  explicit CandidateCounter(DWORD wordsPerRow)
      : m_words(wordsPerRow), m_acc(std::size_t{wordsPerRow} * 4, 0), m_zeroRow(wordsPerRow, 0) {}

  // The row must stay valid until the next AddTo: it may wait in a batch.
  void AddRow(const DWORD* row);
  // Adds the counts of every row added so far to counts (32 per row word).
  void AddTo(std::vector<DWORD>& counts);

 private:
  static constexpr int kBatch = 4;
  void AddBatch();
  void Flush();

  DWORD m_words;
  std::vector<std::uint64_t> m_acc;   // one byte lane per attribute
  std::vector<DWORD> m_flushed;       // counts already taken out of the lanes
  std::vector<DWORD> m_zeroRow;       // fills a short last batch
  std::array<const DWORD*, kBatch> m_batch{};
  int m_batched = 0;
  int m_pending = 0;  // rows in the lanes, at most 255
};
