#include "reports/qt/ReportPage.h"

#include <QDir>
#include <QTemporaryFile>

#include "reports/qt/KeyFolderScheme.h"

CReportPage::CReportPage(QObject* parent) : CGuardedPage(parent) {}

CReportPage::~CReportPage() = default;

void CReportPage::LoadHtml(const std::string& html, const QUrl& base) {
  if (static_cast<qsizetype>(html.size()) > kInlineLimit) {
    LoadThroughFile(html, base);
    return;
  }
  m_file.reset();
  m_direct = QUrl();
  setHtml(QString::fromStdString(html), base);
}

void CReportPage::LoadThroughFile(const std::string& html, const QUrl& base) {
  auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/qor-page-XXXXXX.html"));
  if (!file->open()) return;
  // The base element keeps pictures and style sheets resolving against the
  // database folder; the parser moves both elements into the head.
  file->write("<meta charset=\"utf-8\"><base href=\"");
  file->write(base.toString(QUrl::FullyEncoded).toHtmlEscaped().toUtf8());
  file->write("\">");
  file->write(html.data(), static_cast<qint64>(html.size()));
  file->flush();
  // Served like the key's files, so that the page is no file of its own.
  const QUrl url = key_folder::FileUrl(file->fileName());
  m_file = std::move(file);  // the previous page's file goes now
  m_direct = url;
  load(url);
}

void CReportPage::LoadDirect(const QUrl& url) {
  m_direct = url;
  load(url);
}

QString CReportPage::TemporaryFilePath() const { return m_file ? m_file->fileName() : QString(); }

// A page's own moves (reload, redirect, history) pass when the guard lets
// them; private links and remote addresses that no click asked for go
// nowhere, the rest are handed on.
bool CReportPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (!isMainFrame || IsOwnLoad(url) || IsOpeningPage(url)) return true;
  if (!CGuardedPage::acceptNavigationRequest(url, type, isMainFrame)) return false;
  if (type == NavigationTypeReload || type == NavigationTypeRedirect || type == NavigationTypeBackForward) return true;
  if (url.isValid() && !url.isEmpty()) emit navigationRequested(url.toString());
  return false;
}

bool CReportPage::IsOwnLoad(const QUrl& url) const {
  if (url.scheme() == QLatin1String("data") || url == QUrl(QStringLiteral("about:blank"))) return true;
  return !m_direct.isEmpty() && url == m_direct;
}

bool CReportPage::IsOpeningPage(const QUrl& url) const {
  if (!m_openingPage || !url.isLocalFile()) return false;
  const QString opening = m_openingPage();
  return !opening.isEmpty() && QDir::fromNativeSeparators(opening) == url.toLocalFile();
}
