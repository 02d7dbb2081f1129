#include "shell/qt/FileTypeRegistration.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const char* const kDesktopFile = "applications/qor.desktop";
const char* const kMimeFile = "mime/packages/qor-database.xml";
const char* const kIconFile = "icons/hicolor/scalable/apps/qor.svg";

// The program's path as one argument of the Exec key: quoted, with the
// characters that quoting reserves escaped, and the escapes of the key's
// own string syntax on top.
QString ExecArgument(const QString& program) {
  QString quoted;
  for (QChar c : program) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  QString argument = "\"" + quoted + "\"";
  return argument.replace("\\", "\\\\").replace("%", "%%");
}

bool WriteIfMissing(const QString& path, const QByteArray& content) {
  if (QFileInfo::exists(path)) return false;
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

// The files the build's install target installs too, kept in the program's resources.
QByteArray Resource(const char* name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void RunIfInstalled(const QString& tool, const QString& folder) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (!program.isEmpty()) QProcess::startDetached(program, {folder});
}

}  // namespace

QString UserDataHome() {
  const QString home = qEnvironmentVariable("XDG_DATA_HOME");
  return QDir::isAbsolutePath(home) ? home : QDir::home().filePath(".local/share");
}

// A desktop entry holds one key a line and its string values no control
// characters: a path with a line break, a tab or another control character
// cannot be carried in the Exec key.
bool FitsTheExecKey(const QString& program) {
  for (QChar c : program)
    if (c.category() == QChar::Other_Control) return false;
  return true;
}

std::optional<QString> DesktopEntryText(const QString& programFile) {
  if (!FitsTheExecKey(programFile)) return std::nullopt;
  return QString::fromUtf8(Resource(":/desktop/qor.desktop.in")).replace("@QOR_EXEC@", ExecArgument(programFile));
}

QString MimeTypeText() { return QString::fromUtf8(Resource(":/desktop/qor-database.xml")); }

int RegisterFileTypes(const QString& dataHome, const QString& programFile) {
  const QDir data(dataHome);
  int written = 0;
  if (const std::optional<QString> entry = DesktopEntryText(programFile); !entry) {
    qWarning().noquote() << "The desktop entry is not written: the program's path" << programFile
                         << "holds a line break or another control character, which a desktop entry cannot carry.";
  } else if (WriteIfMissing(data.filePath(kDesktopFile), entry->toUtf8())) {
    ++written;
    RunIfInstalled("update-desktop-database", data.filePath("applications"));
  }
  if (WriteIfMissing(data.filePath(kMimeFile), MimeTypeText().toUtf8())) {
    ++written;
    RunIfInstalled("update-mime-database", data.filePath("mime"));
  }
  if (const QByteArray icon = Resource(":/qor.svg"); !icon.isEmpty() && WriteIfMissing(data.filePath(kIconFile), icon))
    ++written;
  return written;
}
