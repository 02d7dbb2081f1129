// The one pool of worker threads of the process: as many threads as CPUs the
// process may run on (its affinity, not the machine's core count), started
// once and reused by every parallel loop.
#pragma once

#include <functional>

namespace worker_pool {

// The CPUs this process may run on (at least 1).
int AllowedCpus();

// Runs body(0) .. body(count - 1), spread over the pool; the calling thread
// takes part and returns when every call has ended. One call runs inline.
void RunChunks(int count, const std::function<void(int)>& body);

}  // namespace worker_pool
