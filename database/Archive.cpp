#include "database/Archive.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>
#include <ostream>

#include "database/FreshMemory.h"
#include "database/TextCodec.h"

namespace {

constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kBigTag = 0x7FFF;
constexpr DWORD kClassTagBit = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
constexpr std::size_t kMaxClassNameLength = 64;
constexpr std::size_t kSinkPiece = 1 << 20;

template <typename T>
T FromLittleEndian(const std::uint8_t* p) {
  T value{};
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&value, p, sizeof value);
  } else {
    for (std::size_t i = sizeof value; i-- > 0;) value = static_cast<T>((value << 8) | p[i]);
  }
  return value;
}

template <typename T>
void ToLittleEndian(T value, std::uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &value, sizeof value);
  } else {
    for (std::size_t i = 0; i < sizeof value; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::string Hex(DWORD value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", value);
  return buf;
}

std::string FaultDetail(const std::string& where, const std::string& expected, const std::string& found,
                        std::size_t offset) {
  return where + ": expected " + expected + ", found " + found + " (at byte " + std::to_string(offset) + ")";
}

}  // namespace

ArchiveError::ArchiveError(const std::string& where, const std::string& expected, const std::string& found,
                           std::size_t offset)
    : std::runtime_error("The database file is damaged: " + FaultDetail(where, expected, found, offset) + "."),
      m_offset(offset),
      m_detail(FaultDetail(where, expected, found, offset)) {}

CArchive::CArchive(const std::uint8_t* data, std::size_t size, ArchiveSource* source)
    : m_storing(false), m_data(data), m_size(size), m_source(source) {}

CArchive::CArchive(std::ostream* sink) : m_storing(true), m_sink(sink) {}

// ---- loading ------------------------------------------------------------------

void CArchive::Fail(const char* field, const std::string& expected, const std::string& found) const {
  std::string where;
  if (m_contextArray) {
    where = m_contextArray;
    if (m_contextElement >= 0) where += "[" + std::to_string(m_contextElement) + "]";
    where += " ";
  }
  where += field;
  throw ArchiveError(where, expected, found, m_pos);
}

void CArchive::Need(std::size_t bytes, const char* field, const char* what) {
  if (bytes > Remaining())
    Fail(field, std::to_string(bytes) + " bytes of " + what,
         "the end of the file after " + std::to_string(Remaining()));
  // A file that shrank while it was read ends before its size said.
  if (m_source && bytes > 0 && !m_source->Fill(m_pos, bytes))
    Fail(field, std::to_string(bytes) + " bytes of " + what, "the end of the file");
}

void CArchive::Take(void* to, std::size_t bytes, const char* field, const char* what) {
  Need(bytes, field, what);
  if (bytes) std::memcpy(to, m_data + m_pos, bytes);
  m_pos += bytes;
}

BYTE CArchive::ReadByte(const char* field) {
  Need(1, field, "a byte");
  return m_data[m_pos++];
}

WORD CArchive::ReadWord(const char* field) {
  Need(2, field, "a WORD");
  const auto value = FromLittleEndian<WORD>(m_data + m_pos);
  m_pos += 2;
  return value;
}

DWORD CArchive::ReadDword(const char* field) {
  Need(4, field, "a DWORD");
  const auto value = FromLittleEndian<DWORD>(m_data + m_pos);
  m_pos += 4;
  return value;
}

std::size_t CArchive::ReadStringLength(const char* field, bool& wide) {
  wide = false;
  BYTE b = ReadByte(field);
  if (b < 0xFF) return b;
  WORD w = ReadWord(field);
  if (w == 0xFFFE) {
    // The wide-string marker; a fresh length follows.
    wide = true;
    b = ReadByte(field);
    if (b < 0xFF) return b;
    w = ReadWord(field);
  }
  if (w < 0xFFFF) return w;
  const DWORD d = ReadDword(field);
  if (d < 0xFFFFFFFFu) return d;
  Need(8, field, "a 64-bit string length");
  const auto q = FromLittleEndian<std::uint64_t>(m_data + m_pos);
  if (q > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    Fail(field, "a string length below 2^31", std::to_string(q));
  m_pos += 8;
  return static_cast<std::size_t>(q);
}

std::string CArchive::ReadString(const char* field) {
  bool wide = false;
  const std::size_t length = ReadStringLength(field, wide);
  const std::size_t unit = wide ? 2 : 1;
  if (length > Remaining() / unit)
    Fail(field, "a string of at most " + std::to_string(Remaining() / unit) + " characters (the bytes left)",
         "a length of " + std::to_string(length));
  Need(length * unit, field, "a string");
  const auto* p = m_data + m_pos;
  m_pos += length * unit;
  if (!wide) return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), length));
  std::u16string units(length, u'\0');
  for (std::size_t i = 0; i < length; ++i) units[i] = static_cast<char16_t>(FromLittleEndian<WORD>(p + 2 * i));
  return Utf16ToUtf8(units);
}

DWORD CArchive::ReadCount(const char* field, std::size_t minElementBytes) {
  DWORD count = ReadWord(field);
  if (count == 0xFFFF) count = ReadDword(field);
  if (minElementBytes && count > Remaining() / minElementBytes)
    Fail(field, "a count of at most " + std::to_string(Remaining() / minElementBytes) + " (the bytes left)",
         std::to_string(count));
  return count;
}

void CArchive::ReadWords(const char* field, std::vector<WORD>& out) {
  const DWORD count = ReadCount(field, 2);
  Need(2 * std::size_t{count}, field, "WORDs");
  out.resize(count);
  for (DWORD i = 0; i < count; ++i) out[i] = FromLittleEndian<WORD>(m_data + m_pos + 2 * std::size_t{i});
  m_pos += 2 * std::size_t{count};
}

void CArchive::ReadDwords(const char* field, std::vector<DWORD>& out) {
  const DWORD count = ReadCount(field, 4);
  Need(4 * std::size_t{count}, field, "DWORDs");
  const DwordSpan span{m_data + m_pos, count};
  m_pos += 4 * std::size_t{count};
  CopyFromMemory(span, out);
}

CArchive::DwordSpan CArchive::SkipDwords(const char* field) {
  const DWORD count = ReadCount(field, 4);
  const DwordSpan span{m_data + m_pos, count};
  m_pos += 4 * std::size_t{count};
  return span;
}

void CArchive::CopyDwords(const DwordSpan& span, std::vector<DWORD>& out) const {
  if (!m_source) return CopyFromMemory(span, out);
  const std::size_t offset = static_cast<std::size_t>(span.bytes - m_data);
  const std::size_t bytes = 4 * std::size_t{span.count};
  ResizeForWriting(out, span.count);
  if (bytes && !m_source->CopyOut(offset, out.data(), bytes))
    throw ArchiveError("words", std::to_string(bytes) + " bytes of DWORDs", "the end of the file", offset);
  if constexpr (std::endian::native != std::endian::little) {
    for (DWORD& word : out) word = FromLittleEndian<DWORD>(reinterpret_cast<const std::uint8_t*>(&word));
  }
}

void CArchive::CopyFromMemory(const DwordSpan& span, std::vector<DWORD>& out) {
  ResizeForWriting(out, span.count);
  if constexpr (std::endian::native == std::endian::little) {
    if (span.count) std::memcpy(out.data(), span.bytes, 4 * std::size_t{span.count});
  } else {
    for (DWORD i = 0; i < span.count; ++i) out[i] = FromLittleEndian<DWORD>(span.bytes + 4 * std::size_t{i});
  }
}

void CArchive::ReadStrings(const char* field, std::vector<std::string>& out) {
  const DWORD count = ReadCount(field, 1);
  out.clear();
  out.reserve(ReserveHint(count));
  for (DWORD i = 0; i < count; ++i) out.push_back(ReadString(field));
}

DWORD CArchive::NextMapIndex(const char* field) {
  if (m_loadMap.size() >= kMaxMapCount)
    Fail(field, "fewer than " + std::to_string(kMaxMapCount) + " classes and objects", "more");
  return static_cast<DWORD>(m_loadMap.size());
}

DWORD CArchive::ReadTagIndex(WORD tag, const char* field) {
  if (tag == kBigTag) return ReadDword(field);
  return (DWORD{tag & 0x8000u} << 16) | (tag & 0x7FFFu);
}

const std::string* CArchive::ReadObjectTag(const char* field) {
  const WORD tag = ReadWord(field);
  if (tag == 0) return nullptr;
  int known = -1;
  if (tag == kNewClassTag) {
    const WORD schema = ReadWord(field);
    const WORD nameLength = ReadWord(field);
    if (nameLength >= kMaxClassNameLength)
      Fail(field, "a class name shorter than 64 bytes", "a length of " + std::to_string(nameLength));
    std::string name(nameLength, '\0');
    Take(name.data(), nameLength, field, "class name");
    const auto it = std::find(m_known.begin(), m_known.end(), name);
    if (it == m_known.end()) Fail(field, "a known record class", "the class \"" + name + "\"");
    if (schema != 0) Fail(field, "schema 0 of class " + name, "schema " + std::to_string(schema));
    known = static_cast<int>(it - m_known.begin());
    NextMapIndex(field);
    m_loadMap.push_back(known);
  } else {
    const DWORD index = ReadTagIndex(tag, field);
    if (!(index & kClassTagBit)) Fail(field, "a new object", "a reference to the earlier object " + Hex(index));
    const DWORD classIndex = index & ~kClassTagBit;
    if (classIndex == 0 || classIndex >= m_loadMap.size() || m_loadMap[classIndex] < 0)
      Fail(field, "the index of a class already read (below " + std::to_string(m_loadMap.size()) + ")",
           Hex(classIndex));
    known = m_loadMap[classIndex];
  }
  NextMapIndex(field);
  m_loadMap.push_back(-1);
  return &m_known[static_cast<std::size_t>(known)];
}

// ---- storing ------------------------------------------------------------------

void CArchive::Put(const void* from, std::size_t bytes) {
  const auto* p = static_cast<const std::uint8_t*>(from);
  m_out.insert(m_out.end(), p, p + bytes);
  if (m_sink && m_out.size() >= kSinkPiece) Flush();
}

void CArchive::Flush() {
  if (!m_sink || m_out.empty()) return;
  m_sink->write(reinterpret_cast<const char*>(m_out.data()), static_cast<std::streamsize>(m_out.size()));
  m_out.clear();
}

void CArchive::WriteWord(WORD value) {
  std::uint8_t b[2];
  ToLittleEndian(value, b);
  Put(b, 2);
}

void CArchive::WriteDword(DWORD value) {
  std::uint8_t b[4];
  ToLittleEndian(value, b);
  Put(b, 4);
}

void CArchive::WriteStringLength(std::size_t length) {
  if (length < 0xFF) {
    WriteByte(static_cast<BYTE>(length));
  } else if (length < 0xFFFE) {
    WriteByte(0xFF);
    WriteWord(static_cast<WORD>(length));
  } else {
    // Lengths of 2^32 and more cannot occur: the reader caps them at 2^31.
    WriteByte(0xFF);
    WriteWord(0xFFFF);
    WriteDword(static_cast<DWORD>(length));
  }
}

void CArchive::WriteString(std::string_view utf8) {
  std::string narrow;
  if (Utf8ToCp1252(utf8, narrow)) {
    WriteStringLength(narrow.size());
    Put(narrow.data(), narrow.size());
    return;
  }
  const std::u16string units = Utf8ToUtf16(utf8);
  const std::uint8_t marker[3] = {0xFF, 0xFE, 0xFF};
  Put(marker, 3);
  WriteStringLength(units.size());
  for (char16_t u : units) WriteWord(static_cast<WORD>(u));
}

void CArchive::WriteCount(DWORD count) {
  if (count < 0xFFFF) {
    WriteWord(static_cast<WORD>(count));
  } else {
    WriteWord(0xFFFF);
    WriteDword(count);
  }
}

void CArchive::WriteWords(const std::vector<WORD>& values) {
  WriteCount(static_cast<DWORD>(values.size()));
  for (WORD v : values) WriteWord(v);
}

void CArchive::WriteDwords(const std::vector<DWORD>& values) {
  WriteCount(static_cast<DWORD>(values.size()));
  if constexpr (std::endian::native == std::endian::little) {
    Put(values.data(), values.size() * sizeof(DWORD));
  } else {
    for (DWORD v : values) WriteDword(v);
  }
}

void CArchive::WriteStrings(const std::vector<std::string>& values) {
  WriteCount(static_cast<DWORD>(values.size()));
  for (const auto& s : values) WriteString(s);
}

void CArchive::WriteIndexTag(DWORD index, bool isClass) {
  if (index < kBigTag) {
    WriteWord(static_cast<WORD>(isClass ? (0x8000u | index) : index));
  } else {
    WriteWord(kBigTag);
    WriteDword(isClass ? (kClassTagBit | index) : index);
  }
}

void CArchive::WriteObjectTag(const std::string& className) {
  const auto it = std::find_if(m_storedClasses.begin(), m_storedClasses.end(),
                               [&](const auto& entry) { return entry.first == className; });
  if (it != m_storedClasses.end()) {
    WriteIndexTag(it->second, true);
  } else {
    WriteWord(kNewClassTag);
    WriteWord(0);  // schema
    WriteWord(static_cast<WORD>(className.size()));
    Put(className.data(), className.size());
    m_storedClasses.emplace_back(className, m_storeCount++);
  }
  ++m_storeCount;  // the object itself
}
