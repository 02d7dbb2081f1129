#include "shell/qt/ContactInfo.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "platform/Ui.h"
#include "shell/AboutTexts.h"

namespace {

// A blue label whose click goes through the platform's link opener (so a
// test sees it), never through the label's own handling of links.
QLabel* LinkLabel(QWidget* parent, const QString& text, const char* name) {
  auto* label =
      new QLabel(QString("<a href=\"%1\" style=\"color:#0000ff\">%2</a>").arg(name, text.toHtmlEscaped()), parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  label->setOpenExternalLinks(false);
  label->setCursor(Qt::PointingHandCursor);
  QObject::connect(label, &QLabel::linkActivated, label,
                   [](const QString& link) { platform::Ui().OpenExternal(ContactLinkTarget(link.toStdString())); });
  return label;
}

}  // namespace

CContactInfo::CContactInfo(QWidget* parent) : QDialog(parent) {
  setObjectName("contactDialog");
  setWindowTitle("Contact Info");
  auto* form = new QFormLayout(this);
  form->addRow(new QLabel("The QOR developers", this));
  form->addRow("Website:", LinkLabel(this, kWebAddress, "web"));
  form->addRow("E-mail:", LinkLabel(this, kMailAddress, "mail"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}
