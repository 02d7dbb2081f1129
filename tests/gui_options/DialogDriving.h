// Driving the program's dialogs as a user does: clicks and typing on the
// widgets found by name, while RunModal hands the dialog to the test.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "platform/qt/DialogRunner.h"

namespace options_test {

template <typename Widget = QAbstractButton>
Widget* Find(QWidget& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// A click as the mouse gives it: on the indicator of a check box or radio
// button (a box stretched across the dialog takes no click right of its
// text), in the middle of a push button.
inline void Click(QWidget& dialog, const char* name) {
  QAbstractButton* button = Find(dialog, name);
  if (!button) return;
  const bool indicator = button->inherits("QCheckBox") || button->inherits("QRadioButton");
  const QPoint at = indicator ? QPoint(8, button->height() / 2) : button->rect().center();
  QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// Replaces the box's text by typing, as the user selects all and types.
inline void Type(QWidget& dialog, const char* name, const QString& text) {
  QLineEdit* edit = Find<QLineEdit>(dialog, name);
  if (!edit) return;
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

// While alive, every modal dialog is shown and handed to the script, which
// ends it with a click; the result is what the dialog ended with.
class ModalScript {
 public:
  explicit ModalScript(std::function<void(QDialog&)> script) {
    platform::qt::SetModalHook([this, script](QDialog& dialog) {
      ++runs;
      dialog.show();
      script(dialog);
      const int result = dialog.result();
      dialog.hide();
      return result;
    });
  }
  ~ModalScript() { platform::qt::SetModalHook(nullptr); }
  int runs = 0;
};

}  // namespace options_test
