// Turns a block of 32 rows of 64 bits on its side: bit p of row i becomes
// bit i of word p. The rows are the picked run tops of a group's 32 items,
// the words the menus' item words.
#pragma once

#include <cstdint>

#include "database/Records.h"

namespace bit_block_turn {

#pragma GCC diagnostic ignored "-Wpsabi"  // the vectors never cross a call: the functions below are always inlined

// Four words side by side, as the processor's vector registers hold them.
typedef DWORD Quad __attribute__((vector_size(16)));

// Swaps the off-diagonal halves of every block of 2j x 2j bits whose rows
// lie in two different quads: bit c + j of row r with bit c of row r + j.
template <int J>
[[gnu::always_inline]] inline void SwapAcrossQuads(Quad (&v)[8], DWORD mask) {
  constexpr int step = J / 4;
  for (int q = 0; q < 8; q = (q + step + 1) & ~step) {
    const Quad t = ((v[q] >> J) ^ v[q + step]) & mask;
    v[q] ^= t << J;
    v[q + step] ^= t;
  }
}

// The same for rows j apart within one quad: the partner lanes come from a
// shuffle, and the lower lane's difference goes back to the upper one.
template <int J>
[[gnu::always_inline]] inline void SwapWithinQuads(Quad (&v)[8], DWORD mask) {
  const Quad lowLanes = J == 2 ? Quad{mask, mask, 0, 0} : Quad{mask, 0, mask, 0};
  for (Quad& a : v) {
    const Quad partner = J == 2 ? __builtin_shufflevector(a, a, 2, 3, 0, 1) : __builtin_shufflevector(a, a, 1, 0, 3, 2);
    const Quad t = ((a >> J) ^ partner) & lowLanes;
    a ^= (t << J) | (J == 2 ? __builtin_shufflevector(t, t, 2, 3, 0, 1) : __builtin_shufflevector(t, t, 1, 0, 3, 2));
  }
}

// 32 x 32 bits in place: bit c of word r becomes bit r of word c, word r
// being lane r % 4 of quad r / 4. The caller builds the quads in registers:
// written word by word to memory and read back whole, they would wait on
// the stores.
[[gnu::always_inline]] inline void Turn32(Quad (&v)[8]) {
  SwapAcrossQuads<16>(v, 0x0000FFFFu);
  SwapAcrossQuads<8>(v, 0x00FF00FFu);
  SwapAcrossQuads<4>(v, 0x0F0F0F0Fu);
  SwapWithinQuads<2>(v, 0x33333333u);
  SwapWithinQuads<1>(v, 0x55555555u);
}

constexpr int kRows = 32;
constexpr int kBits = 64;

// Whether the processor has the byte permutes and the 8 x 8 bit-matrix
// instruction the short way takes.
bool HasInstructions();

// rows: kRows words of 64 bits; words: kBits words. With `instructions`,
// where the processor has them, 32 vector operations; otherwise Turn32 on
// each half.
void Turn(const std::uint64_t* rows, DWORD* words, bool instructions);

}  // namespace bit_block_turn
