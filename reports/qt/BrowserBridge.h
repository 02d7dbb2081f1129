// The page's side of the private links: the page script, which runs apart
// from the page's own scripts, calls these slots over the web channel for
// the links the user clicked. Each slot takes only its own kind of address
// and re-emits it; receivers connect queued, so no link effect runs inside
// the browser's message handler.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include "reports/qt/NavigationGuard.h"

class CBrowserBridge : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 public slots:
  // raw: the href (or image-map region id) exactly as the page wrote it;
  // x, y: where in the page a popup the keyboard asked for opens, -1 when
  // the mouse clicked.
  void link(const QString& raw, bool shift, int x, int y) {
    if (CNavigationGuard::IsPrivateLink(raw)) emit linkClicked(raw, shift, QPoint(x, y));
  }
  // A plain web link the user clicked: a local page may not go there itself.
  void web(const QString& address) {
    if (CNavigationGuard::IsWebAddress(address)) emit webLinkClicked(address);
  }
  void status(const QString& text) { emit statusText(text); }

 signals:
  void linkClicked(const QString& raw, bool shift, const QPoint& keyboardAnchor);
  void webLinkClicked(const QString& address);
  void statusText(const QString& text);
};
