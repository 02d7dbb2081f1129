// Answers the program's modal dialogs in a GUI test: while the object lives,
// every dialog run through platform::qt::RunModal is shown, handed to the
// next step of the script (which drives it with real input events) and ends
// with the dialog's own result; a dialog still open after its step is
// cancelled, as a user closing it would.
#pragma once

#include <QApplication>
#include <QDialog>
#include <deque>
#include <functional>

#include "platform/qt/DialogRunner.h"

class ModalScript {
 public:
  using Step = std::function<void(QDialog&)>;

  ModalScript() {
    platform::qt::SetModalHook([this](QDialog& dialog) { return Run(dialog); });
  }
  ~ModalScript() { platform::qt::SetModalHook(nullptr); }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  void Then(Step step) { m_steps.push_back(std::move(step)); }
  int DialogsRun() const { return m_run; }

 private:
  int Run(QDialog& dialog) {
    ++m_run;
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QApplication::processEvents();
    if (!m_steps.empty()) {
      Step step = std::move(m_steps.front());
      m_steps.pop_front();
      step(dialog);
    }
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
  }

  std::deque<Step> m_steps;
  int m_run = 0;
};
