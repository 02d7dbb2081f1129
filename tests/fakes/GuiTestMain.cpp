// GoogleTest main for GUI tests: one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include "reports/view/QorUrlSchemes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  ::testing::InitGoogleTest(&argc, argv);
  RegisterQorUrlSchemes();  // before the application object, as the program does
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
