// Shared pieces of the editor dialog tests: finding a dialog's fields by
// name (failing loudly when one is missing) and typing or clicking into
// them as a user does.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

namespace editor_test {

template <typename Widget>
Widget& Find(QWidget& dialog, const char* name) {
  Widget* widget = dialog.findChild<Widget*>(name);
  if (!widget) ADD_FAILURE() << "no widget named " << name;
  return *widget;
}

// Clicks a push button in its middle and a check box or radio button on its
// indicator (a box stretched by its layout does not react right of its text).
inline void Click(QWidget& dialog, const char* name) {
  QAbstractButton& button = Find<QAbstractButton>(dialog, name);
  const bool indicator = button.inherits("QCheckBox") || button.inherits("QRadioButton");
  const QPoint at = indicator ? QPoint(button.height() / 2, button.height() / 2) : button.rect().center();
  QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, at);
}

// Replaces a one-line field's text by typing: select all, then the keys.
inline void Type(QWidget& dialog, const char* name, const QString& text) {
  QLineEdit& field = Find<QLineEdit>(dialog, name);
  field.setFocus();
  QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty())
    QTest::keyClick(&field, Qt::Key_Delete);
  else
    QTest::keyClicks(&field, text);
}

inline void TypeArea(QWidget& dialog, const char* name, const QString& text) {
  QPlainTextEdit& field = Find<QPlainTextEdit>(dialog, name);
  field.setFocus();
  QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&field, text);
}

inline QString TextOf(QWidget& dialog, const char* name) { return Find<QLineEdit>(dialog, name).text(); }

}  // namespace editor_test
