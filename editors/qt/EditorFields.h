// Small builders and conversions the editor dialogs share: labelled text
// fields with object names (tests and the help find them by name) and the
// UTF-8 texts of the core.
#pragma once

#include <QString>
#include <string>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace editors::qt {

inline QString ToQ(const std::string& text) { return QString::fromStdString(text); }
inline std::string ToStd(const QString& text) { return text.toStdString(); }

// A one-line field with its label as a new row of the form. The field is
// made a child of its dialog at once, so it takes its place in the Tab order
// where it is made, even when the form joins the dialog only later.
QLineEdit* AddTextRow(QWidget& dialog, QFormLayout& form, const QString& label, const char* objectName,
                      const std::string& text);
// A multi-line field; Tab moves on to the next field instead of typing a tab.
QPlainTextEdit* MakeTextArea(QWidget* parent, const char* objectName, const std::string& text);
QCheckBox* MakeCheckBox(QWidget* parent, const QString& label, const char* objectName, bool checked);

std::string TextOf(const QLineEdit& field);
std::string TextOf(const QPlainTextEdit& field);

}  // namespace editors::qt
