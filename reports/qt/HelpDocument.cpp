#include "reports/qt/HelpDocument.h"

#include <QDir>
#include <QWebEngineView>

#include "database/ProgramFolders.h"
#include "reports/qt/KeyFolderScheme.h"

CHelpDocument CHelpDocument::FromText(const std::string& pathOrHtml) {
  CHelpDocument document;
  if (pathOrHtml.find("<html>") != std::string::npos)
    document.m_html = pathOrHtml;
  else
    document.m_path = pathOrHtml;
  return document;
}

QUrl CHelpDocument::TextBase() {
  return key_folder::FolderUrl(QString::fromStdString(ProgramFolder().generic_string()));
}

QUrl CHelpDocument::AddressToUrl(const std::string& address) {
  const QString text = QString::fromStdString(address);
  const QUrl asUrl(text);
  // A drive letter parses as a one-letter scheme; real schemes are longer.
  if (asUrl.isValid() && asUrl.scheme().size() > 1) return asUrl;
  const qsizetype hash = text.indexOf(QLatin1Char('#'));
  QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(hash < 0 ? text : text.left(hash)));
  if (hash >= 0) url.setFragment(text.mid(hash + 1));
  return url;
}

void CHelpDocument::ShowIn(QWebEngineView& browser) const {
  if (!HasHtml()) {
    browser.setUrl(AddressToUrl(m_path));
    return;
  }
  browser.setHtml(QString::fromStdString(key_folder::WithPictureAddresses(m_html)), TextBase());
}
