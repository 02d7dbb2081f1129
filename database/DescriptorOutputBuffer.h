// An output stream buffer over an open file descriptor: what a writer puts
// on the stream goes to the file in large pieces, so a database of many
// megabytes is never held a second time in memory on its way to the disk.
// Every few megabytes written start their way to the disk at once, so the
// caller's sync at the end waits for the last of them only; the file is
// taken to be written from its start, as a new file is.
#pragma once

#include <cstddef>
#include <streambuf>
#include <vector>

class DescriptorOutputBuffer : public std::streambuf {
 public:
  // The descriptor stays the caller's to sync and close.
  explicit DescriptorOutputBuffer(int descriptor, std::size_t bufferBytes = std::size_t{1} << 20);
  DescriptorOutputBuffer(const DescriptorOutputBuffer&) = delete;
  DescriptorOutputBuffer& operator=(const DescriptorOutputBuffer&) = delete;

  // The errno of the first write that failed; 0 while every write went through.
  int error() const { return m_error; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* from, std::streamsize count) override;
  int sync() override;

 private:
  bool WriteAll(const char* from, std::size_t count);
  bool Drain();

  int m_descriptor;
  std::vector<char> m_buffer;
  int m_error = 0;
  std::size_t m_written = 0;        // bytes written to the descriptor so far
  std::size_t m_writebackFrom = 0;  // the first of them not yet sent to the disk
};
