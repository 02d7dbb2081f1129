// The bits picked out of a row, by the processor's bit gather and one at a
// time, against the row itself: every pick lands in exactly one slot, and
// each slot holds the bit its pick names, for rows whose word count is no
// multiple of a block and lanes with more picks than one pass holds.
#include <gtest/gtest.h>

#include <random>

#include "database/ProcessorFeatures.h"
#include "database/RunTopPicks.h"

namespace {

constexpr DWORD kNone = ~DWORD{0};

std::vector<RunTopPicks::Pick> RandomPicks(std::mt19937& rng, std::size_t words) {
  std::vector<RunTopPicks::Pick> picks;
  for (std::size_t w = 0; w < words; ++w)
    for (int bit = 0; bit < 32; ++bit)
      // Some words crowded (up to 32 picks, four passes' worth in a lane), some empty.
      if (rng() % 32 < (w % 5) * 8) picks.push_back({w, bit, static_cast<DWORD>(picks.size())});
  return picks;
}

void ExpectEachPickOnce(const RunTopPicks& picks, const std::vector<RunTopPicks::Pick>& wanted,
                        const std::vector<DWORD>& row, const std::vector<std::uint64_t>& picked) {
  std::vector<int> seen(wanted.size(), 0);
  for (std::size_t k = 0; k < picks.Count(); ++k)
    for (int j = 0; j < RunTopPicks::kPicksPerPass; ++j) {
      const DWORD tag = picks.TagsOf(k)[j];
      if (tag == kNone) continue;
      ASSERT_LT(tag, wanted.size());
      ++seen[tag];
      const RunTopPicks::Pick& pick = wanted[tag];
      EXPECT_EQ(picked[k] >> j & 1u, row[pick.word] >> pick.bit & 1u) << "word " << pick.word << " bit " << pick.bit;
    }
  for (std::size_t p = 0; p < wanted.size(); ++p) EXPECT_EQ(seen[p], 1) << "pick " << p;
}

TEST(RunTopPicks, EveryPickHoldsItsBitWithAndWithoutTheBitGather) {
  std::mt19937 rng(31);
  for (std::size_t words : {1u, 15u, 16u, 17u, 70u}) {
    const std::vector<RunTopPicks::Pick> wanted = RandomPicks(rng, words);
    const RunTopPicks picks(wanted, words, kNone);
    std::vector<DWORD> row(picks.PaddedWords(), 0u);
    for (std::size_t w = 0; w < words; ++w) row[w] = static_cast<DWORD>(rng());
    for (bool gather : {false, true}) {
      if (gather && !processor_features::HasBitGather()) continue;
      std::vector<std::uint64_t> picked(picks.Count(), 0u);
      picks.PickRow(row.data(), picked.data(), 1, gather);
      SCOPED_TRACE(std::string(gather ? "bit gather" : "one at a time") + ", words " + std::to_string(words));
      ExpectEachPickOnce(picks, wanted, row, picked);
    }
  }
}

}  // namespace
