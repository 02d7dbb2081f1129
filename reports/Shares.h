// Data-parallel counting over many items: a large set is split into a few
// shares counted on their own threads and summed afterwards. Only integer
// sums are computed this way, so the result never depends on the split.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

// How many shares a set of that many items is counted in (1 for small sets).
inline unsigned ShareCount(std::size_t items) {
  constexpr std::size_t kItemsPerShare = 4096;
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<unsigned>(std::clamp<std::size_t>(items / kItemsPerShare, 1, std::min(cores, 4u)));
}

// Calls work(first, last, share) for each share of [0, size); the last
// share runs on the calling thread.
template <class Work>
void RunInShares(std::size_t size, unsigned shares, Work work) {
  shares = std::max(1u, shares);
  std::vector<std::thread> threads;
  for (unsigned k = 0; k < shares; ++k) {
    const std::size_t first = size * k / shares;
    const std::size_t last = size * (k + 1) / shares;
    if (k + 1 < shares) threads.emplace_back([=, &work] { work(first, last, k); });
    else work(first, last, k);
  }
  for (auto& thread : threads) thread.join();
}
