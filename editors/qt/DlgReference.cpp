#include "editors/qt/DlgReference.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/HelpPages.h"
#include "database/ZAVDoc.h"
#include "editors/ReferenceTitles.h"
#include "editors/qt/EditorDialogBase.h"
#include "platform/ErrorBox.h"
#include "platform/qt/DialogRunner.h"

CDlgReference::CDlgReference(QWidget* parent, CZAVDoc& doc, int index) : QDialog(parent), m_doc(doc), m_index(index) {
  setObjectName("referenceTitleEditor");
  setWindowTitle("Individual Reference Title Editor");
  auto* layout = new QVBoxLayout(this);
  m_title = new QLineEdit(this);
  m_title->setObjectName("referenceTitle");
  m_title->setMaxLength(200);
  m_title->setMinimumWidth(360);
  if (IsValidIndex(index, doc.m_referenceTitles.size()))
    m_title->setText(QString::fromStdString(doc.m_referenceTitles[index]));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
  layout->addWidget(m_title);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CDlgReference::accept() {
  // A refused title leaves the dialog open with what was typed, the keyboard
  // in the title the message is about.
  if (RunCommand([this] { m_index = StoreReferenceTitle(m_doc, m_index, m_title->text().toStdString()); }))
    QDialog::accept();
  else
    editors::qt::FocusRefusedField(*m_title);
}

void CDlgReference::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ShowHelp("help.htm#Reference_Title_Editor", true);
    return;
  }
  QDialog::keyPressEvent(event);
}

bool EditReferenceTitle(CZAVDoc& doc, int index, QWidget* parent) {
  CDlgReference dialog(parent, doc, index);
  return platform::qt::RunModal(dialog) == QDialog::Accepted;
}
