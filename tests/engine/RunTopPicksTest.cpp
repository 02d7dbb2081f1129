// The runs' answers picked out of a row, by the processor's bit gather and
// one at a time, against the row itself: every pick lands in exactly one
// slot, and each slot tells whether its run (with the run below it, when
// that one's answer is carried into it) holds a set bit, for rows whose word
// count is no multiple of a block (read no further than their end), runs of
// one bit up to a whole lane, carries across lanes and across blocks, and
// lanes with more picks than one pass holds.
#include <gtest/gtest.h>

#include <random>

#include "database/ProcessorFeatures.h"
#include "database/RunTopPicks.h"

namespace {

constexpr DWORD kNone = ~DWORD{0};

struct LaneRun {
  std::size_t lane;
  int first, end;
  int carriedFrom = -1;  // the run whose answer is carried into this one
};

// Lanes cut into runs of 1 to 64 bits, some lanes crowded with short runs
// (up to 64, eight passes' worth), some bits in no run; where a lane's last
// run ends at its top and the next lane's first starts at its bottom, the
// lower one's answer is often carried up.
std::vector<LaneRun> RandomRuns(std::mt19937& rng, std::size_t words) {
  std::vector<LaneRun> runs;
  const std::size_t lanes = (words + 1) / 2;
  for (std::size_t q = 0; q < lanes; ++q) {
    const int bits = 2 * q + 1 < words ? 64 : 32;
    for (int b = 0; b < bits;) {
      const int length = q % 3 == 0 ? 1 : 1 + static_cast<int>(rng() % 64);
      const int end = std::min(bits, b + length);
      if (rng() % 8 != 0) {
        LaneRun run{q, b, end};
        const bool belowEndsAtTop = !runs.empty() && runs.back().lane + 1 == q && runs.back().end == 64;
        if (b == 0 && belowEndsAtTop && runs.back().carriedFrom < 0 && rng() % 2)
          run.carriedFrom = static_cast<int>(runs.size()) - 1;
        runs.push_back(run);
      }
      b = end;
    }
  }
  return runs;
}

bool AnySet(const std::vector<DWORD>& row, const LaneRun& run) {
  for (int b = run.first; b < run.end; ++b)
    if (row[2 * run.lane + b / 32] >> (b % 32) & 1u) return true;
  return false;
}

bool Answer(const std::vector<DWORD>& row, const std::vector<LaneRun>& runs, const LaneRun& run) {
  return AnySet(row, run) || (run.carriedFrom >= 0 && AnySet(row, runs[run.carriedFrom]));
}

RunTopPicks::RunMasks MasksOf(const std::vector<LaneRun>& runs, std::size_t paddedWords) {
  RunTopPicks::RunMasks masks(paddedWords);
  for (const LaneRun& run : runs) {
    const std::uint64_t top = std::uint64_t{1} << (run.end - 1);
    const std::uint64_t low = top - (std::uint64_t{1} << run.first);
    for (int half = 0; half < 2; ++half) {
      masks.Low()[2 * run.lane + half] |= static_cast<DWORD>(low >> (32 * half));
      masks.High()[2 * run.lane + half] |= static_cast<DWORD>(top >> (32 * half));
    }
    if (run.carriedFrom >= 0) masks.CarryIn()[2 * run.lane] = 1u;
  }
  return masks;
}

TEST(RunTopPicks, EveryPickTellsWhetherItsRunHasASetBitWithAndWithoutTheBitGather) {
  std::mt19937 rng(31);
  for (std::size_t words : {1u, 15u, 16u, 17u, 70u, 71u}) {
    const std::vector<LaneRun> runs = RandomRuns(rng, words);
    // A run carried on is not picked: its answer is in the run above.
    std::vector<bool> carriedOn(runs.size(), false);
    for (const LaneRun& run : runs)
      if (run.carriedFrom >= 0) carriedOn[run.carriedFrom] = true;
    std::vector<RunTopPicks::Pick> wanted;
    for (std::size_t r = 0; r < runs.size(); ++r)
      if (!carriedOn[r]) {
        const int top = runs[r].end - 1;
        wanted.push_back({2 * runs[r].lane + top / 32, top % 32, static_cast<DWORD>(r)});
      }
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
      std::vector<int> seen(runs.size(), 0);
      for (std::size_t k = 0; k < picks.Count(); ++k)
        for (int j = 0; j < RunTopPicks::kPicksPerPass; ++j) {
          const DWORD tag = picks.TagsOf(k)[j];
          if (tag == kNone) continue;
          ASSERT_LT(tag, runs.size());
          ++seen[tag];
          const LaneRun& run = runs[tag];
          EXPECT_EQ((picked[k] >> j & 1u) != 0, Answer(row, runs, run))
              << "lane " << run.lane << " bits " << run.first << "-" << run.end << " carried " << run.carriedFrom;
        }
      for (std::size_t r = 0; r < runs.size(); ++r) EXPECT_EQ(seen[r], carriedOn[r] ? 0 : 1) << "run " << r;
    }
  }
}

}  // namespace
