// A whole file in memory of its own, read the fast way: the memory is not
// cleared before the read, and a large file is read in pieces side by side
// on the worker pool, whose threads also take the memory's first touches.
// Whole files are read this way, and a key whose size the system cannot
// tell.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

class FileBytes {
 public:
  FileBytes() = default;
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  // False with a short reason when the file cannot be read. A file that
  // grows meanwhile is read on to its end; one that shrinks is cut where it
  // ended.
  bool Read(const std::filesystem::path& path, std::string& error);
  // The same for a file already open, from its start; the descriptor stays
  // the caller's.
  bool ReadOpen(int fd, const struct stat& status, std::string& error);

  const std::uint8_t* data() const { return m_data; }
  std::size_t size() const { return m_size; }

 private:
  bool Reserve(std::size_t bytes);
  bool ReadInPieces(int fd, std::size_t expected, std::string& error);
  bool ReadRest(int fd, std::string& error);

  std::uint8_t* m_data = nullptr;
  std::size_t m_size = 0;
  std::size_t m_capacity = 0;
};
