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

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  RegisterQorUrlSchemes();
  QApplication application(argc, argv);
  application.setApplicationName("QOR");
  // Once per user: ".qor" files open in the program from the file manager.
  RegisterFileTypes(UserDataHome(), QCoreApplication::applicationFilePath());
  CZAVApp qor;
  if (!qor.InitInstance(application.arguments().mid(1))) return 0;
  if (qEnvironmentVariableIsSet("QOR_MEASURE_STARTUP")) MeasureFirstPage(qor, clock);
  return application.exec();
}
