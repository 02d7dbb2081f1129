// GoogleTest main for GUI tests: one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <unistd.h>

#include "reports/ReportPages.h"
#include "reports/qt/QorUrlSchemes.h"
#include "platform/qt/SanitizerOptions.h"

namespace {

// Chromium refuses to start as root with its sandbox on; the test
// environment may not reach every run (a test started by hand or by ctest).
void AllowWebEngineAsRoot() {
  if (geteuid() != 0) return;
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (!flags.contains("--no-sandbox")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  ::testing::InitGoogleTest(&argc, argv);
  AllowWebEngineAsRoot();
  RegisterQorUrlSchemes();     // before the application object, as the program does
  InstallReportPageFactory();  // the program's reports, as its application object installs them
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
