#include "exporters/xml/ExportTargetFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace {

std::string ErrnoText() { return std::strerror(errno); }

// Why the entry under the name may not be replaced; empty when there is
// none or it is a plain file. Fills the plain file's permission bits.
std::string TargetRefusal(int folder, const std::string& name, mode_t& permissions) {
  struct stat status {};
  if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? std::string() : ErrnoText();
  if (S_ISLNK(status.st_mode)) return "it is a symbolic link";
  if (S_ISDIR(status.st_mode)) return "it is a folder";
  if (!S_ISREG(status.st_mode)) return "it is not a plain file";
  permissions = status.st_mode & 07777;
  return {};
}

}  // namespace

ExportTargetFile::~ExportTargetFile() { Discard(); }

void ExportTargetFile::Discard() {
  if (m_file >= 0) ::close(m_file);
  if (m_folder >= 0 && !m_temporary.empty()) ::unlinkat(m_folder, m_temporary.c_str(), 0);
  if (m_folder >= 0) ::close(m_folder);
  m_file = m_folder = -1;
  m_temporary.clear();
}

bool ExportTargetFile::Open(const std::string& path, std::string& error) {
  Discard();
  const std::size_t slash = path.find_last_of('/');
  m_name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  if (m_name.empty() || m_name == "." || m_name == "..") {
    error = "it names no file";
    return false;
  }
  m_folder = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (m_folder < 0) {
    error = "cannot open its folder (" + ErrnoText() + ")";
    return false;
  }
  mode_t permissions = 0;
  error = TargetRefusal(m_folder, m_name, permissions);
  if (!error.empty()) {
    Discard();
    return false;
  }
  std::random_device random;
  for (int attempt = 0; attempt < 16 && m_file < 0; ++attempt) {
    m_temporary = "." + m_name + "." + std::to_string(random()) + ".tmp";
    m_file = ::openat(m_folder, m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (m_file < 0 && errno != EEXIST) break;
  }
  if (m_file < 0) {
    error = "cannot create a file in its folder (" + ErrnoText() + ")";
    m_temporary.clear();
    Discard();
    return false;
  }
  return true;
}

bool ExportTargetFile::Write(const char* data, std::size_t size, std::string& error) {
  if (m_file < 0) {
    error = "the file is not open";
    return false;
  }
  while (size > 0) {
    const ssize_t written = ::write(m_file, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = ErrnoText();
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool ExportTargetFile::Commit(std::string& error) {
  if (m_file < 0) {
    error = "the file is not open";
    return false;
  }
  const bool ok = Finish(error) && Place(error);
  if (ok) m_temporary.clear();
  Discard();
  return ok;
}

bool ExportTargetFile::Finish(std::string& error) {
  // The name is looked at again: the folder may have changed since Open.
  mode_t permissions = 0;
  error = TargetRefusal(m_folder, m_name, permissions);
  bool ok = error.empty();
  if (ok && permissions != 0 && ::fchmod(m_file, permissions) != 0) ok = false;
  if (ok && ::fsync(m_file) != 0) ok = false;
  if (::close(m_file) != 0) ok = false;
  m_file = -1;
  if (!ok && error.empty()) error = ErrnoText();
  return ok;
}

// renameat replaces whatever entry took the name meanwhile, a link
// included, and never writes into what it leads to.
bool ExportTargetFile::Place(std::string& error) {
  if (::renameat(m_folder, m_temporary.c_str(), m_folder, m_name.c_str()) == 0) return true;
  error = ErrnoText();
  return false;
}
