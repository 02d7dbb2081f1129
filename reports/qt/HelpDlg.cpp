#include "reports/qt/HelpDlg.h"

#include <QShortcut>
#include <QVBoxLayout>

#include "reports/qt/BrowserBridge.h"
#include "reports/qt/CustomControlSite.h"
#include "reports/qt/HelpDocument.h"

CHelpDlg::CHelpDlg(std::string topic, QWidget* parent)
    : QDialog(parent), m_topic(std::move(topic)), m_browser(new CCustomControlSite(this)) {
  setWindowTitle(QStringLiteral("QOR Help"));
  setSizeGripEnabled(true);
  resize(693, 470);  // 462 x 289 dialog units
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_browser);
  new QShortcut(QKeySequence(Qt::Key_F1), this);  // swallowed
  // Caught private links go on to the browser unchanged.
  connect(&m_browser->Bridge(), &CBrowserBridge::linkClicked, m_browser,
          [this](const QString& raw) { m_browser->setUrl(QUrl(raw)); }, Qt::QueuedConnection);
  const CHelpDocument document = CHelpDocument::FromText(m_topic);
  if (document.HasHtml())
    m_browser->setHtml(QString::fromStdString(document.m_html));
  else
    m_browser->setUrl(CHelpDocument::AddressToUrl(document.m_path));
}
