#include "database/DescriptorOutputBuffer.h"

#include <cerrno>

#include <unistd.h>

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
