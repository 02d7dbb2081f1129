#include "editors/qt/EditorDialogBase.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "database/HelpPages.h"
#include "editors/FieldChecks.h"
#include "platform/ErrorBox.h"

namespace editors::qt {

EditorDialogBase::EditorDialogBase(const QString& caption, std::string helpTopic, QWidget* parent)
    : QDialog(parent), m_helpTopic(std::move(helpTopic)) {
  setWindowTitle(caption);
  auto* outer = new QVBoxLayout(this);
  m_form = new QVBoxLayout;
  outer->addLayout(m_form);
  m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = m_buttons->button(QDialogButtonBox::Ok);
  m_ok->setObjectName("ok");
  m_ok->setText("OK");
  m_ok->setDefault(true);
  m_cancel = m_buttons->button(QDialogButtonBox::Cancel);
  m_cancel->setObjectName("cancel");
  m_cancel->setText("Cancel");
  outer->addWidget(m_buttons);
  connect(m_buttons, &QDialogButtonBox::accepted, this, &EditorDialogBase::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &EditorDialogBase::reject);
  // A shortcut, not a key handler: the field that has the focus would not
  // pass F1 on to the dialog in every widget.
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  help->setContext(Qt::WindowShortcut);
  connect(help, &QShortcut::activated, this, &EditorDialogBase::ShowHelpTopic);
}

void EditorDialogBase::accept() {
  bool passed = false;
  RunFieldChecks([&] { passed = OnOK(); });
  if (passed) QDialog::accept();
}

bool EditorDialogBase::RunFieldChecks(const std::function<void()>& command) {
  QWidget* refused = nullptr;
  const bool done = RunCommand([&] {
    try {
      command();
    } catch (const editors::FieldCheckFailed& failed) {
      if (auto found = m_fieldWidgets.find(failed.field); found != m_fieldWidgets.end()) refused = found->second;
      throw;
    }
  });
  if (refused) FocusRefusedField(*refused);
  return done;
}

void FocusRefusedField(QWidget& field) {
  field.setFocus(Qt::OtherFocusReason);
  if (auto* line = qobject_cast<QLineEdit*>(&field)) line->selectAll();
}

void EditorDialogBase::ShowHelpTopic() {
  RunCommand([&] { ShowHelp(m_helpTopic, true); });
}

}  // namespace editors::qt
