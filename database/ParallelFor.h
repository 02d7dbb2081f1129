// Runs a loop over [0, count) in a few contiguous chunks on worker threads,
// for work whose results do not depend on how it is divided. Small loops
// run on the calling thread alone.
#pragma once

#include <algorithm>
#include <thread>
#include <vector>

struct ChunkPlan {
  int total = 0;
  int per = 0;     // items per chunk, a multiple of the alignment
  int chunks = 1;
};

// Chunks of at least minPerChunk items whose starts are multiples of align.
inline ChunkPlan PlanChunks(int total, int minPerChunk, int align) {
  const int hardware = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int threads = std::clamp(total / std::max(1, minPerChunk), 1, std::min(hardware, 8));
  ChunkPlan plan{total, total, 1};
  if (threads <= 1 || total <= 0) return plan;
  plan.per = ((total + threads - 1) / threads + align - 1) / align * align;
  plan.chunks = (total + plan.per - 1) / plan.per;
  return plan;
}

template <typename Body>  // Body(begin, end, chunk index)
void ParallelFor(const ChunkPlan& plan, Body body) {
  std::vector<std::thread> workers;
  for (int c = 1; c < plan.chunks; ++c)
    workers.emplace_back(body, c * plan.per, std::min(plan.total, (c + 1) * plan.per), c);
  body(0, std::min(plan.total, plan.per), 0);
  for (auto& worker : workers) worker.join();
}
