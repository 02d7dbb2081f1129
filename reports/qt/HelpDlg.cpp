#include "reports/qt/HelpDlg.h"

#include <QShortcut>
#include <QVBoxLayout>

#include "platform/qt/WindowPlacement.h"
#include "reports/qt/BrowserBridge.h"
#include "reports/qt/CustomControlSite.h"
#include "reports/qt/HelpDocument.h"

CHelpDlg::CHelpDlg(std::string topic, QWidget* parent)
    : QDialog(parent), m_topic(std::move(topic)), m_browser(new CCustomControlSite(this)) {
  setWindowTitle(QStringLiteral("QOR Help"));
  setSizeGripEnabled(true);
  platform::qt::PlaceCentred(*this, platform::qt::VisibleRoomFor(parent), QSize(693, 470));  // 462 x 289 dialog units
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_browser);
  new QShortcut(QKeySequence(Qt::Key_F1), this);  // swallowed
  // The dialog acts on no private link; a web link the user clicked loads.
  connect(
      &m_browser->Bridge(), &CBrowserBridge::webLinkClicked, m_browser,
      [this](const QString& address) { m_browser->setUrl(QUrl(address)); }, Qt::QueuedConnection);
  CHelpDocument::FromText(m_topic).ShowIn(*m_browser);
}
