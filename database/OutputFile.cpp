#include "database/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "database/AtomicFile.h"
#include "database/DescriptorOutputBuffer.h"
#include "platform/Ui.h"

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int error) { return std::strerror(error); }

// The reason a status found under the name forbids the write; empty for a
// plain file that may be replaced.
std::string RefusalOf(const struct stat& status) {
  if (S_ISLNK(status.st_mode)) return "it is a symbolic link";
  if (S_ISDIR(status.st_mode)) return "it is a folder";
  if (!S_ISREG(status.st_mode)) return "it is not a plain file";
  // The mode bits decide, as for a database: a file its owner marked
  // read-only is not for the program to replace.
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return kReadOnlyReason;
  return {};
}

// Closes the folder's descriptor on every way out.
class FolderHandle {
 public:
  explicit FolderHandle(const fs::path& folder)
      : m_fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
  ~FolderHandle() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;
  int fd() const { return m_fd; }

 private:
  int m_fd;
};

// A new file of a name nobody chose beforehand; a link or anything else
// already under that name makes the open fail, never followed.
int CreateTemporary(int folder, const std::string& name, std::string& temporary, std::string& error) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = "." + name + "." + std::to_string(random()) + ".tmp";
    const int fd = ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  error = "cannot create a file in the folder (" + ErrnoText(errno) + ")";
  return -1;
}

bool RunWriter(int fd, const std::function<bool(std::ostream&)>& writer, std::string& error) {
  DescriptorOutputBuffer buffer(fd);
  std::ostream out(&buffer);
  bool wrote = false;
  try {
    wrote = writer(out);
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  out.flush();
  if (buffer.error() != 0) {
    error = "cannot write the file (" + ErrnoText(buffer.error()) + ")";
    return false;
  }
  if (!wrote || !out) {
    if (error.empty()) error = "the contents could not be written";
    return false;
  }
  return true;
}

// What stands under the name now decides: nothing, or a plain file whose
// permissions the new one takes over.
bool MatchTarget(int folder, const std::string& name, int fd, std::string& error) {
  struct stat old {};
  if (::fstatat(folder, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno == ENOENT) return true;
    error = ErrnoText(errno);
    return false;
  }
  error = RefusalOf(old);
  if (!error.empty()) return false;
  if (::fchmod(fd, old.st_mode & 07777) != 0) {
    error = "cannot write the file (" + ErrnoText(errno) + ")";
    return false;
  }
  return true;
}

bool Finish(int fd, std::string& error) {
  if (::fsync(fd) != 0) {
    error = "cannot write the file (" + ErrnoText(errno) + ")";
    ::close(fd);
    return false;
  }
  if (::close(fd) != 0) {
    error = "cannot write the file (" + ErrnoText(errno) + ")";
    return false;
  }
  return true;
}

}  // namespace

std::string OutputFileRefusal(const fs::path& path) {
  const fs::path name = path.filename();
  if (name.empty() || name == "." || name == "..") return "it names no file";
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return {};
  return RefusalOf(status);
}

bool RefuseOutputFile(const std::string& path, const std::string& nothingDone) {
  const std::string reason = OutputFileRefusal(path);
  if (reason.empty()) return false;
  platform::Ui().ShowMessage("Cannot write \"" + path + "\": " + reason + ". " + nothingDone, {},
                             platform::MessageIcon::Error);
  return true;
}

bool AgreeToReplaceOutputFile(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return true;
  return platform::Ui().AskYesNo(path + " already exists.\nDo you want to replace it?", false);
}

bool ConfirmOutputFile(const std::string& path, const std::string& nothingDone) {
  return !RefuseOutputFile(path, nothingDone) && AgreeToReplaceOutputFile(path);
}

bool WriteOutputFile(const fs::path& path, const std::function<bool(std::ostream&)>& writer, std::string& error) {
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") {
    error = "it names no file";
    return false;
  }
  const FolderHandle folder(path.parent_path());
  if (folder.fd() < 0) {
    error = "cannot open the folder (" + ErrnoText(errno) + ")";
    return false;
  }
  std::string temporary;
  const int fd = CreateTemporary(folder.fd(), name, temporary, error);
  if (fd < 0) return false;
  bool ok = RunWriter(fd, writer, error) && MatchTarget(folder.fd(), name, fd, error);
  if (ok) {
    ok = Finish(fd, error);
  } else {
    ::close(fd);
  }
  // The rename replaces the entry itself: a link that appeared since the
  // check is replaced, its target never written.
  if (ok && ::renameat(folder.fd(), temporary.c_str(), folder.fd(), name.c_str()) != 0) {
    error = "cannot replace the file (" + ErrnoText(errno) + ")";
    ok = false;
  }
  if (!ok) ::unlinkat(folder.fd(), temporary.c_str(), 0);
  return ok;
}
