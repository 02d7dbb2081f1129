#include "database/DatabaseHeader.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "database/Archive.h"
#include "database/RecordArchive.h"

namespace {

// The header is near the start; a long description may need more.
constexpr std::size_t kFirstRead = 64 * 1024;

bool ParseHeader(const std::vector<std::uint8_t>& bytes, CQDochdr& header) {
  CArchive ar(bytes.data(), bytes.size());
  WORD version = 0;
  if (!ReadFileVersion(ar, version)) return false;
  LoadHeader(ar, header);
  return true;
}

std::vector<std::uint8_t> ReadBytes(std::ifstream& in, std::size_t limit) {
  in.clear();
  in.seekg(0);
  std::vector<std::uint8_t> bytes(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

HeaderReadResult ReadDatabaseHeaderFile(const std::filesystem::path& path, CQDochdr& header) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return HeaderReadResult::CannotOpen;
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return HeaderReadResult::CannotOpen;
  std::size_t limit = std::min<std::size_t>(size, kFirstRead);
  for (;;) {
    try {
      return ParseHeader(ReadBytes(in, limit), header) ? HeaderReadResult::Ok : HeaderReadResult::BadFormat;
    } catch (const ArchiveError&) {
      if (limit >= size) return HeaderReadResult::BadFormat;
      limit = size;  // the header runs past the first piece: read it all
    }
  }
}
