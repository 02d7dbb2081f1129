#include "database/FolderHandle.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kAlways = O_CLOEXEC | O_NOCTTY;

// A name below the folder: relative, with no ".." that could climb out of it.
bool IsBelow(const fs::path& relative) {
  if (relative.empty() || relative.is_absolute()) return false;
  for (const auto& part : relative)
    if (part == "..") return false;
  return true;
}

#ifdef SYS_openat2
int OpenAt2(int folder, const fs::path& relative, int flags, mode_t mode, LinksBeneath links) {
  open_how how{};
  how.flags = static_cast<unsigned long long>(flags);
  how.mode = (flags & (O_CREAT | O_TMPFILE)) ? mode : 0;
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  if (links == LinksBeneath::Refused) how.resolve |= RESOLVE_NO_SYMLINKS;
  return static_cast<int>(::syscall(SYS_openat2, folder, relative.c_str(), &how, sizeof how));
}
#endif

}  // namespace

FolderHandle::FolderHandle(const fs::path& folder)
    : m_fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | kAlways)) {}

FolderHandle::~FolderHandle() {
  if (m_fd >= 0) ::close(m_fd);
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = other.m_fd;
    other.m_fd = -1;
  }
  return *this;
}

int FolderHandle::Open(const fs::path& relative, int flags, LinksBeneath links, mode_t mode) const {
  if (m_fd < 0) {
    errno = EBADF;
    return -1;
  }
  if (!IsBelow(relative)) {
    errno = EXDEV;
    return -1;
  }
  flags |= kAlways;
#ifdef SYS_openat2
  const int fd = OpenAt2(m_fd, relative, flags, mode, links);
  if (fd >= 0 || (errno != ENOSYS && errno != EPERM)) return fd;
#endif
  // Kernels without openat2 (or a sandbox that forbids it): a walk that
  // refuses every link, which is stricter than the rule for reads.
  return OpenByWalk(relative, flags, mode);
}

int FolderHandle::OpenByWalk(const fs::path& relative, int flags, mode_t mode) const {
  std::vector<fs::path> parts;
  for (const auto& part : relative)
    if (!part.empty() && part != ".") parts.push_back(part);
  if (parts.empty()) return ::openat(m_fd, ".", flags, mode);
  int folder = m_fd;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const int next = ::openat(folder, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | kAlways);
    if (folder != m_fd) ::close(folder);
    if (next < 0) return -1;
    folder = next;
  }
  const int fd = ::openat(folder, parts.back().c_str(), flags | O_NOFOLLOW, mode);
  const int saved = errno;
  if (folder != m_fd) ::close(folder);
  errno = saved;
  return fd;
}

FolderHandle FolderHandle::OpenFolder(const fs::path& relative, LinksBeneath links) const {
  if (relative.empty() || relative == ".") return FolderHandle(Open(".", O_RDONLY | O_DIRECTORY, links));
  return FolderHandle(Open(relative, O_RDONLY | O_DIRECTORY, links));
}
