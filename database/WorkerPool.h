// The one pool of worker threads of the process: as many threads as CPUs the
// process may run on (its affinity, not the machine's core count), started
// once and reused by every parallel loop.
#pragma once

#include <functional>
#include <future>

namespace worker_pool {

// The CPUs this process may run on (at least 1).
int AllowedCpus();

// Runs body(0) .. body(count - 1), spread over the pool; the calling thread
// takes part and returns when every call has ended. One call runs inline.
void RunChunks(int count, const std::function<void(int)>& body);

// Runs onPool on a thread of the pool while the calling thread runs here,
// and returns when both have ended (one after the other on one CPU). Work
// that must stay on the calling thread, such as the user interface's, goes
// in here. An exception of onPool is thrown on the calling thread.
void RunBeside(const std::function<void()>& onPool, const std::function<void()>& here);

// Runs job on a thread of the pool while the caller goes on; the future is
// ready once it has ended (with its exception, if any). Work that would
// otherwise take a thread of its own goes here, so that the process never
// runs more threads at once than it has CPUs. With one CPU the job runs
// here, before this returns.
std::shared_future<void> RunInBackground(std::function<void()> job);

// Builds the pool now, so that it outlives an object made after this call
// that waits at exit for work it gave the pool.
void Prepare();

}  // namespace worker_pool
