#include "database/RunTopPicks.h"

#include "database/ProcessorFeatures.h"

#include <algorithm>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QOR_RUN_TOPS_HAS_BITALG 1
#else
#define QOR_RUN_TOPS_HAS_BITALG 0
#endif

namespace {

constexpr std::size_t kLanes = 8;  // 64-bit lanes of a block
constexpr int kPicksPerLane = 8;   // per pass

// One 64-bit lane of the row and its masks, the lower word first.
std::uint64_t Lane(const DWORD* words, std::size_t lane, std::size_t rowWords) {
  const std::size_t w = 2 * lane;
  const std::uint64_t low = w < rowWords ? words[w] : 0u;
  const std::uint64_t high = w + 1 < rowWords ? words[w + 1] : 0u;
  return low | high << 32;
}

#if QOR_RUN_TOPS_HAS_BITALG
__attribute__((target("avx512f,avx512bw,avx512bitalg"))) void PickBlocks(const DWORD* row, std::size_t rowWords,
                                                                         const RunTopPicks::RunMasks& masks,
                                                                         std::size_t blocks, int passes,
                                                                         const unsigned char* index,
                                                                         std::uint64_t* picked, std::size_t stride) {
  const DWORD* low = masks.Low();
  const DWORD* high = masks.High();
  const DWORD* carryIn = masks.CarryIn();
  __m512i below = _mm512_setzero_si512();  // the tops of the block below, before their carries
  for (std::size_t b = 0; b < blocks; ++b) {
    const std::size_t w = b * RunTopPicks::kBlockWords;
    __m512i words;
    if (w + RunTopPicks::kBlockWords <= rowWords) {
      words = _mm512_loadu_si512(row + w);
    } else {
      // The row's last block is read only as far as the row goes (a masked
      // read for every block would wait on the stores of the picks).
      const unsigned left = rowWords > w ? static_cast<unsigned>(rowWords - w) : 0u;
      words = _mm512_maskz_loadu_epi32(static_cast<__mmask16>((1u << left) - 1u), row + w);
    }
    // RunTops on 64-bit lanes, then again with each lane's carry from the
    // top bit of the lane below.
    const __m512i lows = _mm512_load_si512(low + w);
    const __m512i highs = _mm512_load_si512(high + w);
    const __m512i sum = _mm512_add_epi64(_mm512_and_si512(words, lows), lows);
    const __m512i own = _mm512_and_si512(_mm512_or_si512(sum, words), highs);
    // (The zero-masked forms with every lane kept: the plain ones start
    // from a register the compiler takes for unset.)
    const __m512i fromBelow = _mm512_maskz_srli_epi64(0xFF, _mm512_maskz_alignr_epi64(0xFF, own, below, 7), 63);
    const __m512i carry = _mm512_and_si512(fromBelow, _mm512_load_si512(carryIn + w));
    below = own;
    const __m512i tops = _mm512_and_si512(_mm512_or_si512(_mm512_add_epi64(sum, carry), words), highs);
    for (int p = 0; p < passes; ++p, index += RunTopPicks::kPicksPerPass, picked += stride)
      *picked = _mm512_bitshuffle_epi64_mask(tops, _mm512_loadu_si512(index));
  }
}
#endif

}  // namespace

RunTopPicks::RunTopPicks(const std::vector<Pick>& picks, std::size_t words, DWORD none)
    : m_blocks((words + kBlockWords - 1) / kBlockWords) {
  // The picks of each lane, as bit numbers within the lane.
  std::vector<std::vector<unsigned char>> ofLane(m_blocks * kLanes);
  std::vector<std::vector<DWORD>> tagsOfLane(m_blocks * kLanes);
  for (const Pick& pick : picks) {
    const std::size_t lane = pick.word / 2;
    ofLane[lane].push_back(static_cast<unsigned char>((pick.word % 2) * 32 + pick.bit));
    tagsOfLane[lane].push_back(pick.tag);
  }
  for (const auto& lane : ofLane)
    m_passes = std::max(m_passes, static_cast<int>((lane.size() + kPicksPerLane - 1) / kPicksPerLane));
  m_index.assign(m_blocks * m_passes * kPicksPerPass, 0);
  m_tags.assign(m_blocks * m_passes * kPicksPerPass, none);
  for (std::size_t b = 0; b < m_blocks; ++b)
    for (int p = 0; p < m_passes; ++p)
      for (std::size_t l = 0; l < kLanes; ++l)
        for (int j = 0; j < kPicksPerLane; ++j) {
          const std::size_t n = static_cast<std::size_t>(p) * kPicksPerLane + j, lane = b * kLanes + l;
          if (n >= ofLane[lane].size()) continue;
          const std::size_t slot = (b * m_passes + p) * kPicksPerPass + l * kPicksPerLane + j;
          m_index[slot] = ofLane[lane][n];
          m_tags[slot] = tagsOfLane[lane][n];
        }
}

RunTopPicks::RunMasks::RunMasks(std::size_t paddedWords)
    : m_stride((paddedWords + kLineWords - 1) / kLineWords * kLineWords), m_words(3 * m_stride + kLineWords, 0u) {}

std::size_t RunTopPicks::RunMasks::Skipped() const {
  constexpr std::size_t line = kLineWords * sizeof(DWORD);
  return (line - reinterpret_cast<std::uintptr_t>(m_words.data()) % line) % line / sizeof(DWORD);
}

void RunTopPicks::PickRow(const DWORD* row, std::size_t rowWords, const RunMasks& masks, std::uint64_t* picked,
                          std::size_t stride, bool bitGather) const {
#if QOR_RUN_TOPS_HAS_BITALG
  if (bitGather && processor_features::HasBitGather())
    return PickBlocks(row, rowWords, masks, m_blocks, m_passes, m_index.data(), picked, stride);
#endif
  (void)bitGather;
  // The lanes' tops one at a time, then the picks one bit at a time, as the
  // instructions do them.
  std::vector<std::uint64_t> tops(m_blocks * kLanes);
  std::uint64_t below = 0;
  for (std::size_t lane = 0; lane < tops.size(); ++lane) {
    const std::uint64_t x = Lane(row, lane, rowWords), low = Lane(masks.Low(), lane, PaddedWords());
    const std::uint64_t high = Lane(masks.High(), lane, PaddedWords());
    const std::uint64_t sum = (x & low) + low;
    const std::uint64_t own = (sum | x) & high;
    const std::uint64_t carry = (below >> 63) & Lane(masks.CarryIn(), lane, PaddedWords());
    below = own;
    tops[lane] = ((sum + carry) | x) & high;
  }
  for (std::size_t k = 0; k < Count(); ++k) {
    const std::size_t block = k / m_passes;
    std::uint64_t bits = 0;
    for (int j = 0; j < kPicksPerPass; ++j) {
      const unsigned index = m_index[k * kPicksPerPass + j];  // the bit of the pick's 64-bit lane
      bits |= (tops[block * kLanes + j / kPicksPerLane] >> index & 1u) << j;
    }
    picked[k * stride] = bits;
  }
}
