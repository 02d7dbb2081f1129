// The browser page of the report view. Its own loads (report pages, the
// opening page, addresses no action handled) pass; every other navigation
// the guard allows is cancelled and handed on, to be put to the current link
// action later.
#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>
#include <functional>
#include <memory>
#include <string>

#include "reports/qt/GuardedPage.h"

class CReportPage : public CGuardedPage {
  Q_OBJECT

 public:
  // setHtml goes through a data address, which Chromium caps at 2 MB after
  // base64 (4/3 growth); larger pages are held in memory and served from
  // the program's scheme.
  static constexpr qsizetype kInlineLimit = 1500000;

  explicit CReportPage(QObject* parent = nullptr);
  ~CReportPage() override;

  // Loads a page's HTML (UTF-8, as the reports make it) with relative names
  // resolved against base. The bytes are measured and written as they are:
  // a big page is not converted to UTF-16 and back only to be sized.
  void LoadHtml(const std::string& html, const QUrl& base);
  // Loads an address past the link actions.
  void LoadDirect(const QUrl& url);
  // The opening page: navigations to exactly this local path load freely.
  void SetOpeningPage(std::function<QString()> openingPagePath) { m_openingPage = std::move(openingPagePath); }

  // The address of the held page shown, empty when it was loaded inline.
  QUrl HeldPageUrl() const { return m_held; }

 signals:
  void navigationRequested(const QString& address);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

 private:
  bool Accepts(const QUrl& url, NavigationType type);
  bool IsOwnLoad(const QUrl& url) const;
  bool IsOpeningPage(const QUrl& url) const;
  void LoadHeld(const std::string& html, const QUrl& base);
  void ReleaseHeld();
  void AllowScripts(bool allow);

  QUrl m_direct;  // the address of the last own load
  QUrl m_held;    // the held page shown, released with the next load
  std::function<QString()> m_openingPage;
};
