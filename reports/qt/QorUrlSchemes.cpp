#include "reports/qt/QorUrlSchemes.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include "reports/qt/KeyFolderScheme.h"

namespace {

const char* const kSchemes[] = {"qorlink", "qorattr"};

// The program acts on these addresses itself; there is nothing to load.
class CRefusingSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
  void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::RequestDenied); }
};

}  // namespace

void RegisterQorUrlSchemes() {
  static bool done = false;
  if (done) return;
  done = true;
  key_folder::RegisterScheme();
  for (const char* name : kSchemes) {
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
  }
}

void InstallQorSchemeHandlers(QWebEngineProfile& profile) {
  for (const char* name : kSchemes) {
    if (profile.urlSchemeHandler(name)) continue;
    profile.installUrlSchemeHandler(name, new CRefusingSchemeHandler(&profile));
  }
}
