// A guard for a call that a crafted file could make block for good (a FIFO
// opened for reading, an endless device): the call runs on a thread of its
// own, and when it has not returned within a generous bound the test
// program stops with a failure instead of hanging the test run. The bound
// is never a measure of speed.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>

namespace hang_guard {

inline constexpr std::chrono::seconds kBound{60};

template <class Call>
auto ReturnsWithinBound(const char* what, Call call) -> std::invoke_result_t<Call> {
  using Result = std::invoke_result_t<Call>;
  auto promise = std::make_shared<std::promise<Result>>();
  std::future<Result> result = promise->get_future();
  // Detached, so a call that never returns cannot hold up the exit below.
  std::thread([promise, call = std::move(call)]() mutable {
    try {
      if constexpr (std::is_void_v<Result>) {
        call();
        promise->set_value();
      } else {
        promise->set_value(call());
      }
    } catch (...) {
      promise->set_exception(std::current_exception());
    }
  }).detach();
  if (result.wait_for(kBound) != std::future_status::ready) {
    std::fprintf(stderr, "FAILED: %s did not return: it blocks or reads without end\n", what);
    std::fflush(stderr);
    std::_Exit(1);
  }
  return result.get();
}

}  // namespace hang_guard

namespace hang_guard {

// For a call that must stay on the test's own thread (a widget's): while it
// runs, a watcher waits out the bound and then opens the FIFO for writing
// and closes it again, which ends a read blocked on it, so the test goes on
// and fails instead of hanging.
class FifoWatch {
 public:
  explicit FifoWatch(std::string fifo) : m_fifo(std::move(fifo)) {
    m_watcher = std::thread([this] {
      std::unique_lock lock(m_mutex);
      if (m_done.wait_for(lock, kBound, [this] { return m_finished; })) return;
      m_unblocked = true;
      const int fd = ::open(m_fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) ::close(fd);
    });
  }
  ~FifoWatch() { Finish(); }
  FifoWatch(const FifoWatch&) = delete;
  FifoWatch& operator=(const FifoWatch&) = delete;

  // Ends the watch; true when the call had blocked and was set free.
  bool Finish() {
    {
      std::lock_guard lock(m_mutex);
      m_finished = true;
    }
    m_done.notify_all();
    if (m_watcher.joinable()) m_watcher.join();
    return m_unblocked;
  }

 private:
  std::string m_fifo;
  std::mutex m_mutex;
  std::condition_variable m_done;
  bool m_finished = false;
  bool m_unblocked = false;
  std::thread m_watcher;
};

}  // namespace hang_guard
