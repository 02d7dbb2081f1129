// What a hosted page may load and what it may hand to the program. A
// database's pages are the author's HTML, which may come with a downloaded
// key: they may show what lies on this computer, but only the program (or
// the user, by a click the program saw) may take a view to the network, and
// the private links act only when the user clicked them.
#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

class CNavigationGuard {
 public:
  // file, data, blob, about and the program's own resources: nothing that
  // leaves the computer.
  static bool IsLocal(const QUrl& url);
  // The forms the program reads itself: "http:" with backslashes, "http://"
  // with a pseudo-address (word, number, "end", or "next"), and the two
  // private schemes. They mean a command, never a place to load.
  static bool IsPrivateLink(const QString& raw);
  // An address of the web (http or https) a user may follow.
  static bool IsWebAddress(const QString& raw);

  // Whether the main frame, now showing current, may load target. The
  // program's own loads pass; a local page may move only to another local
  // page; a page that already came from the web goes on as the web does.
  static bool MayLoad(const QUrl& target, QWebEnginePage::NavigationType type, const QUrl& current);
};
