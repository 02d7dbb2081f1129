#include "database/DatabaseHeader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "database/Archive.h"
#include "database/FileReading.h"
#include "database/FolderHandle.h"
#include "database/RecordArchive.h"

namespace {

// The header is near the start; a long description may need more.
constexpr std::size_t kFirstRead = std::size_t{64} << 10;
// Lists read headers on their own, for every ".qor" in a folder: a header
// that claims more than this (a title of gigabytes) is taken as a bad format
// and never read further.
constexpr std::size_t kMaxHeaderBytes = std::size_t{16} << 20;

bool ParseHeader(const std::vector<std::uint8_t>& bytes, CQDochdr& header) {
  CArchive ar(bytes.data(), bytes.size());
  WORD version = 0;
  if (!ReadFileVersion(ar, version)) return false;
  LoadHeader(ar, header);
  return true;
}

bool ReadStart(int fd, std::size_t limit, std::vector<std::uint8_t>& bytes) {
  bytes.resize(limit);
  const long long got = ReadAt(fd, bytes.data(), limit, 0);
  if (got < 0) return false;
  bytes.resize(static_cast<std::size_t>(got));
  return true;
}

// The file as a file of its folder: opened without blocking, so a FIFO
// named ".qor" in a listed folder cannot hang the list, and a link under the
// name followed only while it stays inside that folder.
int OpenInItsFolder(const std::filesystem::path& path) {
  const std::filesystem::path name = path.filename();
  if (name.empty() || name == "." || name == "..") return -1;
  const FolderHandle folder(path.parent_path());
  return folder.Open(name, O_RDONLY | O_NONBLOCK, LinksBeneath::Inside);
}

class OpenFile {
 public:
  explicit OpenFile(int fd) : m_fd(fd) {}
  ~OpenFile() {
    if (m_fd >= 0) ::close(m_fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

HeaderReadResult ReadDatabaseHeaderFile(const std::filesystem::path& path, CQDochdr& header) {
  const OpenFile file(OpenInItsFolder(path));
  struct stat status {};
  if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
    return HeaderReadResult::CannotOpen;
  const std::size_t readable =
      std::min<std::size_t>(static_cast<std::size_t>(std::max<off_t>(status.st_size, 0)), kMaxHeaderBytes);
  std::size_t limit = std::min(readable, kFirstRead);
  std::vector<std::uint8_t> bytes;
  for (;;) {
    if (!ReadStart(file.get(), limit, bytes)) return HeaderReadResult::CannotOpen;
    try {
      return ParseHeader(bytes, header) ? HeaderReadResult::Ok : HeaderReadResult::BadFormat;
    } catch (const ArchiveError&) {
      if (limit >= readable) return HeaderReadResult::BadFormat;
      limit = readable;  // the header runs past the first piece: read on to the bound
    }
  }
}
