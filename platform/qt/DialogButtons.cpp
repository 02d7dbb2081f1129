#include "platform/qt/DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace platform::qt {

QDialogButtonBox* AddOkCancel(QDialog& dialog, QBoxLayout& layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout.addWidget(buttons);
  return buttons;
}

}  // namespace platform::qt
