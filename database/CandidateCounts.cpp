#include "database/CandidateCounts.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>

#include "database/ProcessorFeatures.h"
#include "database/VectorWords.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

// The wider kernels are built where both compilers can build one function
// for registers the rest of the program does not assume, and choose it at
// run time; everywhere else the portable kernel is the only one.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QOR_COUNT_HAS_X86_KERNELS 1
#else
#define QOR_COUNT_HAS_X86_KERNELS 0
#endif

namespace {

// Sixteen, eight and four row words side by side; plain and vector code
// share the adders below, which are inlined by force so that each build of
// their callers turns them into its own registers' instructions. Being
// always inlined, they never pass a vector across a call, so the compiler's
// note that such a call's convention depends on the build does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"
typedef DWORD WideLanes __attribute__((vector_size(64)));
typedef DWORD Lanes __attribute__((vector_size(32)));
typedef DWORD HalfLanes __attribute__((vector_size(16)));

template <typename T>
constexpr DWORD kLanesOf = sizeof(T) / sizeof(DWORD);

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
[[gnu::always_inline]] inline std::array<T, 5> Sum16(const DWORD* const* r, DWORD w) {
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

// The sum of a batch's 32 rows at word w as six bit planes: the sums of its
// two halves added plane by plane.
template <typename Logic, typename T>
[[gnu::always_inline]] inline std::array<T, 6> Sum32(const DWORD* const* r, DWORD w) {
  const std::array<T, 5> a = Sum16<Logic, T>(r, w), b = Sum16<Logic, T>(r + 16, w);
  // Written out: a loop here is kept as one, with the planes on the stack.
  std::array<T, 6> sum;
  T c1, c2, c3, c4;
  sum[0] = a[0] ^ b[0];
  c1 = a[0] & b[0];
  Csa<Logic>(c2, sum[1], a[1], b[1], c1);
  Csa<Logic>(c3, sum[2], a[2], b[2], c2);
  Csa<Logic>(c4, sum[3], a[3], b[3], c3);
  Csa<Logic>(sum[5], sum[4], a[4], b[4], c4);
  return sum;
}

// Adds the sum's plane kPlane and the carry from the plane below into the
// loaded plane, then goes on to the planes above. Written out plane by plane
// at compile time: a loop over the planes costs its own count and jump and a
// test of which planes the sum reaches, on every vector.
template <typename Logic, typename T, std::size_t kPlanes, std::size_t kSumPlanes, std::size_t kPlane = 0>
[[gnu::always_inline]] inline void AddToPlanes(std::array<T, kPlanes>& planes, const std::array<T, kSumPlanes>& sum,
                                               const T& carry) {
  if constexpr (kPlane < kPlanes) {
    const T plane = planes[kPlane];
    T high;
    if constexpr (kPlane == 0) {
      planes[0] = plane ^ sum[0];
      high = plane & sum[0];
    } else if constexpr (kPlane < kSumPlanes) {
      Logic::Xor3(planes[kPlane], plane, sum[kPlane], carry);
      Logic::Majority(high, plane, sum[kPlane], carry);
    } else {
      planes[kPlane] = plane ^ carry;
      high = plane & carry;
    }
    AddToPlanes<Logic, T, kPlanes, kSumPlanes, kPlane + 1>(planes, sum, high);
  }
}

// Every plane of one vector of words is read before any is written: the
// compiler cannot tell that writing one plane leaves the others as they
// were, and would read them again.
template <typename Logic, typename T, std::size_t kSumPlanes, std::size_t... kPlane>
[[gnu::always_inline]] inline void AddToPlanesAt(DWORD* at, std::size_t stride, const std::array<T, kSumPlanes>& sum,
                                                 std::index_sequence<kPlane...>) {
  std::array<T, sizeof...(kPlane)> planes{Load<T>(at + kPlane * stride)...};
  AddToPlanes<Logic, T, sizeof...(kPlane), kSumPlanes>(planes, sum, sum[0]);  // no carry comes into the lowest plane
  (Store(at + kPlane * stride, planes[kPlane]), ...);
}

// The bit planes of a counter: plane p of word w at at[p * stride + w]. Each
// plane starts on a cache line, so that no vector of it straddles two lines.
struct Planes {
  DWORD* at;
  std::size_t stride;
};

// 32 rows to count, and the 32 to be counted after them. The batch
// reads its rows side by side, more streams than the processor follows on
// its own: the next rows are asked for from memory while these are counted,
// a line of each per vector of words, spread over the batch's work instead
// of all at once.
struct Batch {
  static constexpr int kRows = 32;
  std::array<const DWORD*, kRows> rows;
  std::array<const DWORD*, kRows> next;
};

// Asks for the next rows' words from w on, written out row by row: a loop
// would cost more instructions than the requests themselves.
template <std::size_t... kRow>
[[gnu::always_inline]] inline void FetchNext(const Batch& batch, DWORD w, std::index_sequence<kRow...>) {
  (__builtin_prefetch(batch.next[kRow] + w), ...);
}

// Adds the sums of a batch's rows into the planes from word w on,
// kLanesOf<T> words at a time, as far as whole vectors reach; returns the
// first word left.
template <typename Logic, typename T, int kPlanes, bool kFetchNext = false>
[[gnu::always_inline]] inline DWORD AddSums(const Batch& batch, DWORD w, const Planes& planes, DWORD words) {
  for (; w + kLanesOf<T> <= words; w += kLanesOf<T>) {
    if constexpr (kFetchNext) FetchNext(batch, w, std::make_index_sequence<Batch::kRows>{});
    const std::array<T, 6> sum = Sum32<Logic, T>(batch.rows.data(), w);
    AddToPlanesAt<Logic, T>(planes.at + w, planes.stride, sum, std::make_index_sequence<kPlanes>{});
  }
  return w;
}

// The next rows' last words, which the whole vectors may not have reached.
[[gnu::always_inline]] inline void FetchRowEnds(const Batch& batch, DWORD words) {
  if (words)
    for (const DWORD* next : batch.next) __builtin_prefetch(next + words - 1);
}

// The work of one batch: the sums of its rows added into the planes,
// eight words at a time, then four, then word by word.
template <typename Logic, int kPlanes>
[[gnu::always_inline]] inline void AddBatchSums(const Batch& batch, const Planes& planes, DWORD words) {
  DWORD w = AddSums<Logic, Lanes, kPlanes, true>(batch, 0, planes, words);
  FetchRowEnds(batch, words);
  w = AddSums<Logic, HalfLanes, kPlanes>(batch, w, planes, words);
  AddSums<PlainLogic, DWORD, kPlanes>(batch, w, planes, words);
}

// The counts of the 32 bit positions of one row word, read from its
// planes: bit j of plane p is worth 2^p to position j. kLanesOf<T>
// positions at a time, with no branch on the bits.
template <typename T>
[[gnu::always_inline]] inline void AddPlaneCountsOf(const Planes& planes, int planeCount, DWORD words, DWORD* counts) {
  T first = T{} & 0;
  for (DWORD i = 0; i < kLanesOf<T>; ++i) first[i] = i;
  for (DWORD w = 0; w < words; ++w) {
    DWORD* count = counts + std::size_t{w} * 32;
    for (DWORD j = 0; j < 32; j += kLanesOf<T>) {
      const T shift = first + j;
      T sum = T{} & 0;
      for (int p = 0; p < planeCount; ++p) {
        const T plane = T{} + planes.at[std::size_t{static_cast<DWORD>(p)} * planes.stride + w];
        sum += ((plane >> shift) & 1) << p;
      }
      Store(count + j, Load<T>(count + j) + sum);
    }
  }
}

// Each kernel is the same code built for one set of registers: the plain
// one for the architecture's baseline, which every processor it runs on has.
template <int kPlanes>
void AddBatchPortable(const Batch& batch, const Planes& planes, DWORD words) {
  AddBatchSums<PlainLogic, kPlanes>(batch, planes, words);
}

void AddPlaneCountsPortable(const Planes& planes, int planeCount, DWORD words, DWORD* counts) {
  AddPlaneCountsOf<Lanes>(planes, planeCount, words, counts);
}

#if QOR_COUNT_HAS_X86_KERNELS
// The same code for 256-bit registers, run only where the processor has them.
template <int kPlanes>
__attribute__((target("avx2"))) void AddBatchAvx2(const Batch& batch, const Planes& planes, DWORD words) {
  AddBatchSums<PlainLogic, kPlanes>(batch, planes, words);
}

__attribute__((target("avx2"))) void AddPlaneCountsAvx2(const Planes& planes, int planeCount, DWORD words,
                                                        DWORD* counts) {
  AddPlaneCountsOf<Lanes>(planes, planeCount, words, counts);
}

// Where the processor has 512-bit registers it also has the three-input
// logic instruction: each function of three inputs the adders use is one
// instruction instead of two to four, on sixteen row words at once. The
// counting is bound by the processor, not by memory: the instructions per
// row word decide its speed.
#define QOR_WIDE_TARGET __attribute__((target("avx2,avx512f,avx512vl")))
struct WideLogic {
  // The instruction's immediate is the function's truth table over the
  // inputs' bits (a, b, c) = (0xF0, 0xCC, 0xAA).
  template <int kTable>
  QOR_WIDE_TARGET static WideLanes Apply(const WideLanes& a, const WideLanes& b, const WideLanes& c) {
    return reinterpret_cast<WideLanes>(_mm512_ternarylogic_epi32(
        reinterpret_cast<__m512i>(a), reinterpret_cast<__m512i>(b), reinterpret_cast<__m512i>(c), kTable));
  }
  template <int kTable>
  QOR_WIDE_TARGET static Lanes Apply(const Lanes& a, const Lanes& b, const Lanes& c) {
    return reinterpret_cast<Lanes>(_mm256_ternarylogic_epi32(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b),
                                                             reinterpret_cast<__m256i>(c), kTable));
  }
  template <int kTable>
  QOR_WIDE_TARGET static HalfLanes Apply(const HalfLanes& a, const HalfLanes& b, const HalfLanes& c) {
    return reinterpret_cast<HalfLanes>(_mm_ternarylogic_epi32(
        reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b), reinterpret_cast<__m128i>(c), kTable));
  }
  template <typename T>
  QOR_WIDE_TARGET static void Xor3(T& out, const T& a, const T& b, const T& c) {
    out = Apply<0x96>(a, b, c);
  }
  template <typename T>
  QOR_WIDE_TARGET static void Majority(T& out, const T& a, const T& b, const T& c) {
    out = Apply<0xE8>(a, b, c);
  }
};

// Sixteen words at a time, then the row's last words eight, four and one
// at a time.
template <int kPlanes>
QOR_WIDE_TARGET void AddBatchWide(const Batch& batch, const Planes& planes, DWORD words) {
  DWORD w = AddSums<WideLogic, WideLanes, kPlanes, true>(batch, 0, planes, words);
  FetchRowEnds(batch, words);
  w = AddSums<WideLogic, Lanes, kPlanes>(batch, w, planes, words);
  w = AddSums<WideLogic, HalfLanes, kPlanes>(batch, w, planes, words);
  AddSums<PlainLogic, DWORD, kPlanes>(batch, w, planes, words);
}

QOR_WIDE_TARGET void AddPlaneCountsWide(const Planes& planes, int planeCount, DWORD words, DWORD* counts) {
  AddPlaneCountsOf<WideLanes>(planes, planeCount, words, counts);
}
#endif

bool ProcessorHas(CountKernel kernel) {
  switch (kernel) {
    case CountKernel::Portable:
      return true;
    case CountKernel::Vector:
      return QOR_COUNT_HAS_X86_KERNELS && processor_features::HasAvx2();
    case CountKernel::Wide:
      return QOR_COUNT_HAS_X86_KERNELS && processor_features::HasVectorLogic();
  }
  return false;
}

// The kernel itself where it runs here, else the next narrower one that does:
// the portable one always does.
CountKernel RunnableKernel(CountKernel kernel) {
  while (!CountKernelAvailable(kernel)) kernel = static_cast<CountKernel>(static_cast<int>(kernel) - 1);
  return kernel;
}

std::atomic<CountKernel>& ChosenKernel() {
  static std::atomic<CountKernel> chosen{RunnableKernel(CountKernel::Wide)};
  return chosen;
}

}  // namespace

bool CountKernelAvailable(CountKernel kernel) {
  // Asked once: the answers cannot change while the program runs.
  static const std::array<bool, 3> available{ProcessorHas(CountKernel::Portable), ProcessorHas(CountKernel::Vector),
                                             ProcessorHas(CountKernel::Wide)};
  return available[static_cast<std::size_t>(kernel)];
}

CountKernel CurrentCountKernel() { return ChosenKernel().load(std::memory_order_relaxed); }

CountKernel UseCountKernel(CountKernel kernel) {
  return ChosenKernel().exchange(RunnableKernel(kernel), std::memory_order_relaxed);
}

namespace {

constexpr DWORD kWordsPerLine = 64 / sizeof(DWORD);

// Whole lines per plane.
std::size_t PlaneStride(DWORD words) {
  return (std::size_t{words} + kWordsPerLine - 1) / kWordsPerLine * kWordsPerLine;
}

}  // namespace

// The first line boundary in the planes' storage: found anew each time, so
// that a copied counter finds its own.
DWORD* CandidateCounter::FirstPlane() {
  DWORD* at = m_planes.data();
  const std::size_t past = reinterpret_cast<std::uintptr_t>(at) % 64 / sizeof(DWORD);
  return past ? at + (kWordsPerLine - past) : at;
}

CandidateCounter::CandidateCounter(DWORD wordsPerRow, CountKernel kernel)
    : m_words(wordsPerRow),
      m_kernel(RunnableKernel(kernel)),
      m_planes(PlaneStride(wordsPerRow) * kPlanes + kWordsPerLine - 1, 0),
      m_zeroRow(wordsPerRow, 0) {}

void CandidateCounter::AddRow(const DWORD* row) {
  m_waiting[m_waitingCount++] = row;
  if (m_waitingCount < kMostRowsWaiting) return;
  AddBatch(m_waiting.data(), kBatch, kBatch);
  std::copy(m_waiting.begin() + kBatch, m_waiting.end(), m_waiting.begin());
  m_waitingCount -= kBatch;
}

void CandidateCounter::AddBatch(const DWORD* const* waiting, int count, int nextCount) {
  // A short batch is filled with a row of zeros, which adds nothing.
  Batch batch;
  for (int k = 0; k < kBatch; ++k) {
    batch.rows[k] = k < count ? waiting[k] : m_zeroRow.data();
    batch.next[k] = k < nextCount ? waiting[count + k] : m_zeroRow.data();
  }
  if (m_pending + kBatch > kMostPending) {
    if (m_flushed.empty()) m_flushed.assign(std::size_t{m_words} * 32, 0);
    Flush(m_flushed.data());
  }
  const Planes planes{FirstPlane(), PlaneStride(m_words)};
#if QOR_COUNT_HAS_X86_KERNELS
  if (m_kernel == CountKernel::Wide)
    AddBatchWide<kPlanes>(batch, planes, m_words);
  else if (m_kernel == CountKernel::Vector)
    AddBatchAvx2<kPlanes>(batch, planes, m_words);
  else
#endif
    AddBatchPortable<kPlanes>(batch, planes, m_words);
  m_pending += count;
}

void CandidateCounter::AddPlaneCounts(DWORD* counts) {
  const Planes planes{FirstPlane(), PlaneStride(m_words)};
#if QOR_COUNT_HAS_X86_KERNELS
  if (m_kernel == CountKernel::Wide) return AddPlaneCountsWide(planes, kPlanes, m_words, counts);
  if (m_kernel == CountKernel::Vector) return AddPlaneCountsAvx2(planes, kPlanes, m_words, counts);
#endif
  AddPlaneCountsPortable(planes, kPlanes, m_words, counts);
}

void CandidateCounter::Flush(DWORD* counts) {
  if (m_pending) AddPlaneCounts(counts);
  std::fill(m_planes.begin(), m_planes.end(), 0u);
  m_pending = 0;
}

void CandidateCounter::AddTo(std::vector<DWORD>& counts) {
  for (int k = 0; k < m_waitingCount; k += kBatch) {
    const int count = std::min(kBatch, m_waitingCount - k);
    AddBatch(m_waiting.data() + k, count, std::min(kBatch, m_waitingCount - k - count));
  }
  m_waitingCount = 0;
  // The planes go straight into the caller's counts; only the counts of
  // planes emptied on the way were kept apart.
  const std::size_t size = std::size_t{m_words} * 32;
  if (counts.size() < size) counts.resize(size, 0);
  Flush(counts.data());
  AddCounts(counts, m_flushed);
  m_flushed.clear();
}

void AddCounts(std::vector<DWORD>& counts, const std::vector<DWORD>& share) {
  const std::size_t n = std::min(counts.size(), share.size());
  DWORD* to = counts.data();
  const DWORD* from = share.data();
  for (std::size_t a = 0; a < n; ++a) to[a] += from[a];
}
