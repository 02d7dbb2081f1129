// The program's command line: "--help" and "--version" answer and end before
// any window or desktop file is made, and "--" lets a database whose name
// starts with "-" be opened.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine {
  enum class Request { Run, Help, Version, Error };
  Request request = Request::Run;
  QString database;  // the file to open; empty for the open dialog
  QString text;      // what to print for Help, Version and Error
};

// arguments as the program got them, its own name first.
CommandLine ParseCommandLine(const QStringList& arguments);
