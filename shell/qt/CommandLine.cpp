#include "shell/qt/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "shell/AboutTexts.h"

namespace {

QString VersionNumber() { return QString::fromUtf8(kVersionLine).section(' ', -1); }

// Before the application object exists the parser cannot name the program.
QString HelpText(const QCommandLineParser& parser, const QStringList& arguments) {
  QString text = parser.helpText();
  return text.replace(QStringLiteral("<executable_name>"), QFileInfo(arguments.value(0)).fileName());
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Interactive identification keys."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("The database (.qor) to open; put -- before a name that starts with -."),
                               QStringLiteral("[file]"));
  CommandLine line;
  const bool parsed = parser.parse(arguments);
  // Help and version answer even beside an option the parser does not know.
  if (parser.isSet(help)) {
    line.request = CommandLine::Request::Help;
    line.text = HelpText(parser, arguments);
  } else if (parser.isSet(version)) {
    line.request = CommandLine::Request::Version;
    line.text = QStringLiteral("%1 %2\n").arg(QString::fromUtf8(kProgramTitle), VersionNumber());
  } else if (!parsed || parser.positionalArguments().size() > 1) {
    line.request = CommandLine::Request::Error;
    line.text = (parsed ? QStringLiteral("Only one database can be opened at a time.") : parser.errorText()) +
                QStringLiteral("\n\n") + HelpText(parser, arguments);
  } else {
    line.database = parser.positionalArguments().value(0);
  }
  return line;
}
