#include "database/FreshMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

// Below this, the call costs about what the faults it saves do.
constexpr std::size_t kFewestPages = 4;

std::uintptr_t PageSize() {
  static const std::uintptr_t size = [] {
    const long reported = ::sysconf(_SC_PAGESIZE);
    return reported > 0 ? static_cast<std::uintptr_t>(reported) : std::uintptr_t{4096};
  }();
  return size;
}

}  // namespace

void PrefaultForWriting(void* memory, std::size_t length) {
#ifdef MADV_POPULATE_WRITE
  const std::uintptr_t page = PageSize();
  const auto start = reinterpret_cast<std::uintptr_t>(memory);
  const std::uintptr_t first = (start + page - 1) / page * page;
  const std::uintptr_t end = (start + length) / page * page;
  if (end <= first || (end - first) / page < kFewestPages) return;
  ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
  (void)memory;
  (void)length;
#endif
}
