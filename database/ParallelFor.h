// Runs a loop over [0, count) in a few contiguous chunks on the process's
// worker pool, for work whose results do not depend on how it is divided.
// Small loops run on the calling thread alone.
#pragma once

#include <algorithm>

#include "database/WorkerPool.h"

struct ChunkPlan {
  int total = 0;
  int per = 0;  // items per chunk, a multiple of the alignment
  int chunks = 1;
};

// Chunks of at least minPerChunk items whose starts are multiples of align,
// no more of them than the CPUs the process may use.
inline ChunkPlan PlanChunks(int total, int minPerChunk, int align) {
  const int threads = std::clamp(total / std::max(1, minPerChunk), 1, worker_pool::AllowedCpus());
  ChunkPlan plan{total, total, 1};
  if (threads <= 1 || total <= 0) return plan;
  plan.per = ((total + threads - 1) / threads + align - 1) / align * align;
  plan.chunks = (total + plan.per - 1) / plan.per;
  return plan;
}

template <typename Body>  // Body(begin, end, chunk index)
void ParallelFor(const ChunkPlan& plan, Body body) {
  if (plan.chunks <= 1) {
    body(0, plan.total, 0);
    return;
  }
  worker_pool::RunChunks(plan.chunks, [&](int c) { body(c * plan.per, std::min(plan.total, (c + 1) * plan.per), c); });
}
