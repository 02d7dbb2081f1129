#include "database/RegularFileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "database/FileReading.h"
#include "database/FolderHandle.h"

namespace fs = std::filesystem;

namespace {

std::string OpenFailureReason(int error) {
  switch (error) {
    case ENOENT:
      return "it does not exist";
    case EXDEV:
    case ELOOP:
      return "it is a link that leads out of its folder";
    default:
      return UnreadableReason(error);
  }
}

bool ReadOpenedAndClose(int fd, std::size_t maxBytes, std::string& bytes, std::string& error) {
  if (fd < 0) {
    error = OpenFailureReason(errno);
    return false;
  }
  const bool ok = ReadOpenRegularFile(fd, maxBytes, bytes, error);
  ::close(fd);
  return ok;
}

}  // namespace

std::string TooLargeReason(std::size_t maxBytes) { return "it is larger than " + std::to_string(maxBytes) + " bytes"; }

bool ReadOpenRegularFile(int fd, std::size_t maxBytes, std::string& bytes, std::string& error) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    error = UnreadableReason(errno);
    return false;
  }
  if (S_ISDIR(status.st_mode)) {
    error = "it is a folder";
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    error = "it is not a plain file";
    return false;
  }
  if (static_cast<unsigned long long>(status.st_size) > maxBytes) {
    error = TooLargeReason(maxBytes);
    return false;
  }
  // The file may grow after its size was asked: it is read on while it
  // does, and one byte past the bound tells that it got too large.
  const std::size_t limit = maxBytes + 1;
  std::size_t capacity = std::min(static_cast<std::size_t>(status.st_size) + 1, limit);
  std::size_t done = 0;
  for (;;) {
    bytes.resize(capacity);
    const long long got = ReadAt(fd, bytes.data() + done, capacity - done, done);
    if (got < 0) {
      error = UnreadableReason(errno);
      bytes.clear();
      return false;
    }
    done += static_cast<std::size_t>(got);
    if (done < capacity) break;
    if (capacity == limit) {
      error = TooLargeReason(maxBytes);
      bytes.clear();
      return false;
    }
    capacity = std::min(capacity * 2, limit);
  }
  bytes.resize(done);
  return true;
}

bool ReadRegularFileBeneath(const FolderHandle& folder, const fs::path& relative, std::size_t maxBytes,
                            std::string& bytes, std::string& error) {
  const int fd = folder.Open(relative, O_RDONLY | O_NONBLOCK, LinksBeneath::Inside);
  return ReadOpenedAndClose(fd, maxBytes, bytes, error);
}

bool ReadKeyFile(const fs::path& path, std::size_t maxBytes, std::string& bytes, std::string& error) {
  const fs::path name = path.filename();
  if (name.empty() || name == "." || name == "..") {
    error = "it names no file";
    return false;
  }
  const FolderHandle folder(path.parent_path());
  if (!folder.IsOpen()) {
    error = OpenFailureReason(errno);
    return false;
  }
  return ReadRegularFileBeneath(folder, name, maxBytes, bytes, error);
}
