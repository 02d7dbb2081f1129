#include "database/DescriptorOutputBuffer.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

// How much is written before those bytes are sent on their way to the disk.
constexpr std::size_t kWritebackStep = std::size_t{8} << 20;

// Starts the disk writes of a written range without waiting for them; only
// advice, so a system or file that cannot do it leaves the work to the sync.
void StartWriteback(int descriptor, std::size_t offset, std::size_t length) {
#ifdef SYNC_FILE_RANGE_WRITE
  ::sync_file_range(descriptor, static_cast<off_t>(offset), static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
#else
  (void)descriptor;
  (void)offset;
  (void)length;
#endif
}

}  // namespace

DescriptorOutputBuffer::DescriptorOutputBuffer(int descriptor, std::size_t bufferBytes)
    : m_descriptor(descriptor), m_buffer(bufferBytes > 0 ? bufferBytes : 1) {
  setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

bool DescriptorOutputBuffer::WriteAll(const char* from, std::size_t count) {
  while (count > 0 && m_error == 0) {
    const ssize_t written = ::write(m_descriptor, from, count);
    if (written < 0) {
      if (errno != EINTR) m_error = errno;
      continue;
    }
    from += written;
    count -= static_cast<std::size_t>(written);
    m_written += static_cast<std::size_t>(written);
  }
  if (m_written - m_writebackFrom >= kWritebackStep) {
    StartWriteback(m_descriptor, m_writebackFrom, m_written - m_writebackFrom);
    m_writebackFrom = m_written;
  }
  return m_error == 0;
}

bool DescriptorOutputBuffer::Drain() {
  const bool ok = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
  return ok;
}

DescriptorOutputBuffer::int_type DescriptorOutputBuffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

// A piece larger than the buffer goes to the file as it is, not through it.
std::streamsize DescriptorOutputBuffer::xsputn(const char* from, std::streamsize count) {
  if (count <= epptr() - pptr()) {
    traits_type::copy(pptr(), from, static_cast<std::size_t>(count));
    pbump(static_cast<int>(count));
    return count;
  }
  if (!Drain() || !WriteAll(from, static_cast<std::size_t>(count))) return 0;
  return count;
}

int DescriptorOutputBuffer::sync() { return Drain() ? 0 : -1; }
