#include "reports/qt/ReportPage.h"

#include <QDir>
#include <QWebEngineSettings>

#include "reports/qt/KeyFolderScheme.h"

CReportPage::CReportPage(QObject* parent) : CGuardedPage(parent) {}

void CReportPage::LoadHtml(const std::string& html, const QUrl& base) {
  AllowScripts(true);  // the program's own page: its scripts size and move its pictures
  if (static_cast<qsizetype>(html.size()) > kInlineLimit) {
    LoadHeld(html, base);
    return;
  }
  ReleaseHeld();
  m_direct = QUrl();
  setHtml(QString::fromStdString(html), base);
}

void CReportPage::LoadHeld(const std::string& html, const QUrl& base) {
  // The base element keeps pictures and style sheets resolving against the
  // database folder; the parser moves both elements into the head.
  QByteArray page =
      "<meta charset=\"utf-8\"><base href=\"" + base.toString(QUrl::FullyEncoded).toHtmlEscaped().toUtf8() + "\">";
  page.append(html.data(), static_cast<qsizetype>(html.size()));
  const QUrl url = key_folder::HoldPage(std::move(page));
  ReleaseHeld();  // the previous page's bytes go now
  m_held = url;
  m_direct = url;
  load(url);
}

void CReportPage::ReleaseHeld() {
  key_folder::ReleasePage(m_held);
  m_held = QUrl();
}

void CReportPage::AllowScripts(bool allow) { settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, allow); }

void CReportPage::LoadDirect(const QUrl& url) {
  ReleaseHeld();
  m_direct = url;
  load(url);
}

CReportPage::~CReportPage() { ReleaseHeld(); }

// A page's own moves (reload, redirect, history) pass when the guard lets
// them; private links and remote addresses that no click asked for go
// nowhere, the rest are handed on.
bool CReportPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (!isMainFrame) return true;
  const bool accepted = Accepts(url, type);
  // A local document the program did not make (the key's own page, a page
  // a report links to) runs no script in its main world, whatever way it
  // came; the program's scripts run in their own world still.
  if (accepted) AllowScripts(!url.isLocalFile() && !key_folder::IsKeyDocument(url));
  return accepted;
}

bool CReportPage::Accepts(const QUrl& url, NavigationType type) {
  if (IsOwnLoad(url) || IsOpeningPage(url)) return true;
  if (!CGuardedPage::acceptNavigationRequest(url, type, true)) return false;
  if (type == NavigationTypeReload || type == NavigationTypeRedirect || type == NavigationTypeBackForward) return true;
  // The link actions know the key's pages by their file addresses.
  if (url.isValid() && !url.isEmpty()) emit navigationRequested(key_folder::FileAddressOf(url).toString());
  return false;
}

bool CReportPage::IsOwnLoad(const QUrl& url) const {
  if (url.scheme() == QLatin1String("data") || url == QUrl(QStringLiteral("about:blank"))) return true;
  return !m_direct.isEmpty() && url == m_direct;
}

bool CReportPage::IsOpeningPage(const QUrl& url) const {
  const QUrl file = key_folder::FileAddressOf(url);
  if (!m_openingPage || !file.isLocalFile()) return false;
  const QString opening = m_openingPage();
  return !opening.isEmpty() && QDir::fromNativeSeparators(opening) == file.toLocalFile();
}
