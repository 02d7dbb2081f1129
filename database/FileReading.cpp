#include "database/FileReading.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

std::string UnreadableReason(int error) { return std::string("it cannot be read (") + std::strerror(error) + ")"; }

int OpenForReading(const std::filesystem::path& path, struct stat& status, std::string& error) {
  // Without blocking: a FIFO under the name would otherwise hold the open
  // until something writes into it, which for a key's file is never.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0 || ::fstat(fd, &status) != 0) {
    const int why = errno;
    if (fd >= 0) ::close(fd);
    std::error_code code;
    error = std::filesystem::exists(path, code) ? UnreadableReason(why) : "it does not exist";
    return -1;
  }
  if (S_ISDIR(status.st_mode)) {
    ::close(fd);
    error = "it is a folder";
    return -1;
  }
  // A FIFO, a socket or a device never ends or never answers: only a plain
  // file is read.
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    error = "it is not a plain file";
    return -1;
  }
  return fd;
}

long long ReadAt(int fd, void* to, std::size_t length, std::size_t offset) {
  auto* bytes = static_cast<std::uint8_t*>(to);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t got = ::pread(fd, bytes + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<long long>(done);
}
