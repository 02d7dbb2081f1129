#include "database/ArchiveFile.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "database/FreshMemory.h"
#include "database/DiskFileStamp.h"
#include "database/FileReading.h"

namespace {

// Reads ahead start small after a jump, where only a block's header is
// wanted, and grow while the reading goes on in order.
constexpr std::size_t kFirstStep = std::size_t{4} << 10;
constexpr std::size_t kLargestStep = std::size_t{1} << 20;

}  // namespace

ArchiveFile::ArchiveFile() : m_filled{{0, 0}}, m_step(kFirstStep) {}

ArchiveFile::~ArchiveFile() {
  if (m_room) ::munmap(m_room, m_size);
  if (m_fd >= 0) ::close(m_fd);
}

bool ArchiveFile::Open(const std::filesystem::path& path, std::string& error) {
  struct stat& status = m_status;
  m_fd = OpenForReading(path, status, error);
  if (m_fd < 0) return false;
  if (status.st_size <= 0) return m_whole.ReadOpen(m_fd, status, error);
  m_size = static_cast<std::size_t>(status.st_size);
  // Room only: a page is backed by memory once something is read into it.
  // Asked for whole, as a file read whole would be, so the system refuses a
  // file larger than it could hold before the file's counts are believed.
  void* room = ::mmap(nullptr, m_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (room == MAP_FAILED) {
    m_size = 0;
    error = UnreadableReason(ENOMEM);
    return false;
  }
  m_room = static_cast<std::uint8_t*>(room);
  return true;
}

bool ArchiveFile::Fill(std::size_t offset, std::size_t length) {
  if (length > size() || offset > size() - length) return false;
  if (!m_room) return true;
  Run& run = m_filled.back();
  if (offset >= run.begin && offset + length <= run.end) return true;
  // In order, the run goes on; after a jump a new run starts where asked.
  if (offset < run.begin || offset > run.end) {
    m_filled.push_back({offset, offset});
    m_step = kFirstStep;
  }
  Run& current = m_filled.back();
  const std::size_t wanted = std::min(m_size, std::max(offset + length, current.end + m_step));
  m_step = std::min(2 * m_step, kLargestStep);
  PrefaultForWriting(m_room + current.end, wanted - current.end);
  const long long got = ReadAt(m_fd, m_room + current.end, wanted - current.end, current.end);
  if (got < 0) {
    m_readError = UnreadableReason(errno);
    return false;
  }
  current.end += static_cast<std::size_t>(got);
  return offset + length <= current.end;
}

bool ArchiveFile::IsFilled(std::size_t offset, std::size_t length) const {
  // The first run that ends after offset is the only one that may hold it.
  const auto run = std::upper_bound(m_filled.begin(), m_filled.end(), offset,
                                    [](std::size_t at, const Run& r) { return at < r.end; });
  return run != m_filled.end() && run->begin <= offset && offset + length <= run->end;
}

bool ArchiveFile::CopyOut(std::size_t offset, void* to, std::size_t length) const {
  if (length > size() || offset > size() - length) return false;
  // Small arrays lie in what was read already: one read each would cost
  // more than the copy.
  if (!m_room || IsFilled(offset, length)) {
    std::memcpy(to, data() + offset, length);
    return true;
  }
  const long long got = ReadAt(m_fd, to, length, offset);
  if (got < 0) m_copyError = errno;
  return got == static_cast<long long>(length);
}

std::string ArchiveFile::readError() const {
  if (!m_readError.empty()) return m_readError;
  const int copyError = m_copyError;
  return copyError != 0 ? UnreadableReason(copyError) : std::string();
}

std::optional<std::uint64_t> ArchiveFile::contentHash(std::uint64_t limit) const {
  if (!m_room)
    return m_whole.size() <= limit ? std::optional(ContentHash(m_whole.data(), m_whole.size())) : std::nullopt;
  if (m_size > limit) return std::nullopt;
  ContentHasher hasher;
  std::vector<char> piece(std::size_t{1} << 16);
  for (std::size_t at = 0; at < m_size;) {
    const long long got = ReadAt(m_fd, piece.data(), std::min(piece.size(), m_size - at), at);
    if (got <= 0) return std::nullopt;
    hasher.Add(piece.data(), static_cast<std::size_t>(got));
    at += static_cast<std::size_t>(got);
  }
  return hasher.Hash();
}
