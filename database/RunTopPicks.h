// The highest bits of chosen runs of a row, gathered 64 at a time by the
// processor's bit-gather instruction (each of a 512-bit block's eight
// 64-bit lanes gives eight bits of its own per pass), so that a group's
// rows of run tops are turned on their side 64 runs at a time instead of
// one row word at a time. Only where the processor has the instruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/Records.h"

class RunTopPicks {
 public:
  static constexpr std::size_t kBlockWords = 16;
  static constexpr int kPicksPerPass = 64;

  struct Pick {
    std::size_t word;
    int bit;
    DWORD tag;  // handed back with the picked bit
  };

  RunTopPicks() = default;
  // `none` is the tag of a pick slot left empty; picks in word order.
  RunTopPicks(const std::vector<Pick>& picks, std::size_t words, DWORD none);

  // The 64-bit words of picked bits of one row, Count() of them, `stride`
  // apart; the row is read in whole blocks: it has PaddedWords() words.
  // Without `bitGather`, or where the processor lacks the instruction, one
  // bit at a time.
  void PickRow(const DWORD* row, std::uint64_t* picked, std::size_t stride, bool bitGather) const;
  std::size_t Count() const { return m_tags.size() / kPicksPerPass; }
  std::size_t PaddedWords() const { return m_blocks * kBlockWords; }
  // The tag of bit j of picked word k.
  const DWORD* TagsOf(std::size_t k) const { return m_tags.data() + k * kPicksPerPass; }

 private:
  std::size_t m_blocks = 0;
  int m_passes = 0;
  std::vector<unsigned char> m_index;  // per block and pass: the bit of its lane each of 64 picks reads
  std::vector<DWORD> m_tags;
};
