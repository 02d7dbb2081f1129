// The object archive a ".qor" file is written in: little-endian primitives,
// counts, strings and the tagged object references of the desktop framework
// whose files the program reads and writes. A reader works on bytes held in
// memory, or filled in by a source as it comes to them, whose number it knows
// from the start: every length can be checked against what is left before
// anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/ArchiveSource.h"
#include "database/Records.h"

// A damaged or truncated archive. The message names the field, what was
// expected there and what was found.
class ArchiveError : public std::runtime_error {
 public:
  ArchiveError(const std::string& where, const std::string& expected, const std::string& found, std::size_t offset);
  std::size_t offset() const { return m_offset; }
  // The message without the file's wording, for readers of other archives
  // (the menu clipboard) that word their own refusal.
  const std::string& detail() const { return m_detail; }

 private:
  std::size_t m_offset;
  std::string m_detail;
};

class CArchive {
 public:
  // Loading from bytes that the caller keeps alive while the archive is used.
  // With a source, the bytes are filled in by it as they are read.
  CArchive(const std::uint8_t* data, std::size_t size, ArchiveSource* source = nullptr);
  // Storing into memory; with a sink the bytes are handed on in large pieces.
  explicit CArchive(std::ostream* sink = nullptr);
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsStoring() const { return m_storing; }
  bool IsLoading() const { return !m_storing; }

  // The classes a reader accepts; any other class name is an error.
  void SetKnownClasses(std::vector<std::string> names) { m_known = std::move(names); }
  // Names the record being read, for error messages ("items", 12).
  void SetContext(const char* array, std::int64_t element = -1) {
    m_contextArray = array;
    m_contextElement = element;
  }

  // ---- loading ----
  BYTE ReadByte(const char* field);
  WORD ReadWord(const char* field);
  DWORD ReadDword(const char* field);
  std::string ReadString(const char* field);  // UTF-8
  // An element count; each element takes at least minElementBytes, so a
  // count the remaining bytes cannot hold is refused before any allocation.
  DWORD ReadCount(const char* field, std::size_t minElementBytes);
  // How many elements of a just-read count to reserve room for: a damaged
  // count must not claim memory for elements the file does not hold.
  static std::size_t ReserveHint(DWORD count) { return count < 65536 ? count : 65536; }
  void ReadWords(const char* field, std::vector<WORD>& out);
  void ReadDwords(const char* field, std::vector<DWORD>& out);
  // A DWORD array whose count is checked and whose elements are passed over
  // now and copied later, while the archive's bytes are still there: a
  // reader of many arrays copies them side by side.
  struct DwordSpan {
    const std::uint8_t* bytes = nullptr;
    DWORD count = 0;
  };
  DwordSpan SkipDwords(const char* field);
  // May run on several threads at once. Throws ArchiveError when the source
  // cannot give the words.
  void CopyDwords(const DwordSpan& span, std::vector<DWORD>& out) const;
  void ReadStrings(const char* field, std::vector<std::string>& out);
  // One object reference: null for a null element, else the name of the
  // class of the new object whose fields follow.
  const std::string* ReadObjectTag(const char* field);
  [[noreturn]] void Fail(const char* field, const std::string& expected, const std::string& found) const;

  std::size_t Offset() const { return m_pos; }
  std::size_t Remaining() const { return m_size - m_pos; }

  // ---- storing ----
  void WriteByte(BYTE value) { Put(&value, 1); }
  void WriteWord(WORD value);
  void WriteDword(DWORD value);
  void WriteString(std::string_view utf8);
  void WriteCount(DWORD count);
  void WriteWords(const std::vector<WORD>& values);
  void WriteDwords(const std::vector<DWORD>& values);
  void WriteStrings(const std::vector<std::string>& values);
  void WriteObjectTag(const std::string& className);
  void WriteNullObject() { WriteWord(0); }
  // Hands everything still buffered to the sink.
  void Flush();
  // The stored bytes (when storing without a sink).
  std::vector<std::uint8_t> TakeBytes() { return std::move(m_out); }

 private:
  // Fails unless bytes more are left, and has the source fill them in.
  void Need(std::size_t bytes, const char* field, const char* what);
  static void CopyFromMemory(const DwordSpan& span, std::vector<DWORD>& out);
  void Take(void* to, std::size_t bytes, const char* field, const char* what);
  std::size_t ReadStringLength(const char* field, bool& wide);
  void WriteStringLength(std::size_t length);
  void Put(const void* from, std::size_t bytes);
  DWORD NextMapIndex(const char* field);
  DWORD ReadTagIndex(WORD tag, const char* field);
  void WriteIndexTag(DWORD index, bool isClass);

  bool m_storing;
  // loading
  const std::uint8_t* m_data = nullptr;
  std::size_t m_size = 0;
  ArchiveSource* m_source = nullptr;
  std::size_t m_pos = 0;
  std::vector<std::string> m_known;
  // The shared table of classes and objects; index 0 is the null reference.
  // For a class slot the value is its index in m_known, for an object -1.
  std::vector<int> m_loadMap{-1};
  const char* m_contextArray = nullptr;
  std::int64_t m_contextElement = -1;
  // storing
  std::ostream* m_sink = nullptr;
  std::vector<std::uint8_t> m_out;
  std::vector<std::pair<std::string, DWORD>> m_storedClasses;
  DWORD m_storeCount = 1;
};
