#include "database/DatabaseHeader.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "database/Archive.h"

namespace {

// The header is near the start; a long description may need more.
constexpr std::size_t kFirstRead = 64 * 1024;

bool ParseHeader(const std::vector<std::uint8_t>& bytes, CQDochdr& header) {
  CArchive ar(bytes.data(), bytes.size());
  const WORD version = ar.ReadWord("file version");
  if (version > 1) return false;
  header.commonNamesEnabled = ar.ReadByte("common names enabled");
  header.scientificNamesEnabled = ar.ReadByte("scientific names enabled");
  header.showCommonNames = ar.ReadByte("show common names");
  header.reservedWord = ar.ReadWord("reserved word");
  for (DWORD& value : header.reserved) value = ar.ReadDword("reserved value");
  header.lockWord = ar.ReadDword("lock word");
  header.title = ar.ReadString("title");
  header.dbVersion = ar.ReadString("database version");
  header.menuVersion = ar.ReadString("menu version");
  header.description = ar.ReadString("description");
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
