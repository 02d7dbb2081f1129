#include "database/FileBytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "database/FileReading.h"
#include "database/FreshMemory.h"
#include "database/WorkerPool.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kStep = std::size_t{2} << 20;
constexpr std::size_t kPieceBytes = std::size_t{8} << 20;
constexpr std::size_t kRestStep = std::size_t{64} << 10;

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

FileBytes::~FileBytes() {
  if (m_data) ::munmap(m_data, m_capacity);
}

// Fresh memory in whole 2 MB steps; a larger room keeps what was read. Huge
// pages are not asked for: where memory is fragmented the system would
// compact it first, which costs more than the small pages' faults.
bool FileBytes::Reserve(std::size_t bytes) {
  if (bytes <= m_capacity) return true;
  const std::size_t capacity = (bytes + kStep - 1) / kStep * kStep;
  void* room = m_data ? ::mremap(m_data, m_capacity, capacity, MREMAP_MAYMOVE)
                      : ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (room == MAP_FAILED) return false;
  m_data = static_cast<std::uint8_t*>(room);
  m_capacity = capacity;
  return true;
}

bool FileBytes::Read(const fs::path& path, std::string& error) {
  m_size = 0;
  struct stat status {};
  const Descriptor file(OpenForReading(path, status, error));
  return file.get() >= 0 && ReadOpen(file.get(), status, error);
}

bool FileBytes::ReadOpen(int fd, const struct stat& status, std::string& error) {
  m_size = 0;
  const std::size_t expected = status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
  if (!Reserve(expected)) {
    error = UnreadableReason(ENOMEM);
    return false;
  }
  if (!ReadInPieces(fd, expected, error)) return false;
  return m_size < expected || ReadRest(fd, error);
}

// Pieces of whole 2 MB steps, one per worker at most; the file ends at the
// first piece that comes back short.
bool FileBytes::ReadInPieces(int fd, std::size_t expected, std::string& error) {
  if (expected == 0) return true;
  const std::size_t wanted = std::clamp<std::size_t>(expected / kPieceBytes, 1, worker_pool::AllowedCpus());
  const std::size_t per = ((expected + wanted - 1) / wanted + kStep - 1) / kStep * kStep;
  const int pieces = static_cast<int>((expected + per - 1) / per);
  std::vector<long long> got(static_cast<std::size_t>(pieces));
  std::vector<int> failures(static_cast<std::size_t>(pieces), 0);
  worker_pool::RunChunks(pieces, [&](int p) {
    const std::size_t begin = per * static_cast<std::size_t>(p);
    const std::size_t length = std::min(expected, begin + per) - begin;
    PrefaultForWriting(m_data + begin, length);
    got[p] = ReadAt(fd, m_data + begin, length, begin);
    if (got[p] < 0) failures[p] = errno;
  });
  for (int p = 0; p < pieces; ++p) {
    if (failures[p] != 0) {
      error = UnreadableReason(failures[p]);
      return false;
    }
    const std::size_t begin = per * static_cast<std::size_t>(p);
    m_size = begin + static_cast<std::size_t>(got[p]);
    if (m_size < std::min(expected, begin + per)) break;
  }
  return true;
}

bool FileBytes::ReadRest(int fd, std::string& error) {
  for (;;) {
    if (!Reserve(m_size + kRestStep)) {
      error = UnreadableReason(ENOMEM);
      return false;
    }
    const long long got = ReadAt(fd, m_data + m_size, m_capacity - m_size, m_size);
    if (got < 0) {
      error = UnreadableReason(errno);
      return false;
    }
    if (got == 0) return true;
    m_size += static_cast<std::size_t>(got);
  }
}
