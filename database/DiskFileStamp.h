// What a database file on disk was when this window read or last wrote it,
// so that a save can tell whether another program (a second copy of this
// one, say) replaced it meanwhile: saving over that file would silently
// throw the other program's work away.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <streambuf>

struct DiskFileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  // The contents' hash when the whole file passed through memory; a file
  // that has the same size and time but other bytes is told apart by it.
  std::optional<std::uint64_t> contentHash;

  static DiskFileStamp Of(const struct stat& status, std::optional<std::uint64_t> contentHash = std::nullopt);
  bool SameStatus(const DiskFileStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size && modifiedNs == other.modifiedNs;
  }
};

// A fast, non-cryptographic hash of bytes, the same however they are cut
// into pieces: it tells versions of one file apart, it guards against no one.
class ContentHasher {
 public:
  void Add(const void* data, std::size_t size);
  std::uint64_t Hash() const;

 private:
  std::uint64_t m_state = 0x9e3779b97f4a7c15ULL;
  std::uint64_t m_word = 0;  // bytes not yet a whole word, the first lowest
  std::size_t m_wordBytes = 0;
  std::uint64_t m_total = 0;
};

std::uint64_t ContentHash(const void* data, std::size_t size);

// The largest file whose contents a save reads again to compare hashes: a
// save must stay quick.
inline constexpr std::uint64_t kHashedFileLimit = 16u << 20;

// Hashes the bytes a stream writes on their way to another stream buffer.
class HashingStreamBuf : public std::streambuf {
 public:
  explicit HashingStreamBuf(std::streambuf& target) : m_target(target) {}
  std::uint64_t Hash() const { return m_hasher.Hash(); }

 protected:
  int_type overflow(int_type ch) override;
  std::streamsize xsputn(const char* data, std::streamsize count) override;
  int sync() override { return m_target.pubsync(); }

 private:
  std::streambuf& m_target;
  ContentHasher m_hasher;
};

// Whether the file at path (a link followed, as a save follows it) is no
// longer the one the stamp describes: another size, time or file, or, for a
// file small enough to read again at once, other bytes. A file that is gone
// has nothing to lose and counts as unchanged.
bool DiskFileChanged(const std::filesystem::path& path, const DiskFileStamp& stamp);

// The stamp of the file at path now, with the hash of bytes just written.
std::optional<DiskFileStamp> StampOfFile(const std::filesystem::path& path,
                                         std::optional<std::uint64_t> contentHash = std::nullopt);
