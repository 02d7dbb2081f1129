// A key's file opened for its archive to be read on demand: the records are
// read into memory as the archive comes to them, and the data blocks' words,
// nearly all of a large file, go from the file straight into the blocks. So
// the file is never held a second time in memory, and the memory it would
// have taken is never touched, which costs a fault per page on first touch.
// A plain file whose size the system cannot tell (an empty size) is read
// whole instead; a FIFO or a device is refused.
#pragma once

#include <sys/stat.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/ArchiveSource.h"
#include "database/FileBytes.h"

class ArchiveFile : public ArchiveSource {
 public:
  ArchiveFile();
  ~ArchiveFile() override;
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  // False with a short reason when the file cannot be opened.
  bool Open(const std::filesystem::path& path, std::string& error);

  const std::uint8_t* data() const { return m_room ? m_room : m_whole.data(); }
  std::size_t size() const { return m_room ? m_size : m_whole.size(); }
  // The source an archive over data() reads through; none when the file is
  // in memory whole.
  ArchiveSource* source() { return m_room ? this : nullptr; }
  // Why a read failed midway ("it cannot be read (...)"); empty when every
  // read went through or merely came back short.
  std::string readError() const;
  // The file's status as it was opened.
  const struct stat& status() const { return m_status; }
  // The hash of the whole file (DiskFileStamp.h), read again through the
  // open file when it was not read whole; none above limit bytes or when a
  // read fails.
  std::optional<std::uint64_t> contentHash(std::uint64_t limit) const;

  bool Fill(std::size_t offset, std::size_t length) override;
  // Runs beside other copies, never beside Fill.
  bool CopyOut(std::size_t offset, void* to, std::size_t length) const override;

 private:
  bool IsFilled(std::size_t offset, std::size_t length) const;

  int m_fd = -1;
  struct stat m_status {};
  std::uint8_t* m_room = nullptr;  // address room for the whole file, filled where read
  std::size_t m_size = 0;
  // The runs of bytes read so far, in order: the archive asks in order, so
  // only the last one grows.
  struct Run {
    std::size_t begin;
    std::size_t end;
  };
  std::vector<Run> m_filled;
  std::size_t m_step;  // how far the next read reaches ahead
  std::string m_readError;
  mutable std::atomic<int> m_copyError{0};  // the errno of a copy that failed
  FileBytes m_whole;                        // the file read whole, when its size is unknown
};
