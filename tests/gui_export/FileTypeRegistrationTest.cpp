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
  EXPECT_TRUE(DesktopEntryText("/a/$b \"c\"/100%/qor").contains("Exec=\"/a/\\\\$b \\\\\"c\\\\\"/100%%/qor\" %f"))
      << DesktopEntryText("/a/$b \"c\"/100%/qor").toStdString();
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
