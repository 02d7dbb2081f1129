#include "database/ArchiveFile.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "database/FileReading.h"

namespace {

// Reads ahead start small after a jump, where only a block's header is
// wanted, and grow while the reading goes on in order.
constexpr std::size_t kFirstStep = std::size_t{4} << 10;
constexpr std::size_t kLargestStep = std::size_t{1} << 20;

}  // namespace

ArchiveFile::ArchiveFile() : m_step(kFirstStep) {}

ArchiveFile::~ArchiveFile() {
  if (m_room) ::munmap(m_room, m_size);
  if (m_fd >= 0) ::close(m_fd);
}

bool ArchiveFile::Open(const std::filesystem::path& path, std::string& error) {
  struct stat status {};
  m_fd = OpenForReading(path, status, error);
  if (m_fd < 0) return false;
  if (!S_ISREG(status.st_mode) || status.st_size <= 0) return m_whole.Read(path, error);
  m_size = static_cast<std::size_t>(status.st_size);
  // Room only: a page is backed by memory once something is read into it.
  void* room = ::mmap(nullptr, m_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (room == MAP_FAILED) {
    m_size = 0;
    error = UnreadableReason(ENOMEM);
    return false;
  }
  m_room = static_cast<std::uint8_t*>(room);
  return true;
}

bool ArchiveFile::Fill(std::size_t offset, std::size_t length) {
  if (!m_room) return offset + length <= m_whole.size();
  if (offset >= m_filledBegin && offset + length <= m_filledEnd) return true;
  if (length > m_size || offset > m_size - length) return false;
  // In order, the run goes on; after a jump a new run starts where asked.
  if (offset < m_filledBegin || offset > m_filledEnd) {
    m_filledBegin = m_filledEnd = offset;
    m_step = kFirstStep;
  }
  const std::size_t wanted = std::min(m_size, std::max(offset + length, m_filledEnd + m_step));
  m_step = std::min(2 * m_step, kLargestStep);
  return ReadWindow(m_filledEnd, wanted) && offset + length <= m_filledEnd;
}

bool ArchiveFile::ReadWindow(std::size_t from, std::size_t to) {
  const long long got = ReadAt(m_fd, m_room + from, to - from, from);
  if (got < 0) {
    m_readError = UnreadableReason(errno);
    return false;
  }
  m_filledEnd = from + static_cast<std::size_t>(got);
  return true;
}

bool ArchiveFile::CopyOut(std::size_t offset, void* to, std::size_t length) const {
  if (!m_room) {
    if (offset > m_whole.size() || length > m_whole.size() - offset) return false;
    std::memcpy(to, m_whole.data() + offset, length);
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
