#include "reports/view/QorUrlSchemes.h"

#include <QWebEngineUrlScheme>

namespace {

void RegisterScheme(const char* name) {
  QWebEngineUrlScheme scheme(name);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
  scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
  QWebEngineUrlScheme::registerScheme(scheme);
}

}  // namespace

void RegisterQorUrlSchemes() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterScheme("qorlink");
  RegisterScheme("qorattr");
}
