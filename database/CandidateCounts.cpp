#include "database/CandidateCounts.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "database/VectorWords.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

// The 256-bit kernel is built where both compilers can build one function
// for registers the rest of the program does not assume, and choose it at
// run time; everywhere else the portable kernel is the only one.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QOR_COUNT_HAS_AVX2 1
#else
#define QOR_COUNT_HAS_AVX2 0
#endif

namespace {

// Eight row words side by side; plain and vector code share the adders below,
// which are inlined by force so that each build of their callers turns them
// into its own registers' instructions. Being always inlined, they never
// pass a vector across a call, so the compiler's note that such a call's
// convention depends on the build does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"
typedef DWORD Lanes __attribute__((vector_size(32)));
constexpr DWORD kLanes = sizeof(Lanes) / sizeof(DWORD);
// Four row words: a row's last words, fewer than eight, go four at a time.
typedef DWORD HalfLanes __attribute__((vector_size(16)));
constexpr DWORD kHalfLanes = sizeof(HalfLanes) / sizeof(DWORD);
constexpr DWORD kWordsPerLine = 64 / sizeof(DWORD);

using vector_words::Load;
using vector_words::Store;

// The two three-input functions the adders are made of, on plain operators:
// every build of the callers has them. The result goes to a parameter, not
// a return value: a function without the vector target may not return a
// vector (clang refuses the call's changed ABI).
struct PlainLogic {
  template <typename T>
  [[gnu::always_inline]] static void Xor3(T& out, const T& a, const T& b, const T& c) {
    out = a ^ b ^ c;
  }
  template <typename T>
  [[gnu::always_inline]] static void Majority(T& out, const T& a, const T& b, const T& c) {
    out = (a & b) | ((a ^ b) & c);
  }
};

// A carry-save adder: a + b + c = 2 * high + low, bit by bit.
template <typename Logic, typename T>
[[gnu::always_inline]] inline void Csa(T& high, T& low, const T& a, const T& b, const T& c) {
  Logic::Majority(high, a, b, c);
  Logic::Xor3(low, a, b, c);
}

// The sum of sixteen rows at word w, bit position by bit position, as five
// bit planes.
template <typename Logic, typename T>
[[gnu::always_inline]] inline std::array<T, 5> Sum16(const std::array<const DWORD*, 16>& r, DWORD w) {
  T c1, s1, c2, s2, c3, s3, c4, s4, c5, s5;
  Csa<Logic>(c1, s1, Load<T>(r[0] + w), Load<T>(r[1] + w), Load<T>(r[2] + w));
  Csa<Logic>(c2, s2, Load<T>(r[3] + w), Load<T>(r[4] + w), Load<T>(r[5] + w));
  Csa<Logic>(c3, s3, Load<T>(r[6] + w), Load<T>(r[7] + w), Load<T>(r[8] + w));
  Csa<Logic>(c4, s4, Load<T>(r[9] + w), Load<T>(r[10] + w), Load<T>(r[11] + w));
  Csa<Logic>(c5, s5, Load<T>(r[12] + w), Load<T>(r[13] + w), Load<T>(r[14] + w));
  T c6, t1, c7, t2;
  Csa<Logic>(c6, t1, s1, s2, s3);
  Csa<Logic>(c7, t2, s4, s5, Load<T>(r[15] + w));
  const T b0 = t1 ^ t2, c8 = t1 & t2;
  T d1, u1, d2, u2, d3, u3;
  Csa<Logic>(d1, u1, c1, c2, c3);
  Csa<Logic>(d2, u2, c4, c5, c6);
  Csa<Logic>(d3, u3, c7, c8, u1);
  const T b1 = u2 ^ u3, d4 = u2 & u3;
  T e1, v1;
  Csa<Logic>(e1, v1, d1, d2, d3);
  const T b2 = v1 ^ d4, e2 = v1 & d4;
  return {b0, b1, b2, e1 ^ e2, e1 & e2};
}

// Adds the sums of sixteen rows at word w into the planes (plane p of word
// w at p * words + w), carrying from plane to plane.
template <typename Logic, typename T, int kPlanes>
[[gnu::always_inline]] inline void AddSum(const std::array<const DWORD*, 16>& rows, DWORD w, DWORD* planes,
                                          DWORD words) {
  const std::array<T, 5> sum = Sum16<Logic, T>(rows, w);
  T carry = T{} & 0;
  for (int p = 0; p < kPlanes; ++p) {
    DWORD* at = planes + std::size_t{static_cast<DWORD>(p)} * words + w;
    const T plane = Load<T>(at);
    if (p < 5) {
      T low, high;
      Logic::Xor3(low, plane, sum[p], carry);
      Logic::Majority(high, plane, sum[p], carry);
      Store(at, low);
      carry = high;
    } else {
      Store(at, plane ^ carry);
      carry = plane & carry;
    }
  }
}

// The work of one batch: the sums of sixteen rows added into the planes,
// eight words at a time, then four, then word by word.
template <typename Logic, int kPlanes>
[[gnu::always_inline]] inline void AddBatchSums(const std::array<const DWORD*, 16>& rows, DWORD* planes, DWORD words) {
  DWORD w = 0;
  for (; w + kLanes <= words; w += kLanes) AddSum<Logic, Lanes, kPlanes>(rows, w, planes, words);
  for (; w + kHalfLanes <= words; w += kHalfLanes) AddSum<Logic, HalfLanes, kPlanes>(rows, w, planes, words);
  for (; w < words; ++w) AddSum<PlainLogic, DWORD, kPlanes>(rows, w, planes, words);
}

// The counts of the 32 bit positions of one row word, read from its
// planes: bit j of plane p is worth 2^p to position j. Eight positions at a
// time, with no branch on the bits.
[[gnu::always_inline]] inline void AddPlaneCountsOf(const DWORD* planes, int planeCount, DWORD words, DWORD* counts) {
  const Lanes first = {0, 1, 2, 3, 4, 5, 6, 7};
  for (DWORD w = 0; w < words; ++w) {
    DWORD* count = counts + std::size_t{w} * 32;
    for (DWORD j = 0; j < 32; j += kLanes) {
      const Lanes shift = first + j;
      Lanes sum = Lanes{} & 0;
      for (int p = 0; p < planeCount; ++p) {
        const Lanes plane = Lanes{} + planes[std::size_t{static_cast<DWORD>(p)} * words + w];
        sum += ((plane >> shift) & 1) << p;
      }
      Store(count + j, Load<Lanes>(count + j) + sum);
    }
  }
}

// Each kernel is the same code built for one set of registers: the plain
// one for the architecture's baseline, which every processor it runs on has.
template <int kPlanes>
void AddBatchPortable(const std::array<const DWORD*, 16>& rows, DWORD* planes, DWORD words) {
  AddBatchSums<PlainLogic, kPlanes>(rows, planes, words);
}

void AddPlaneCountsPortable(const DWORD* planes, int planeCount, DWORD words, DWORD* counts) {
  AddPlaneCountsOf(planes, planeCount, words, counts);
}

#if QOR_COUNT_HAS_AVX2
// The same code for 256-bit registers, run only where the processor has them.
template <int kPlanes>
__attribute__((target("avx2"))) void AddBatchAvx2(const std::array<const DWORD*, 16>& rows, DWORD* planes,
                                                  DWORD words) {
  AddBatchSums<PlainLogic, kPlanes>(rows, planes, words);
}

// Where the processor also has the three-input logic instruction, each
// function of three inputs the adders use is one instruction instead of
// two to four: the counting is bound by those instructions, not by memory.
#define QOR_TERNARY_TARGET __attribute__((target("avx2,avx512f,avx512vl")))
struct TernaryLogic {
  // The instruction's immediate is the function's truth table over the
  // inputs' bits (a, b, c) = (0xF0, 0xCC, 0xAA).
  template <int kTable>
  QOR_TERNARY_TARGET static Lanes Apply(const Lanes& a, const Lanes& b, const Lanes& c) {
    return reinterpret_cast<Lanes>(_mm256_ternarylogic_epi32(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b),
                                                             reinterpret_cast<__m256i>(c), kTable));
  }
  template <int kTable>
  QOR_TERNARY_TARGET static HalfLanes Apply(const HalfLanes& a, const HalfLanes& b, const HalfLanes& c) {
    return reinterpret_cast<HalfLanes>(_mm_ternarylogic_epi32(
        reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b), reinterpret_cast<__m128i>(c), kTable));
  }
  template <typename T>
  QOR_TERNARY_TARGET static void Xor3(T& out, const T& a, const T& b, const T& c) {
    out = Apply<0x96>(a, b, c);
  }
  template <typename T>
  QOR_TERNARY_TARGET static void Majority(T& out, const T& a, const T& b, const T& c) {
    out = Apply<0xE8>(a, b, c);
  }
};

template <int kPlanes>
QOR_TERNARY_TARGET void AddBatchTernary(const std::array<const DWORD*, 16>& rows, DWORD* planes, DWORD words) {
  AddBatchSums<TernaryLogic, kPlanes>(rows, planes, words);
}

__attribute__((target("avx2"))) void AddPlaneCountsAvx2(const DWORD* planes, int planeCount, DWORD words,
                                                        DWORD* counts) {
  AddPlaneCountsOf(planes, planeCount, words, counts);
}
#endif

bool ProcessorHasTernaryLogic() {
#if QOR_COUNT_HAS_AVX2
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl");
#else
  return false;
#endif
}

bool ProcessorHasVectorKernel() {
#if QOR_COUNT_HAS_AVX2
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

std::atomic<CountKernel>& ChosenKernel() {
  static std::atomic<CountKernel> chosen{VectorCountKernelAvailable() ? CountKernel::Vector : CountKernel::Portable};
  return chosen;
}

}  // namespace

bool VectorCountKernelAvailable() {
  // Asked once: the answer cannot change while the program runs.
  static const bool available = ProcessorHasVectorKernel();
  return available;
}

CountKernel CurrentCountKernel() { return ChosenKernel().load(std::memory_order_relaxed); }

CountKernel UseCountKernel(CountKernel kernel) {
  if (kernel == CountKernel::Vector && !VectorCountKernelAvailable()) kernel = CountKernel::Portable;
  return ChosenKernel().exchange(kernel, std::memory_order_relaxed);
}

CandidateCounter::CandidateCounter(DWORD wordsPerRow, CountKernel kernel)
    : m_words(wordsPerRow),
      m_vector(kernel == CountKernel::Vector && VectorCountKernelAvailable()),
      m_planes(std::size_t{wordsPerRow} * kPlanes, 0),
      m_zeroRow(wordsPerRow, 0) {}

void CandidateCounter::AddRow(const DWORD* row) {
  // The batch reads sixteen rows side by side, more streams than the
  // processor follows on its own: each row is asked for as it waits.
  for (DWORD w = 0; w < m_words; w += kWordsPerLine) __builtin_prefetch(row + w);
  m_batch[m_batched++] = row;
  if (m_batched == kBatch) AddBatch();
}

void CandidateCounter::AddBatch() {
  for (int k = m_batched; k < kBatch; ++k) m_batch[k] = m_zeroRow.data();
  if (m_pending + kBatch > kMostPending) Flush();
  const std::array<const DWORD*, kBatch> rows = m_batch;
#if QOR_COUNT_HAS_AVX2
  if (m_vector) {
    // Asked once: the answer cannot change while the program runs.
    static const bool ternary = ProcessorHasTernaryLogic();
    if (ternary)
      AddBatchTernary<kPlanes>(rows, m_planes.data(), m_words);
    else
      AddBatchAvx2<kPlanes>(rows, m_planes.data(), m_words);
  } else
#endif
    AddBatchPortable<kPlanes>(rows, m_planes.data(), m_words);
  m_pending += m_batched;
  m_batched = 0;
}

void CandidateCounter::AddPlaneCounts() {
#if QOR_COUNT_HAS_AVX2
  if (m_vector) return AddPlaneCountsAvx2(m_planes.data(), kPlanes, m_words, m_flushed.data());
#endif
  AddPlaneCountsPortable(m_planes.data(), kPlanes, m_words, m_flushed.data());
}

void CandidateCounter::Flush() {
  if (m_flushed.empty()) m_flushed.assign(std::size_t{m_words} * 32, 0);
  if (m_pending) AddPlaneCounts();
  std::fill(m_planes.begin(), m_planes.end(), 0u);
  m_pending = 0;
}

void CandidateCounter::AddTo(std::vector<DWORD>& counts) {
  if (m_batched) AddBatch();
  Flush();
  if (counts.size() < m_flushed.size()) counts.resize(m_flushed.size(), 0);
  AddCounts(counts, m_flushed);
}

void AddCounts(std::vector<DWORD>& counts, const std::vector<DWORD>& share) {
  const std::size_t n = std::min(counts.size(), share.size());
  DWORD* to = counts.data();
  const DWORD* from = share.data();
  for (std::size_t a = 0; a < n; ++a) to[a] += from[a];
}
