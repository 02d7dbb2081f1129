// Per-attribute counts of candidate rows, counted bit-sliced: 32 rows at a
// time are added with carry-save adders into a six-bit sum per bit
// position, which goes into twelve bit planes per row word (counts up to
// 4095); the planes are emptied into the counts before they can overflow,
// seldom enough that emptying them costs little.
// No branch depends on the bits, and the loops over the row words run on
// whole vectors of words.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "database/ParallelFor.h"
#include "database/Records.h"

// The counting loops are built once for each set of registers the processor
// family may have: the portable kernel runs everywhere, the vector kernel
// (256-bit registers) and the wide one (512-bit registers with three-input
// logic) only on processors that have them. Each gives the same counts.
// Listed from the narrowest up.
enum class CountKernel { Portable, Vector, Wide };
// Whether this processor runs the kernel.
bool CountKernelAvailable(CountKernel kernel);
// The kernel new counters use: the widest one available.
CountKernel CurrentCountKernel();
// Makes new counters use kernel (the next narrower one that runs here when
// it does not) and returns the kernel used before. Lets each narrower kernel
// be checked on a processor that has a wider one; not meant for a time when
// counters are being made on other threads.
CountKernel UseCountKernel(CountKernel kernel);

class CandidateCounter {
 public:
  explicit CandidateCounter(DWORD wordsPerRow, CountKernel kernel = CurrentCountKernel());

  // The row must stay valid until the next AddTo, or until kMostRowsWaiting
  // more rows have been added: it waits while a batch before it is counted.
  void AddRow(const DWORD* row);
  static constexpr int kMostRowsWaiting = 64;
  // Adds the counts of every row added since the last AddTo to counts (32
  // per row word), and starts again from none.
  void AddTo(std::vector<DWORD>& counts);

 private:
  // Rows are counted 32 at a time, a batch after they are added: the
  // memory brings them in while the batch before them is counted.
  static constexpr int kBatch = 32;
  static_assert(kMostRowsWaiting == 2 * kBatch);
  static constexpr int kPlanes = 12;
  static constexpr int kMostPending = (1 << kPlanes) - 1;
  // Counts the first count waiting rows; the nextCount rows after them are
  // the next batch.
  void AddBatch(const DWORD* const* waiting, int count, int nextCount);
  DWORD* FirstPlane();
  void AddPlaneCounts(DWORD* counts);
  // Empties the planes into counts (32 per row word).
  void Flush(DWORD* counts);

  DWORD m_words;
  CountKernel m_kernel;                                    // one this processor runs
  std::vector<DWORD> m_planes;                             // plane p of word w at p * m_words + w
  std::vector<DWORD> m_flushed;                            // counts already taken out of the planes
  std::vector<DWORD> m_zeroRow;                            // fills a short last batch
  std::array<const DWORD*, kMostRowsWaiting> m_waiting{};  // the oldest first
  int m_waitingCount = 0;
  int m_pending = 0;  // rows in the planes, at most kMostPending
};

// Adds the counts of share to counts, as far as both reach.
void AddCounts(std::vector<DWORD>& counts, const std::vector<DWORD>& share);

// The column counts (32 per row word) of `count` rows, counted on the worker
// pool by one counter per thread, at least minPerChunk rows each:
// addRows(begin, end, counter) adds the rows begin .. end - 1 to counter.
// The threads take the rows a piece at a time as they come, so that a thread
// the machine holds back leaves its rows to the others instead of keeping
// them all waiting.
template <typename AddRows>
std::vector<DWORD> CountRangesOnPool(DWORD wordsPerRow, int count, int minPerChunk, AddRows addRows) {
  std::vector<DWORD> counts(std::size_t{wordsPerRow} * 32, 0);
  if (count <= 0) return counts;
  const ChunkPlan chunks = PlanChunks(count, minPerChunk, 1);
  const int piece = std::max(64, minPerChunk / 4);
  std::atomic<int> nextPiece{0};
  // The first counter counts into the result itself, the others apart.
  std::vector<std::vector<DWORD>> partial(chunks.chunks - 1);
  ParallelFor(chunks, [&](int, int, int chunk) {
    CandidateCounter counter(wordsPerRow);
    for (int begin; (begin = nextPiece.fetch_add(piece, std::memory_order_relaxed)) < count;)
      addRows(begin, std::min(count, begin + piece), counter);
    counter.AddTo(chunk == 0 ? counts : partial[chunk - 1]);
  });
  for (const std::vector<DWORD>& share : partial) AddCounts(counts, share);
  return counts;
}

// The column counts of rows rowAt(0) .. rowAt(count - 1), a null row passed
// over, counted in chunks of at least minPerChunk rows on the worker pool.
template <typename RowAt>
std::vector<DWORD> CountRowsOnPool(DWORD wordsPerRow, int count, int minPerChunk, RowAt rowAt) {
  return CountRangesOnPool(wordsPerRow, count, minPerChunk, [&](int begin, int end, CandidateCounter& counter) {
    for (int k = begin; k < end; ++k)
      if (const DWORD* row = rowAt(k)) counter.AddRow(row);
  });
}
