#include "database/WorkerPool.h"

#include <sched.h>

#include <atomic>
#include <exception>
#include <memory>
#include <future>

#include <tbb/global_control.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

namespace worker_pool {

int AllowedCpus() {
  static const int cpus = [] {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return CPU_COUNT(&set) > 0 ? CPU_COUNT(&set) : 1;
  }();
  return cpus;
}

namespace {

// Bounds every thread the library may start, and the arena the loops run in.
struct Pool {
  tbb::global_control limit{tbb::global_control::max_allowed_parallelism, static_cast<std::size_t>(AllowedCpus())};
  tbb::task_arena arena{AllowedCpus()};
};

Pool& ThePool() {
  static Pool pool;
  return pool;
}

}  // namespace

void RunChunks(int count, const std::function<void(int)>& body) {
  if (count <= 0) return;
  if (count == 1 || AllowedCpus() == 1) {
    for (int c = 0; c < count; ++c) body(c);
    return;
  }
  ThePool().arena.execute([&] {
    tbb::parallel_for(
        0, count, 1, [&](int c) { body(c); }, tbb::simple_partitioner());
  });
}

void RunBeside(const std::function<void()>& onPool, const std::function<void()>& here) {
  if (AllowedCpus() == 1) {
    // One after the other, with the same outcome as side by side: the
    // caller's part runs even when the pool's part fails.
    std::exception_ptr failed;
    try {
      onPool();
    } catch (...) {
      failed = std::current_exception();
    }
    here();
    if (failed) std::rethrow_exception(failed);
    return;
  }
  // Whoever comes first runs the pool's part: a worker, or the caller once
  // its own part has ended while every worker is still busy elsewhere (a
  // long job in the background, say). The caller never waits for a worker
  // that may not come, and no thread beyond the pool's is started.
  struct Shared {
    std::atomic<bool> claimed{false};
    const std::function<void()>* onPool = nullptr;
    std::promise<void> done;
  };
  auto shared = std::make_shared<Shared>();
  shared->onPool = &onPool;
  auto run = [](Shared& s) {
    try {
      (*s.onPool)();
      s.done.set_value();
    } catch (...) {
      s.done.set_exception(std::current_exception());
    }
  };
  std::future<void> ended = shared->done.get_future();
  // Enqueued work is taken by a worker of the arena, never left to the
  // calling thread, which is busy with its own part.
  ThePool().arena.enqueue([shared, run] {
    if (!shared->claimed.exchange(true)) run(*shared);
  });
  try {
    here();
  } catch (...) {
    if (!shared->claimed.exchange(true)) shared->done.set_value();
    ended.wait();  // onPool still uses what the caller owns
    throw;
  }
  if (!shared->claimed.exchange(true)) run(*shared);
  ended.get();
}

std::shared_future<void> RunInBackground(std::function<void()> job) {
  auto done = std::make_shared<std::promise<void>>();
  std::shared_future<void> ended = done->get_future().share();
  auto run = [done, job = std::move(job)] {
    try {
      job();
      done->set_value();
    } catch (...) {
      done->set_exception(std::current_exception());
    }
  };
  if (AllowedCpus() == 1) {
    run();
    return ended;
  }
  ThePool().arena.enqueue(std::move(run));
  return ended;
}

void Prepare() { ThePool(); }

}  // namespace worker_pool
