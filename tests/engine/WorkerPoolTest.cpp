// The parallel loop: the same results as one serial loop, on a fixed set of
// threads no larger than the CPUs the process may use.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <numeric>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "database/ParallelFor.h"

namespace {

TEST(WorkerPool, ChunksCoverTheRangeOnceAsTheSerialLoopDoes) {
  for (int total : {0, 1, 31, 1000, 40000, 123457}) {
    const ChunkPlan plan = PlanChunks(total, 1000, 32);
    EXPECT_LE(plan.chunks, worker_pool::AllowedCpus());
    std::vector<int> visits(total, 0);
    std::vector<long long> sums(plan.chunks, 0);
    ParallelFor(plan, [&](int begin, int end, int chunk) {
      EXPECT_EQ(begin % 32, 0);
      for (int i = begin; i < end; ++i) ++visits[i], sums[chunk] += i;
    });
    EXPECT_EQ(std::count(visits.begin(), visits.end(), 1), total);
    long long serial = 0;
    for (int i = 0; i < total; ++i) serial += i;
    EXPECT_EQ(std::accumulate(sums.begin(), sums.end(), 0LL), serial);
  }
}

TEST(WorkerPool, LoopsReuseAtMostOneThreadPerAllowedCpu) {
  std::mutex guard;
  std::set<std::thread::id> seen;
  for (int call = 0; call < 50; ++call) {
    const ChunkPlan plan{64, 1, 64};  // more chunks than CPUs
    ParallelFor(plan, [&](int, int, int) {
      std::lock_guard<std::mutex> lock(guard);
      seen.insert(std::this_thread::get_id());
    });
  }
  EXPECT_GE(seen.size(), 1u);
  EXPECT_LE(static_cast<int>(seen.size()), worker_pool::AllowedCpus());
}

TEST(WorkerPool, AllowedCpusFollowsTheAffinity) {
  cpu_set_t set;
  ASSERT_EQ(sched_getaffinity(0, sizeof set, &set), 0);
  EXPECT_EQ(worker_pool::AllowedCpus(), CPU_COUNT(&set));
}

}  // namespace

namespace {

// The calling thread's part waits for the pool's to have begun, which only
// another thread can do: with one CPU the parts run one after the other.
TEST(WorkerPool, TheCallersPartRunsWhileThePoolsPartRuns) {
  if (worker_pool::AllowedCpus() < 2) GTEST_SKIP() << "one CPU runs the parts one after the other";
  std::promise<std::thread::id> poolThread;
  std::shared_future<std::thread::id> started = poolThread.get_future().share();
  bool overlapped = false;
  worker_pool::RunBeside([&] { poolThread.set_value(std::this_thread::get_id()); },
                         [&] { overlapped = started.wait_for(std::chrono::seconds(20)) == std::future_status::ready; });
  EXPECT_TRUE(overlapped);
  EXPECT_NE(started.get(), std::this_thread::get_id());
}

TEST(WorkerPool, AnExceptionOfThePoolsPartReachesTheCaller) {
  bool callerRan = false;
  EXPECT_THROW(worker_pool::RunBeside([] { throw std::runtime_error("pool"); }, [&] { callerRan = true; }),
               std::runtime_error);
  EXPECT_TRUE(callerRan);
}

// Long background work holds every worker: the pool's part of RunBeside
// then runs on the caller once its own part is done, instead of waiting.
TEST(WorkerPool, ThePoolsPartRunsOnTheCallerWhileEveryWorkerIsBusy) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::vector<std::shared_future<void>> busy;
  for (int k = 1; k < worker_pool::AllowedCpus(); ++k)
    busy.push_back(worker_pool::RunInBackground([released] { released.wait(); }));
  bool ran = false;
  worker_pool::RunBeside([&] { ran = true; }, [] {});
  EXPECT_TRUE(ran);
  release.set_value();
  for (auto& job : busy) job.wait();
}

TEST(WorkerPool, ABackgroundJobsExceptionReachesItsWaiter) {
  std::shared_future<void> done = worker_pool::RunInBackground([] { throw std::runtime_error("job"); });
  EXPECT_THROW(done.get(), std::runtime_error);
}

}  // namespace
