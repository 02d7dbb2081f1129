// The desktop entry, the MIME type of ".qor" files and the icon, written
// into a temporary data folder as the program does at start for the user.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include "shell/qt/FileTypeRegistration.h"

namespace {

QString Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(FileTypeRegistration, MissingFilesAreWrittenOnceAndTheUsersOwnAreKept) {
  QTemporaryDir data;
  ASSERT_TRUE(data.isValid());
  const QDir home(data.path());
  EXPECT_EQ(RegisterFileTypes(data.path(), "/opt/keys 2/qor"), 3);
  const QString entry = Read(home.filePath("applications/qor.desktop"));
  EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
  EXPECT_TRUE(entry.contains("\nExec=\"/opt/keys 2/qor\" %f\n")) << entry.toStdString();
  EXPECT_TRUE(entry.contains("\nMimeType=application/x-qor-database;\n"));
  EXPECT_TRUE(entry.contains("\nIcon=qor\n"));
  EXPECT_TRUE(QFile::exists(home.filePath("icons/hicolor/scalable/apps/qor.svg")));

  QFile mime(home.filePath("mime/packages/qor-database.xml"));
  ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&mime);
  QStringList globs, types;
  while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
    if (xml.isStartElement()) {
      if (xml.name() == QStringLiteral("glob")) globs << xml.attributes().value("pattern").toString();
      if (xml.name() == QStringLiteral("mime-type")) types << xml.attributes().value("type").toString();
    }
  EXPECT_FALSE(xml.hasError());
  EXPECT_EQ(globs, QStringList{"*.qor"});
  EXPECT_EQ(types, QStringList{"application/x-qor-database"});

  // A second start writes nothing; an entry the user changed stays.
  QFile changed(home.filePath("applications/qor.desktop"));
  ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
  changed.write("[Desktop Entry]\nName=My keys\n");
  changed.close();
  EXPECT_EQ(RegisterFileTypes(data.path(), "/elsewhere/qor"), 0);
  EXPECT_EQ(Read(home.filePath("applications/qor.desktop")), "[Desktop Entry]\nName=My keys\n");
}

TEST(FileTypeRegistration, ProgramPathsAreQuotedForTheExecKey) {
  const QString entry = DesktopEntryText("/a/$b \"c\"/100%/`x`\\y/qor").value_or(QString());
  EXPECT_TRUE(entry.contains("\nExec=\"/a/\\\\$b \\\\\"c\\\\\"/100%%/\\\\`x\\\\`\\\\\\\\y/qor\" %f\n"))
      << entry.toStdString();
}

QStringList g_warnings;
void KeepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg) g_warnings << text;
}

TEST(FileTypeRegistration, APathNoDesktopEntryCanCarrySkipsTheEntryWithAWarning) {
  for (const QString& program : {QString("/tmp/x\nExec=/tmp/evil %f\n/qor"), QString("/opt/a\tb/qor"),
                                 QString("/opt/a\rb/qor"), QString("/opt/a") + QChar(0x85) + "b/qor"}) {
    EXPECT_FALSE(DesktopEntryText(program).has_value()) << program.toStdString();
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepWarning);
    const int written = RegisterFileTypes(data.path(), program);
    qInstallMessageHandler(previous);
    EXPECT_EQ(written, 2) << "the MIME type and the icon are still written";
    EXPECT_FALSE(QFile::exists(QDir(data.path()).filePath("applications/qor.desktop")));
    ASSERT_EQ(g_warnings.size(), 1);
    EXPECT_TRUE(g_warnings[0].startsWith("The desktop entry is not written")) << g_warnings[0].toStdString();
  }
}

TEST(FileTypeRegistration, AFolderThatCannotBeWrittenIsIgnored) {
  QTemporaryDir data;
  ASSERT_TRUE(data.isValid());
  QFile blocker(QDir(data.path()).filePath("applications"));  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_EQ(RegisterFileTypes(data.path(), "/opt/qor"), 2);
}

TEST(FileTypeRegistration, TheDataHomeFollowsTheEnvironment) {
  const QByteArray old = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", "/tmp/qor-data-home");
  EXPECT_EQ(UserDataHome(), "/tmp/qor-data-home");
  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataHome(), QDir::home().filePath(".local/share"));
  if (!old.isNull()) qputenv("XDG_DATA_HOME", old);
}

}  // namespace
