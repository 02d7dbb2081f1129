// The command line as a user types it: help and version answer without a
// window, and "--" opens a database whose name starts with "-".
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include "shell/qt/CommandLine.h"

namespace {

CommandLine Parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("qor"));
  return ParseCommandLine(arguments);
}

TEST(CommandLine, HelpAndVersionAnswer) {
  for (const char* asked : {"--help", "-h"}) {
    const CommandLine line = Parse({asked, "a.qor"});
    EXPECT_EQ(line.request, CommandLine::Request::Help) << asked;
    EXPECT_TRUE(line.text.startsWith("Usage: ") && line.text.contains("[options] [file]")) << line.text.toStdString();
  }
  const CommandLine version = Parse({"--version"});
  EXPECT_EQ(version.request, CommandLine::Request::Version);
  EXPECT_EQ(version.text, "QOR 7.0\n");
}

TEST(CommandLine, ADashNameOpensAfterTheEndOfOptions) {
  EXPECT_EQ(Parse({"birds.qor"}).database, "birds.qor");
  EXPECT_EQ(Parse({}).database, "");
  const CommandLine dashed = Parse({"--", "-rf.qor"});
  EXPECT_EQ(dashed.request, CommandLine::Request::Run);
  EXPECT_EQ(dashed.database, "-rf.qor");
  const CommandLine unknown = Parse({"-rf.qor"});
  EXPECT_EQ(unknown.request, CommandLine::Request::Error);
  EXPECT_TRUE(unknown.text.contains("Unknown option")) << unknown.text.toStdString();
  EXPECT_EQ(Parse({"a.qor", "b.qor"}).request, CommandLine::Request::Error);
}

// The program itself, without a display: it prints and ends.
TEST(CommandLine, TheProgramPrintsItsUsageAndEnds) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("DISPLAY");
  environment.remove("QT_QPA_PLATFORM");
  environment.insert("XDG_DATA_HOME", QDir::tempPath() + "/qor-command-line-test");
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(QOR_PROGRAM), {QStringLiteral("--help")});
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_TRUE(program.readAllStandardOutput().contains("Usage:"));
  EXPECT_FALSE(QDir(QDir::tempPath() + "/qor-command-line-test/applications").exists());
}

}  // namespace
