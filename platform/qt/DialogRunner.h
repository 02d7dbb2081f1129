// Every modal dialog and message box of the program runs through RunModal,
// so tests can answer them without a window waiting for a user.
#pragma once

#include <functional>

class QDialog;

namespace platform::qt {

// Runs the dialog modally, the focus in its first field unless the dialog
// chose its own; returns its result code.
int RunModal(QDialog& dialog);

// While a hook is installed RunModal calls it in place of exec(); the hook
// drives the dialog and returns the result code. Null restores exec().
using ModalHook = std::function<int(QDialog&)>;
void SetModalHook(ModalHook hook);

}  // namespace platform::qt
