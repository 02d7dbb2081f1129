#include "reports/qt/FolderReader.h"

#include <QFile>
#include <string>

#include "database/RegularFileRead.h"

CFolderReader::CFolderReader(const QString& folder)
    : m_folder(std::filesystem::path(QFile::encodeName(folder).toStdString())) {}

std::optional<QByteArray> CFolderReader::Read(const QString& relative, qint64 maxBytes) const {
  const QByteArray name = QFile::encodeName(relative);
  if (!IsOpen() || name.isEmpty() || name.contains('\0') || maxBytes < 0) return std::nullopt;
  std::string bytes, error;
  if (!ReadRegularFileBeneath(m_folder, name.toStdString(), static_cast<std::size_t>(maxBytes), bytes, error))
    return std::nullopt;
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
