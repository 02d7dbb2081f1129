// Whether chosen runs of a row hold a set bit, gathered 64 runs at a time by
// the processor's bit-gather instruction (each of a 512-bit block's eight
// 64-bit lanes gives eight bits of its own per pass), so that a group's
// rows of answers are turned on their side 64 runs at a time instead of one
// row word at a time. Only where the processor has the instruction.
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

  // Per 64-bit lane of the row (two row words, the lower one first), for
  // every run of the lane: all its bits but its highest (Low) and its
  // highest bit (High). Adding a run's lower bits to themselves carries
  // into its highest bit exactly when one of them is set, and never past
  // it, so the highest bit ends up telling whether the run has a set bit.
  // CarryIn has bit 0 of a lane set whose first run goes on from the lane
  // below's last run (one menu across the lanes' border): the lower run's
  // answer is carried into the upper one, so only the upper one need be
  // picked. The lower run then must not take a carry itself. PaddedWords()
  // words of each, zero past the row, each mask starting on a cache line.
  class RunMasks {
   public:
    RunMasks() = default;
    explicit RunMasks(std::size_t paddedWords);
    DWORD* Low() { return m_words.data() + Skipped(); }
    DWORD* High() { return Low() + m_stride; }
    DWORD* CarryIn() { return Low() + 2 * m_stride; }
    const DWORD* Low() const { return m_words.data() + Skipped(); }
    const DWORD* High() const { return Low() + m_stride; }
    const DWORD* CarryIn() const { return Low() + 2 * m_stride; }

   private:
    static constexpr std::size_t kLineWords = 16;
    std::size_t Skipped() const;
    std::size_t m_stride = 0;
    std::vector<DWORD> m_words;
  };

  RunTopPicks() = default;
  // `none` is the tag of a pick slot left empty; picks in word order.
  RunTopPicks(const std::vector<Pick>& picks, std::size_t words, DWORD none);

  // The 64-bit words of picked bits of one row of `rowWords` words, Count()
  // of them, `stride` apart: a pick's bit is the highest bit of its run as
  // `masks` leave it (its lane's tops with the carry from the lane below).
  // Without `bitGather`, or where the processor lacks the instruction, one
  // bit at a time.
  void PickRow(const DWORD* row, std::size_t rowWords, const RunMasks& masks, std::uint64_t* picked, std::size_t stride,
               bool bitGather) const;
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
