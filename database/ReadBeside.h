// The opening thread's part of a database open while the file is read on
// the worker pool: what it starts beside the read, and, for a thread whose
// own event loop must keep running (the browser's start runs there), a way
// to wait in that loop until the read has ended.
#pragma once

#include <functional>

class ReadBeside {
 public:
  virtual ~ReadBeside() = default;
  // On the opening thread, once the read is queued. reading() is true while
  // a worker reads the file, and ReadEnded then follows on that worker. It
  // is false before a worker has taken the read (the opening thread reads
  // it itself once this returns, so waiting for it would never end) and
  // once the read has ended.
  virtual void WhileReading(const std::function<bool()>& reading) = 0;
  // Once the read has ended, failed or not, on the thread that read it.
  virtual void ReadEnded() {}
};

// Nothing to do beside the read.
class NothingBesideRead final : public ReadBeside {
 public:
  void WhileReading(const std::function<bool()>&) override {}
};
