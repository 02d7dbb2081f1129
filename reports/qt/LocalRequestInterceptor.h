// Keeps every local page off the network: a page whose document is a file
// or a text the program loaded may read pictures and style sheets beside
// it, but no request of it (picture, script, frame, form, fetch) goes to a
// remote address, and scripts cannot read files at all.
#pragma once

#include <QWebEngineUrlRequestInterceptor>

class CLocalRequestInterceptor : public QWebEngineUrlRequestInterceptor {
  Q_OBJECT

 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

  void interceptRequest(QWebEngineUrlRequestInfo& info) override;

  // The rule itself, for the request of a page whose first party is given.
  static bool Blocks(const QUrl& request, const QUrl& firstParty, QWebEngineUrlRequestInfo::ResourceType type);
};
