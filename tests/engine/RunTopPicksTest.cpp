// The runs' answers picked out of a row, by the processor's bit gather and
// one at a time, against the row itself: every pick lands in exactly one
// slot, and each slot tells whether its run holds a set bit, for rows whose
// word count is no multiple of a block (read no further than their end),
// runs of one bit up to a whole word, and lanes with more picks than one
// pass holds.
#include <gtest/gtest.h>

#include <random>

#include "database/ProcessorFeatures.h"
#include "database/RunTopPicks.h"

namespace {

constexpr DWORD kNone = ~DWORD{0};

struct TestRun {  // a run of one word's bits
  std::size_t word;
  int first, end;
};

// Words cut into runs of 1 to 32 bits, some words crowded with short runs
// (up to 32, four passes' worth in a lane), some bits in no run.
std::vector<TestRun> RandomRuns(std::mt19937& rng, std::size_t words) {
  std::vector<TestRun> runs;
  for (std::size_t w = 0; w < words; ++w)
    for (int b = 0; b < 32;) {
      const int length = w % 3 == 0 ? 1 : 1 + static_cast<int>(rng() % 32);
      const int end = std::min(32, b + length);
      if (rng() % 8 != 0) runs.push_back({w, b, end});
      b = end;
    }
  return runs;
}

RunTopPicks::RunMasks MasksOf(const std::vector<TestRun>& runs, std::size_t paddedWords) {
  RunTopPicks::RunMasks masks(paddedWords);
  for (const TestRun& run : runs) {
    const DWORD top = DWORD{1} << (run.end - 1);
    masks.Low()[run.word] |= top - (DWORD{1} << run.first);
    masks.High()[run.word] |= top;
  }
  return masks;
}

bool AnySet(const std::vector<DWORD>& row, const TestRun& run) {
  for (int b = run.first; b < run.end; ++b)
    if (row[run.word] >> b & 1u) return true;
  return false;
}

TEST(RunTopPicks, EveryPickTellsWhetherItsRunHasASetBitWithAndWithoutTheBitGather) {
  std::mt19937 rng(31);
  for (std::size_t words : {1u, 15u, 16u, 17u, 70u}) {
    const std::vector<TestRun> runs = RandomRuns(rng, words);
    std::vector<RunTopPicks::Pick> wanted;
    for (const TestRun& run : runs) wanted.push_back({run.word, run.end - 1, static_cast<DWORD>(wanted.size())});
    const RunTopPicks picks(wanted, words, kNone);
    const RunTopPicks::RunMasks masks = MasksOf(runs, picks.PaddedWords());
    std::vector<DWORD> row(words);
    // Sparse rows, so that many runs are empty.
    for (DWORD& word : row) word = static_cast<DWORD>(rng() & rng() & rng());
    for (bool gather : {false, true}) {
      if (gather && !processor_features::HasBitGather()) continue;
      std::vector<std::uint64_t> picked(picks.Count(), 0u);
      picks.PickRow(row.data(), words, masks, picked.data(), 1, gather);
      SCOPED_TRACE(std::string(gather ? "bit gather" : "one at a time") + ", words " + std::to_string(words));
      std::vector<int> seen(wanted.size(), 0);
      for (std::size_t k = 0; k < picks.Count(); ++k)
        for (int j = 0; j < RunTopPicks::kPicksPerPass; ++j) {
          const DWORD tag = picks.TagsOf(k)[j];
          if (tag == kNone) continue;
          ASSERT_LT(tag, wanted.size());
          ++seen[tag];
          const TestRun& run = runs[tag];
          EXPECT_EQ((picked[k] >> j & 1u) != 0, AnySet(row, run))
              << "word " << run.word << " bits " << run.first << "-" << run.end;
        }
      for (std::size_t p = 0; p < wanted.size(); ++p) EXPECT_EQ(seen[p], 1) << "pick " << p;
    }
  }
}

}  // namespace
