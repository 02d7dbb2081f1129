#include "database/DiskFileStamp.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "database/FileBytes.h"

namespace {

constexpr std::uint64_t kMultiplier = 0xff51afd7ed558ccdULL;

std::uint64_t Mix(std::uint64_t state, std::uint64_t word) {
  state ^= word;
  state *= kMultiplier;
  return state ^ (state >> 29);
}

}  // namespace

DiskFileStamp DiskFileStamp::Of(const struct stat& status, std::optional<std::uint64_t> contentHash) {
  DiskFileStamp stamp;
  stamp.device = static_cast<std::uint64_t>(status.st_dev);
  stamp.inode = static_cast<std::uint64_t>(status.st_ino);
  stamp.size = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
  stamp.modifiedNs = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
  stamp.contentHash = contentHash;
  return stamp;
}

void ContentHasher::Add(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  m_total += size;
  std::size_t at = 0;
  // Whole words at once while none is begun: the first byte is the lowest.
  if (m_wordBytes == 0)
    for (; at + 8 <= size; at += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes + at, 8);
      if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
      m_state = Mix(m_state, word);
    }
  for (; at < size; ++at) {
    m_word |= static_cast<std::uint64_t>(bytes[at]) << (8 * m_wordBytes);
    if (++m_wordBytes == 8) {
      m_state = Mix(m_state, m_word);
      m_word = 0;
      m_wordBytes = 0;
    }
  }
}

std::uint64_t ContentHasher::Hash() const {
  std::uint64_t state = Mix(Mix(m_state, m_word), m_total);
  state ^= state >> 33;
  state *= 0xc4ceb9fe1a85ec53ULL;
  return state ^ (state >> 33);
}

std::uint64_t ContentHash(const void* data, std::size_t size) {
  ContentHasher hasher;
  hasher.Add(data, size);
  return hasher.Hash();
}

HashingStreamBuf::int_type HashingStreamBuf::overflow(int_type ch) {
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  const char byte = traits_type::to_char_type(ch);
  if (traits_type::eq_int_type(m_target.sputc(byte), traits_type::eof())) return traits_type::eof();
  m_hasher.Add(&byte, 1);
  return ch;
}

std::streamsize HashingStreamBuf::xsputn(const char* data, std::streamsize count) {
  const std::streamsize written = m_target.sputn(data, count);
  if (written > 0) m_hasher.Add(data, static_cast<std::size_t>(written));
  return written;
}

std::optional<DiskFileStamp> StampOfFile(const std::filesystem::path& path, std::optional<std::uint64_t> contentHash) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return DiskFileStamp::Of(status, contentHash);
}

bool DiskFileChanged(const std::filesystem::path& path, const DiskFileStamp& stamp) {
  const std::optional<DiskFileStamp> now = StampOfFile(path);
  if (!now) return false;
  if (!now->SameStatus(stamp)) return true;
  if (!stamp.contentHash || stamp.size > kHashedFileLimit) return false;
  FileBytes bytes;
  std::string error;
  // Unreadable now: the status matched, which is all there is to go on.
  if (!bytes.Read(path, error)) return false;
  return ContentHash(bytes.data(), bytes.size()) != *stamp.contentHash;
}
