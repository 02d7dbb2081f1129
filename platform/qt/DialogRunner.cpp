#include "platform/qt/DialogRunner.h"

#include <QDialog>

#include "platform/qt/CaptionFit.h"
#include "platform/qt/DialogFocus.h"

namespace platform::qt {
namespace {
ModalHook& Hook() {
  static ModalHook hook;
  return hook;
}
}  // namespace

int RunModal(QDialog& dialog) {
  KeepCaptionVisible(dialog);
  FocusFirstField(dialog);
  if (Hook()) return Hook()(dialog);
  return dialog.exec();
}

void SetModalHook(ModalHook hook) { Hook() = std::move(hook); }

}  // namespace platform::qt
