#include "reports/qt/ZAVView.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QPrinter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "database/ZAVDoc.h"
#include "platform/Ui.h"
#include "reports/qt/BrowserBridge.h"
#include "reports/qt/CustomControlSite.h"
#include "reports/qt/KeyFolderScheme.h"
#include "reports/qt/PreparedBrowser.h"
#include "reports/qt/ReportPage.h"

CZAVView::CZAVView(CZAVDoc& doc, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_site(prepared_browser::TakeFor(this)),
      m_page(static_cast<CReportPage*>(m_site->page())) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_site);
  setFocusProxy(m_site);
  m_page->SetOpeningPage([this] { return QString::fromStdString(m_doc.GetOpeningPagePath()); });
  connect(&m_site->Bridge(), &CBrowserBridge::linkClicked, this, &CZAVView::OnLinkClicked, Qt::QueuedConnection);
  connect(&m_site->Bridge(), &CBrowserBridge::webLinkClicked, this, &CZAVView::OnNavigationRequested,
          Qt::QueuedConnection);
  connect(&m_site->Bridge(), &CBrowserBridge::statusText, this, &CZAVView::OnStatusText, Qt::QueuedConnection);
  connect(m_page, &CReportPage::navigationRequested, this, &CZAVView::OnNavigationRequested, Qt::QueuedConnection);
  connect(m_page, &QWebEnginePage::loadFinished, this, &CZAVView::OnLoadFinished);
}

CZAVView::~CZAVView() = default;

QWebEngineView* CZAVView::WebView() const { return m_site; }

void CZAVView::ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) {
  m_actions.Install(std::move(action));
  m_page->LoadHtml(key_folder::WithSchemeAddresses(html, DatabaseFolder()), key_folder::FolderUrl(DatabaseFolder()));
}

void CZAVView::NavigateTo(const std::string& path) {
  m_page->LoadDirect(key_folder::FileUrl(QDir::fromNativeSeparators(QString::fromStdString(path))));
}

QString CZAVView::DatabaseFolder() const {
  const QString path = QDir::fromNativeSeparators(QString::fromStdString(m_doc.m_pathName));
  return path.isEmpty() ? QDir::currentPath() : QFileInfo(path).absolutePath();
}

bool CZAVView::RunAction(const QString& address, bool shift) {
  return m_actions.Dispatch(m_doc, *this, address.toStdString(), shift);
}

// A private link no action handled is a pseudo-address: following it would
// only replace the report with an error page, so the page stays.
void CZAVView::OnLinkClicked(const QString& raw, bool shift, const QPoint& keyboardAnchor) {
  if (keyboardAnchor.x() >= 0) m_keyboardAnchor = keyboardAnchor;
  RunAction(raw, shift);
  m_keyboardAnchor.reset();
}

QPoint CZAVView::PopupPoint() const {
  if (!m_keyboardAnchor) return QCursor::pos();
  const qreal zoom = m_site->zoomFactor();
  return m_site->mapToGlobal(QPoint(qRound(m_keyboardAnchor->x() * zoom), qRound(m_keyboardAnchor->y() * zoom)));
}

// A real address no action handled is followed as the browser would: the
// guard let it through, or the user clicked it as a web link.
void CZAVView::OnNavigationRequested(const QString& address) {
  if (!RunAction(address, false)) m_page->LoadDirect(key_folder::SchemeUrlOf(QUrl(address), DatabaseFolder()));
}

QString CZAVView::StatusTextFor(const QString& text) {
  if (text.left(8).compare(QStringLiteral("Shortcut"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Click Shortcut");
  return text;
}

void CZAVView::OnStatusText(const QString& text) {
  const QString shown = StatusTextFor(text);
  emit statusTextChanged(shown);
  if (auto* frame = qobject_cast<QMainWindow*>(window())) frame->statusBar()->showMessage(shown);
}

void CZAVView::OnLoadFinished() {
  if (!m_focusWindow) return;
  platform::Ui().Trace("Setting Focus To: " + std::to_string(reinterpret_cast<std::uintptr_t>(m_focusWindow.data())) +
                       "\n");
  m_focusWindow->setFocus(Qt::OtherFocusReason);
}

void CZAVView::RememberFocusWindow(CZAVDoc& doc, QWidget* window) {
  doc.m_focusWindow = window;
  if (auto* view = dynamic_cast<CZAVView*>(doc.GetHtmlView())) view->SetFocusWindow(window);
}
