#include "shell/qt/AboutDlg.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/HelpPages.h"
#include "platform/qt/DialogRunner.h"
#include "shell/AboutTexts.h"
#include "shell/qt/ContactInfo.h"

namespace {

QLabel* Label(QWidget* parent, const QString& text, const char* name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("aboutDialog");
  setWindowTitle(kProgramTitle);
  auto* layout = new QVBoxLayout(this);
  QLabel* icon = Label(this, {}, "programIcon");
  icon->setPixmap(QIcon(":/qor.svg").pixmap(32, 32));
  layout->addWidget(icon);
  layout->addWidget(Label(this, kProgramTitle, "programTitle"));
  layout->addWidget(Label(this, kVersionLine, "versionLine"));
  layout->addWidget(Label(this, QString::fromStdString(BuildLine(__DATE__, __TIME__)), "buildLine"));
  layout->addWidget(Label(this, "Interactive identification keys", "noticeLine"));
  layout->addWidget(Label(this, "All rights reserved.", "rightsLine"));
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* contact = buttons->addButton("Contact Info", QDialogButtonBox::ActionRole);
  contact->setObjectName("contactButton");
  contact->setAutoDefault(false);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  layout->addWidget(buttons);
  connect(contact, &QPushButton::clicked, this, &CAboutDlg::OnContactInfo);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void CAboutDlg::OnContactInfo() {
  CContactInfo contact(this);
  platform::qt::RunModal(contact);
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ShowHelp("help.htm", true);
    return;
  }
  QDialog::keyPressEvent(event);
}
