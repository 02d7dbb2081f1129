#include "editors/qt/EditorFields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace editors::qt {

QLineEdit* AddTextRow(QWidget& dialog, QFormLayout& form, const QString& label, const char* objectName,
                      const std::string& text) {
  auto* field = new QLineEdit(ToQ(text), &dialog);
  field->setObjectName(objectName);
  form.addRow(label, field);
  return field;
}

QPlainTextEdit* MakeTextArea(QWidget* parent, const char* objectName, const std::string& text) {
  auto* field = new QPlainTextEdit(ToQ(text), parent);
  field->setObjectName(objectName);
  field->setTabChangesFocus(true);
  return field;
}

QCheckBox* MakeCheckBox(QWidget* parent, const QString& label, const char* objectName, bool checked) {
  auto* box = new QCheckBox(label, parent);
  box->setObjectName(objectName);
  box->setChecked(checked);
  return box;
}

std::string TextOf(const QLineEdit& field) { return ToStd(field.text()); }
std::string TextOf(const QPlainTextEdit& field) { return ToStd(field.toPlainText()); }

}  // namespace editors::qt
