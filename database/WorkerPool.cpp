#include "database/WorkerPool.h"

#include <sched.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <future>
#include <mutex>
#include <unordered_map>

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

// One call of RunBeside: its pool part, run once by whoever claims it.
struct BesideCall {
  std::atomic<bool> claimed{false};
  const std::function<void()>* onPool = nullptr;
  std::promise<void> done;

  void RunUnlessClaimed() {
    if (claimed.exchange(true)) return;
    try {
      (*onPool)();
      done.set_value();
    } catch (...) {
      done.set_exception(std::current_exception());
    }
  }
};

// The calls whose queued task has not run yet, by ticket.
class PendingBesideCalls {
 public:
  std::uint64_t Add(std::shared_ptr<BesideCall> call) {
    std::lock_guard lock(m_mutex);
    m_calls.emplace(++m_lastTicket, std::move(call));
    return m_lastTicket;
  }
  // The call of the ticket, taken out; empty when it is gone already.
  std::shared_ptr<BesideCall> Take(std::uint64_t ticket) {
    std::lock_guard lock(m_mutex);
    const auto found = m_calls.find(ticket);
    if (found == m_calls.end()) return nullptr;
    std::shared_ptr<BesideCall> call = std::move(found->second);
    m_calls.erase(found);
    return call;
  }

 private:
  std::mutex m_mutex;
  std::uint64_t m_lastTicket = 0;
  std::unordered_map<std::uint64_t, std::shared_ptr<BesideCall>> m_calls;
};

// A job of RunInBackground as the pool runs it (once, through a const
// call). The job and the holder of its promise are let go before the end is
// told: a waiter may end the program at once, before the pool's thread would
// have destroyed them, and the leak check would report them.
struct BackgroundRun {
  mutable std::shared_ptr<std::promise<void>> done;
  mutable std::function<void()> job;

  void operator()() const {
    std::promise<void> promise = std::move(*done);
    done.reset();
    std::exception_ptr failed;
    try {
      job();
    } catch (...) {
      failed = std::current_exception();
    }
    job = nullptr;
    if (failed)
      promise.set_exception(failed);
    else
      promise.set_value();
  }
};

PendingBesideCalls& PendingCalls() {
  static PendingBesideCalls calls;
  return calls;
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
  auto shared = std::make_shared<BesideCall>();
  shared->onPool = &onPool;
  std::future<void> ended = shared->done.get_future();
  const std::uint64_t ticket = PendingCalls().Add(shared);
  // The queued task names the call by its ticket only: when the caller has
  // run the part itself, a task still queued at the program's end holds
  // nothing of it, and a late task finds no call and does nothing.
  ThePool().arena.enqueue([ticket] {
    if (const auto call = PendingCalls().Take(ticket)) call->RunUnlessClaimed();
  });
  try {
    here();
  } catch (...) {
    if (!shared->claimed.exchange(true)) shared->done.set_value();
    ended.wait();  // onPool still uses what the caller owns
    PendingCalls().Take(ticket);
    throw;
  }
  shared->RunUnlessClaimed();
  PendingCalls().Take(ticket);
  ended.get();
}

std::shared_future<void> RunInBackground(std::function<void()> job) {
  auto done = std::make_shared<std::promise<void>>();
  std::shared_future<void> ended = done->get_future().share();
  BackgroundRun run{std::move(done), std::move(job)};
  if (AllowedCpus() == 1) {
    run();
    return ended;
  }
  ThePool().arena.enqueue(std::move(run));
  return ended;
}

void Prepare() { ThePool(); }

}  // namespace worker_pool
