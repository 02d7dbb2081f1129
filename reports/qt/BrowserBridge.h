// The page's side of the private links: the injected page script calls these
// slots over the web channel. They only re-emit; receivers connect queued, so
// no link effect runs inside the browser's message handler.
#pragma once

#include <QObject>
#include <QString>

class CBrowserBridge : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 public slots:
  // raw: the href (or window.navigate argument) exactly as the page wrote it.
  void link(const QString& raw, bool shift) { emit linkClicked(raw, shift); }
  void status(const QString& text) { emit statusText(text); }

 signals:
  void linkClicked(const QString& raw, bool shift);
  void statusText(const QString& text);
};
