#include "reports/qt/FolderReader.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>

CFolderReader::CFolderReader(const QString& folder)
    : m_fd(::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

CFolderReader::~CFolderReader() {
  if (m_fd >= 0) ::close(m_fd);
}

// The kernel resolves the whole name beneath the handle: "..", absolute
// names and links that leave the folder fail there, with no window between
// a check and the open.
int CFolderReader::OpenBeneath(const QByteArray& relative) const {
  open_how how{};
  how.flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  long fd;
  do fd = ::syscall(SYS_openat2, m_fd, relative.constData(), &how, sizeof how);
  while (fd < 0 && errno == EINTR);
  return static_cast<int>(fd);
}

std::optional<QByteArray> CFolderReader::Read(const QString& relative, qint64 maxBytes) const {
  const QByteArray name = QFile::encodeName(relative);
  if (!IsOpen() || name.isEmpty() || name.contains('\0')) return std::nullopt;
  const int fd = OpenBeneath(name);
  if (fd < 0) return std::nullopt;
  std::optional<QByteArray> bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxBytes) {
    QByteArray data(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < data.size()) {
      const ssize_t got = ::read(fd, data.data() + done, static_cast<size_t>(data.size() - done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += got;
    }
    data.truncate(done);  // a file that shrank meanwhile gives what it has
    bytes = std::move(data);
  }
  ::close(fd);
  return bytes;
}
