// The program: the private link schemes, the application object, and on
// request a measurement of the time to the first page shown.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWebEngineView>
#include <cstdio>

#include "reports/qt/QorUrlSchemes.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/ChildFrame.h"
#include "shell/qt/CommandLine.h"
#include "shell/qt/FileTypeRegistration.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/ZAVApp.h"
#include "platform/qt/SanitizerOptions.h"

namespace {

// With QOR_MEASURE_STARTUP set the program prints the time until the first
// page has loaded and ends; QOR_SCREENSHOT names a picture of the window then.
void MeasureFirstPage(CZAVApp& qor, const QElapsedTimer& clock) {
  CChildFrame* frame = qor.MainFrame() ? qor.MainFrame()->ActiveChild() : nullptr;
  if (!frame) return;
  QWebEngineView* web = frame->HtmlView()->WebView();
  QObject::connect(web, &QWebEngineView::loadFinished, [&clock, &qor, web](bool) {
    if (web->url().toString() == "about:blank") return;
    std::printf("first page shown after %lld ms\n", static_cast<long long>(clock.elapsed()));
    std::fflush(stdout);
    const QString picture = qEnvironmentVariable("QOR_SCREENSHOT");
    QTimer::singleShot(picture.isEmpty() ? 0 : 1500, qApp, [&qor, picture] {
      if (!picture.isEmpty()) qor.MainFrame()->grab().save(picture);
      QCoreApplication::quit();
    });
  });
}

QStringList RawArguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

// Prints the answer to "--help", "--version" or a wrong command line; true
// when the program ends there.
bool Answered(const CommandLine& line, int& exitCode) {
  if (line.request == CommandLine::Request::Run) return false;
  const QByteArray text = line.text.toLocal8Bit();
  std::fputs(text.constData(), line.request == CommandLine::Request::Error ? stderr : stdout);
  exitCode = line.request == CommandLine::Request::Error ? 2 : 0;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  // Answered before the window system is asked for: "qor --help" works
  // without a display and makes no window or desktop file.
  int exitCode = 0;
  const CommandLine early = ParseCommandLine(RawArguments(argc, argv));
  if (early.request != CommandLine::Request::Error && Answered(early, exitCode)) return exitCode;
  RegisterQorUrlSchemes();
  QApplication application(argc, argv);
  application.setApplicationName("QOR");
  // Qt's own options are taken off by now.
  const CommandLine line = ParseCommandLine(application.arguments());
  if (Answered(line, exitCode)) return exitCode;
  // Once per user: ".qor" files open in the program from the file manager.
  RegisterFileTypes(UserDataHome(), QCoreApplication::applicationFilePath());
  CZAVApp qor;
  if (!qor.InitInstance(line.database.isEmpty() ? QStringList() : QStringList{line.database})) return 0;
  if (qEnvironmentVariableIsSet("QOR_MEASURE_STARTUP")) MeasureFirstPage(qor, clock);
  return application.exec();
}
