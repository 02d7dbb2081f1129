// A block of 32 rows of 64 bits turned on its side, the short way with the
// processor's byte permutes and bit-matrix instruction and the long way,
// against the definition: bit p of row i is bit i of word p.
#include <gtest/gtest.h>

#include <random>

#include "database/BitBlockTurn.h"

namespace {

TEST(BitBlockTurn, EveryBitLandsInItsRowsPlaceOfItsWord) {
  std::mt19937_64 rng(5);
  for (int round = 0; round < 50; ++round) {
    std::uint64_t rows[bit_block_turn::kRows];
    // Random rows, and rows with a single bit, which show a misplaced bit at once.
    for (int i = 0; i < bit_block_turn::kRows; ++i)
      rows[i] = round % 2 ? rng() : std::uint64_t{1} << ((i * 7 + round) % bit_block_turn::kBits);
    for (bool instructions : {false, true}) {
      if (instructions && !bit_block_turn::HasInstructions()) continue;
      DWORD words[bit_block_turn::kBits];
      bit_block_turn::Turn(rows, words, instructions);
      for (int p = 0; p < bit_block_turn::kBits; ++p)
        for (int i = 0; i < bit_block_turn::kRows; ++i)
          ASSERT_EQ(words[p] >> i & 1u, rows[i] >> p & 1u)
              << (instructions ? "short way" : "long way") << ", round " << round << ", bit " << p << ", row " << i;
    }
  }
}

}  // namespace
