#include "reports/qt/HelpHtmlView.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>
#include <QWebEnginePage>

#include "platform/Ui.h"
#include "reports/qt/BrowserBridge.h"
#include "reports/qt/CustomControlSite.h"

namespace {

// Hands on the close link when something other than a click (a script
// setting the location) navigates to it.
class CHelpPage : public QWebEnginePage {
 public:
  CHelpPage(QObject* parent, CHelpHtmlView& view) : QWebEnginePage(parent), m_view(view) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
    if (!CHelpHtmlView::IsCloseLink(url.toString())) return true;
    QMetaObject::invokeMethod(&m_view, "OnAddress", Qt::QueuedConnection, Q_ARG(QString, url.toString()));
    return false;
  }

 private:
  CHelpHtmlView& m_view;
};

}  // namespace

CHelpHtmlView::CHelpHtmlView(CHelpDocument document, QWidget* parent)
    : QWidget(parent), m_document(std::move(document)) {
  m_site = new CCustomControlSite(this, new CHelpPage(this, *this));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_site);
  setFocusProxy(m_site);
  connect(&m_site->Bridge(), &CBrowserBridge::linkClicked, this, &CHelpHtmlView::OnAddress, Qt::QueuedConnection);
}

QWebEngineView* CHelpHtmlView::WebView() const { return m_site; }

void CHelpHtmlView::OnInitialUpdate() {
  if (m_document.HasHtml()) {
    platform::WaitCursor wait;
    m_site->setHtml(QString::fromStdString(m_document.m_html));
    return;
  }
  m_site->setUrl(CHelpDocument::AddressToUrl(m_document.m_path));
}

bool CHelpHtmlView::IsCloseLink(const QString& address) { return address.startsWith(QStringLiteral("qorlink::closedoc")); }

// Private links the page script caught: the close link closes the window,
// the others load as the browser would.
void CHelpHtmlView::OnAddress(const QString& address) {
  if (IsCloseLink(address)) {
    CloseFrame();
    return;
  }
  m_site->setUrl(QUrl(address));
}

void CHelpHtmlView::CloseFrame() {
  emit closeRequested();
  QWidget* frame = window();
  for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
      frame = sub;
      break;
    }
  }
  QMetaObject::invokeMethod(frame, "close", Qt::QueuedConnection);
}
