// Reads of the files beneath one folder, by names resolved relative to an
// open handle of it: a name (or a link on its way) that leads out of the
// folder is refused, and only a regular file of bounded size is read,
// opened without blocking so that a FIFO cannot hang the program.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class CFolderReader {
 public:
  explicit CFolderReader(const QString& folder);
  ~CFolderReader();
  CFolderReader(const CFolderReader&) = delete;
  CFolderReader& operator=(const CFolderReader&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  // The bytes of the file at the relative name; nothing when the name leads
  // out of the folder, is no regular file, or holds more than maxBytes.
  std::optional<QByteArray> Read(const QString& relative, qint64 maxBytes) const;

 private:
  int OpenBeneath(const QByteArray& relative) const;

  int m_fd = -1;
};
