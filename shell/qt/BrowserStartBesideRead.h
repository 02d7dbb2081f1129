// While a key's file is read at the program's start: makes the report
// views' browser, then keeps this thread's event loop turning until the read
// has ended. The browser's start runs its own steps there (its renderer's
// launch, the first blank page); a thread that only waited would hold all
// of them back until after the whole read. The user's input waits in the
// queue meanwhile, as it would have while the thread waited.
#pragma once

#include <QEventLoop>

#include "database/ReadBeside.h"

class QWidget;

class BrowserStartBesideRead final : public ReadBeside {
 public:
  // The prepared browser is kept hidden under keeper.
  explicit BrowserStartBesideRead(QWidget* keeper);
  void WhileReading(const std::function<bool()>& reading) override;
  void ReadEnded() override;

 private:
  QWidget* m_keeper;
  QEventLoop m_loop;
};
