#include "shell/StreamHTMLDocTemplate.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "platform/qt/DialogRunner.h"
#include "platform/Ui.h"

namespace {

// "qorlink::closedoc" in a help window closes that window.
class HelpPage : public QWebEnginePage {
 public:
  HelpPage(QWidget* window, QObject* parent) : QWebEnginePage(parent), m_window(window) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
    if (!url.toString().startsWith("qorlink::closedoc")) return true;
    QTimer::singleShot(0, m_window, [window = m_window] { window->close(); });
    return false;
  }

 private:
  QPointer<QWidget> m_window;
};

QUrl AddressUrl(const std::string& address) {
  const QString text = QString::fromStdString(address);
  if (text.contains("://") || text.startsWith("about:")) return QUrl(text);
  const int hash = text.indexOf('#');
  QUrl url = QUrl::fromLocalFile(hash < 0 ? text : text.left(hash));
  if (hash >= 0) url.setFragment(text.mid(hash + 1));
  return url;
}

QWebEngineView* AddBrowser(QWidget* host) {
  auto* layout = new QVBoxLayout(host);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* browser = new QWebEngineView(host);
  browser->setObjectName("helpBrowser");
  layout->addWidget(browser);
  return browser;
}

}  // namespace

QWidget* CStreamHTMLDocTemplate::OpenDocumentFile(const std::string& pathOrHtml) {
  const bool isHtml = pathOrHtml.find("<html>") != std::string::npos;
  if (isHtml) m_html = pathOrHtml;
  auto* content = new QWidget;
  QWidget* window = content;
  if (m_area) {
    auto* sub = new QMdiSubWindow;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWidget(content);
    m_area->addSubWindow(sub);
    window = sub;
  } else {
    content->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->setObjectName("imageGallery");
  window->setWindowTitle("Image Gallery");
  QWebEngineView* browser = AddBrowser(content);
  browser->setPage(new HelpPage(window, browser));
  if (isHtml) {
    platform::WaitCursor wait;
    browser->setHtml(QString::fromStdString(m_html));
  } else {
    browser->load(AddressUrl(pathOrHtml));
  }
  window->resize(700, 500);
  window->show();
  return window;
}

void CStreamHTMLDocTemplate::RunHelpDialog(const std::string& address, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setObjectName("helpDialog");
  dialog.setWindowTitle("QOR Help");
  dialog.resize(700, 480);
  AddBrowser(&dialog)->load(AddressUrl(address));
  platform::qt::RunModal(dialog);
}
