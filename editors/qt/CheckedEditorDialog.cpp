#include "editors/qt/CheckedEditorDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "database/HelpPages.h"
#include "editors/qt/PictureRowsWidget.h"
#include "platform/qt/DialogRunner.h"
#include "platform/ErrorBox.h"

CCheckedEditorDialog::CCheckedEditorDialog(QWidget* parent, const char* caption, std::string helpTopic)
    : QDialog(parent), m_helpTopic(std::move(helpTopic)), m_form(new QFormLayout(this)) {
  setWindowTitle(QString::fromUtf8(caption));
}

QLineEdit* CCheckedEditorDialog::AddLine(const char* label, const char* name, const std::string& text) {
  auto* edit = new QLineEdit(QString::fromStdString(text), this);
  edit->setObjectName(name);
  m_form->addRow(QString::fromUtf8(label), edit);
  return edit;
}

QPlainTextEdit* CCheckedEditorDialog::AddText(const char* label, const char* name, const std::string& text) {
  auto* edit = new QPlainTextEdit(QString::fromStdString(text), this);
  edit->setObjectName(name);
  edit->setTabChangesFocus(true);
  m_form->addRow(QString::fromUtf8(label), edit);
  return edit;
}

CPictureRowsWidget* CCheckedEditorDialog::AddPictures(CPictureRowsWidget* rows, const std::vector<std::string>& names) {
  rows->setParent(this);
  rows->SetNames(names);
  m_form->addRow(rows);
  return rows;
}

void CCheckedEditorDialog::AddButtons() {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &CCheckedEditorDialog::OnOK);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  m_form->addRow(buttons);
}

void CCheckedEditorDialog::OnOK() {
  if (RunCommand([this] { Store(); })) accept();
}

void CCheckedEditorDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    RunCommand([this] { ShowHelp(m_helpTopic, true); });
    return;
  }
  QDialog::keyPressEvent(event);
}

std::string TextOf(const QLineEdit& edit) { return edit.text().toStdString(); }
std::string TextOf(const QPlainTextEdit& edit) { return edit.toPlainText().toStdString(); }

bool RunEditorDialog(CCheckedEditorDialog& dialog) { return platform::qt::RunModal(dialog) == QDialog::Accepted; }
