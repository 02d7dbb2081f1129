// OK and Cancel at the foot of a dialog, named "okButton" and "cancelButton"
// so tests find them, wired to accept() and reject().
#pragma once

class QBoxLayout;
class QDialog;
class QDialogButtonBox;

namespace platform::qt {

QDialogButtonBox* AddOkCancel(QDialog& dialog, QBoxLayout& layout);

}  // namespace platform::qt
