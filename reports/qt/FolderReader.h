// Reads of the files beneath one folder for the pages, in Qt's types: the
// folder's handle and the bounded, non-blocking read of a regular file are
// the core's (database/FolderHandle, database/RegularFileRead), so a name or
// a link that leads out of the folder, a FIFO or an endless file is refused
// here exactly as everywhere else.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "database/FolderHandle.h"

class CFolderReader {
 public:
  explicit CFolderReader(const QString& folder);

  bool IsOpen() const { return m_folder.IsOpen(); }
  // The bytes of the file at the relative name; nothing when the name leads
  // out of the folder, is no regular file, or holds more than maxBytes.
  std::optional<QByteArray> Read(const QString& relative, qint64 maxBytes) const;

 private:
  FolderHandle m_folder;
};
