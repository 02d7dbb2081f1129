#include "reports/qt/HelpHtmlView.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "platform/Ui.h"
#include "reports/qt/BrowserBridge.h"
#include "reports/qt/CustomControlSite.h"
#include "reports/qt/GuardedPage.h"
#include "reports/qt/NavigationGuard.h"

namespace {

// Hands on the close link when something other than a click (a script
// setting the location) navigates to it; closing is all it can do. Every
// other address is the guard's to allow.
class CHelpPage : public CGuardedPage {
 public:
  CHelpPage(QObject* parent, CHelpHtmlView& view) : CGuardedPage(parent), m_view(view) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (!CHelpHtmlView::IsCloseLink(url.toString()))
      return CGuardedPage::acceptNavigationRequest(url, type, isMainFrame);
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
  connect(&m_site->Bridge(), &CBrowserBridge::webLinkClicked, this, &CHelpHtmlView::OnAddress, Qt::QueuedConnection);
}

QWebEngineView* CHelpHtmlView::WebView() const { return m_site; }

void CHelpHtmlView::OnInitialUpdate() {
  platform::WaitCursor wait;
  m_document.ShowIn(*m_site);
}

bool CHelpHtmlView::IsCloseLink(const QString& address) {
  return address.startsWith(QStringLiteral("qorlink::closedoc"));
}

// Links the user clicked: the close link closes the window, a web link
// loads as the browser would; other private links have nothing to load.
void CHelpHtmlView::OnAddress(const QString& address) {
  if (IsCloseLink(address)) {
    CloseFrame();
    return;
  }
  if (CNavigationGuard::IsWebAddress(address)) m_site->setUrl(QUrl(address));
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
