// Each candidate-count kernel against a plain count of the bits, over row
// widths around the vector widths and row counts around the batch size and
// the planes' capacity, so every tail and every emptying of the planes runs.
#include <gtest/gtest.h>

#include <random>

#include "CountKernelFixture.h"

namespace {

using Rows = std::vector<std::vector<DWORD>>;

Rows RandomRows(std::mt19937& rng, int count, DWORD words) {
  Rows rows(count, std::vector<DWORD>(words));
  // Sparse, dense and full rows: full ones carry through every plane.
  const int kind = static_cast<int>(rng() % 3);
  for (auto& row : rows)
    for (DWORD& word : row)
      word = kind == 2 ? ~0u : kind == 1 ? static_cast<DWORD>(rng()) : static_cast<DWORD>(rng() & rng() & rng());
  return rows;
}

std::vector<DWORD> PlainCounts(const Rows& rows, DWORD words) {
  std::vector<DWORD> counts(std::size_t{words} * 32, 0);
  for (const auto& row : rows)
    for (DWORD b = 0; b < words * 32; ++b) counts[b] += (row[b / 32] >> (b % 32)) & 1;
  return counts;
}

class CountKernels : public EachCountKernel {};

TEST_P(CountKernels, CountEveryBitOfEveryRow) {
  std::mt19937 rng(41);
  for (DWORD words : {1u, 4u, 7u, 8u, 9u, 12u, 13u, 16u, 19u, 28u, 31u, 32u, 33u}) {
    for (int count : {0, 1, 15, 16, 17, 4095, 4096, 4111, 9000}) {
      const Rows rows = RandomRows(rng, count, words);
      CandidateCounter counter(words, GetParam());
      // Added to totals that are not empty, as the pool's shares are.
      std::vector<DWORD> counts(std::size_t{words} * 32, 3);
      for (const auto& row : rows) counter.AddRow(row.data());
      counter.AddTo(counts);
      std::vector<DWORD> expected = PlainCounts(rows, words);
      for (DWORD& c : expected) c += 3;
      ASSERT_EQ(counts, expected) << words << " words, " << count << " rows";
    }
  }
}

TEST_P(CountKernels, EachHandOverCountsTheRowsSinceTheLast) {
  std::mt19937 rng(5);
  const DWORD words = 21;
  // Past the planes' capacity, so that counts emptied on the way are handed
  // over too, and only once.
  const Rows first = RandomRows(rng, 5000, words), second = RandomRows(rng, 70, words);
  CandidateCounter counter(words, GetParam());
  std::vector<DWORD> counts;
  for (const auto& row : first) counter.AddRow(row.data());
  counter.AddTo(counts);
  EXPECT_EQ(counts, PlainCounts(first, words));
  counts.clear();
  for (const auto& row : second) counter.AddRow(row.data());
  counter.AddTo(counts);
  EXPECT_EQ(counts, PlainCounts(second, words));
}

TEST_P(CountKernels, CountOnThePoolAsInOneCounter) {
  std::mt19937 rng(8);
  const DWORD words = 11;
  const Rows rows = RandomRows(rng, 20000, words);
  const std::vector<DWORD> counts = CountRowsOnPool(words, static_cast<int>(rows.size()), 1000, [&](int k) {
    return k % 5 == 0 ? nullptr : rows[k].data();  // a null row is passed over
  });
  Rows counted;
  for (std::size_t k = 0; k < rows.size(); ++k)
    if (k % 5 != 0) counted.push_back(rows[k]);
  EXPECT_EQ(counts, PlainCounts(counted, words));
}

INSTANTIATE_TEST_SUITE_P(Kernels, CountKernels, AllCountKernels(), CountKernelName);

TEST(CountKernelChoice, NewCountersUseTheChosenKernelUntilItIsRestored) {
  const CountKernel best = CurrentCountKernel();
  // The widest kernel this processor runs is the one chosen.
  EXPECT_TRUE(CountKernelAvailable(best));
  EXPECT_TRUE(CountKernelAvailable(CountKernel::Portable));
  EXPECT_EQ(CountKernelAvailable(CountKernel::Wide), best == CountKernel::Wide);
  EXPECT_EQ(CountKernelAvailable(CountKernel::Vector), best != CountKernel::Portable);
  EXPECT_EQ(UseCountKernel(CountKernel::Portable), best);
  EXPECT_EQ(CurrentCountKernel(), CountKernel::Portable);
  // A kernel the processor lacks gives way to the widest one below it.
  EXPECT_EQ(UseCountKernel(CountKernel::Wide), CountKernel::Portable);
  EXPECT_EQ(CurrentCountKernel(), best);
  UseCountKernel(best);
}

}  // namespace
