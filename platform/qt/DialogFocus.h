// Where the keyboard starts in a dialog: in its first field, as the
// desktop's own dialogs do, so that typing goes somewhere before any click.
#pragma once

class QDialog;
class QWidget;

namespace platform::qt {

// The first widget in Tab order that takes the focus and is not a push
// button; null when the dialog has none (a message box).
QWidget* FirstField(QDialog& dialog);

// Gives the first field the focus unless the dialog chose its focus itself.
void FocusFirstField(QDialog& dialog);

}  // namespace platform::qt
