#include "database/BitBlockTurn.h"

#include <cstring>

#include "database/ProcessorFeatures.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QOR_TURN_HAS_GFNI 1
#else
#define QOR_TURN_HAS_GFNI 0
#endif

namespace bit_block_turn {

namespace {

void TurnPortable(const std::uint64_t* rows, DWORD* words) {
  Quad low[8], high[8];
  for (int q = 0; q < 8; ++q) {
    const std::uint64_t* r = rows + 4 * q;
    low[q] = Quad{DWORD(r[0]), DWORD(r[1]), DWORD(r[2]), DWORD(r[3])};
    high[q] = Quad{DWORD(r[0] >> 32), DWORD(r[1] >> 32), DWORD(r[2] >> 32), DWORD(r[3] >> 32)};
  }
  Turn32(low);
  Turn32(high);
  std::memcpy(words, low, sizeof low);
  std::memcpy(words + kRows, high, sizeof high);
}

#if QOR_TURN_HAS_GFNI
#define QOR_TURN_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi,gfni")))

// Byte j of row r of each group of eight rows to byte 8 j + 7 - r: each
// 64-bit lane then holds one byte of all eight rows, the last row first.
QOR_TURN_TARGET __m512i ByteColumns() {
  alignas(64) unsigned char index[64];
  for (int j = 0; j < 8; ++j)
    for (int r = 0; r < 8; ++r) index[8 * j + 7 - r] = static_cast<unsigned char>(8 * r + j);
  return _mm512_load_si512(index);
}

// The eight rows of a group of 64-bit rows (one per 64-bit lane) turned
// byte by byte: byte 8 j + b of the result holds bit 8 j + b of the eight
// rows. The bytes go to the lanes by column, and each lane's 8 x 8 bit
// matrix is turned by the affine instruction with the matrix as its
// operand: bit i of result byte b is the parity of matrix byte 7 - i
// masked by bit b alone, that is bit b of row i.
QOR_TURN_TARGET __m512i TurnGroup(__m512i rows, __m512i columns) {
  const __m512i eachBit = _mm512_set1_epi64(static_cast<long long>(0x8040201008040201ull));
  return _mm512_gf2p8affine_epi64_epi8(eachBit, _mm512_maskz_permutexvar_epi8(~__mmask64{0}, columns, rows), 0);
}

// The whole-register form leaves its result's unused parts undefined, which
// the compiler takes for a read of an uninitialised value.
template <int kImmediate>
QOR_TURN_TARGET __m512i Lanes(__m512i a, __m512i b) {
  return _mm512_maskz_shuffle_i64x2(0xFF, a, b, kImmediate);
}

QOR_TURN_TARGET void TurnWithInstructions(const std::uint64_t* rows, DWORD* words) {
  static const __m512i columns = ByteColumns();
  __m512i u[4];
  for (int g = 0; g < 4; ++g) u[g] = TurnGroup(_mm512_loadu_si512(rows + 8 * g), columns);
  // Word p is byte p of the four groups, lowest group first: interleaving
  // bytes, then byte pairs, gives within each 128-bit lane L the words
  // 16 L + 4 i + s in register i at slot s, ...
  const __m512i a = _mm512_unpacklo_epi8(u[0], u[1]), b = _mm512_unpackhi_epi8(u[0], u[1]);
  const __m512i c = _mm512_unpacklo_epi8(u[2], u[3]), d = _mm512_unpackhi_epi8(u[2], u[3]);
  const __m512i o0 = _mm512_unpacklo_epi16(a, c), o1 = _mm512_unpackhi_epi16(a, c);
  const __m512i o2 = _mm512_unpacklo_epi16(b, d), o3 = _mm512_unpackhi_epi16(b, d);
  // ... so the lanes are turned 4 x 4 across the registers.
  const __m512i t0 = Lanes<0x44>(o0, o1), t1 = Lanes<0xEE>(o0, o1);
  const __m512i t2 = Lanes<0x44>(o2, o3), t3 = Lanes<0xEE>(o2, o3);
  _mm512_storeu_si512(words, Lanes<0x88>(t0, t2));
  _mm512_storeu_si512(words + 16, Lanes<0xDD>(t0, t2));
  _mm512_storeu_si512(words + 32, Lanes<0x88>(t1, t3));
  _mm512_storeu_si512(words + 48, Lanes<0xDD>(t1, t3));
}
#endif

}  // namespace

bool HasInstructions() { return processor_features::HasBitTurn(); }

void Turn(const std::uint64_t* rows, DWORD* words, bool instructions) {
#if QOR_TURN_HAS_GFNI
  if (instructions && HasInstructions()) return TurnWithInstructions(rows, words);
#endif
  (void)instructions;
  TurnPortable(rows, words);
}

}  // namespace bit_block_turn
