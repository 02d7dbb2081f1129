// What a help window shows: a text of HTML when it has one, else a file
// (a path with an optional "#" anchor, or a full address).
#pragma once

#include <QUrl>
#include <string>

class QWebEngineView;

struct CHelpDocument {
  std::string m_path;
  std::string m_html;

  bool HasHtml() const { return !m_html.empty(); }
  // A text containing "<html>" is the page itself; anything else is an address.
  static CHelpDocument FromText(const std::string& pathOrHtml);
  // The base of a page given as text: the program's folder, from the
  // program's scheme. The text names its pictures by their full file
  // addresses, which are shown from their folders' addresses of that scheme
  // (no page reads files by file address).
  static QUrl TextBase();
  // The address of the path: a local file with its anchor kept as fragment.
  static QUrl AddressToUrl(const std::string& address);
  // Shows the page text or loads the address in the browser.
  void ShowIn(QWebEngineView& browser) const;
};
