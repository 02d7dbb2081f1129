#include "database/RecordArchive.h"

#include <cstring>
#include <utility>

#include "database/ParallelFor.h"

namespace {

// A block holds at most 64 KB of words.
constexpr int kBlocksPerChunk = 64;

void NormalizeInPlace(std::string& pictures) {
  if (!pictures.empty()) pictures = NormalizePictureList(pictures);
}

// Each class's fields are listed once, in file order; one walker both
// writes and reads them, so the two directions cannot drift apart.
class FieldIo {
 public:
  FieldIo(CArchive& ar, bool reading) : m_ar(ar), m_reading(reading) {}

  void Byte(BYTE& v, const char* field) { m_reading ? void(v = m_ar.ReadByte(field)) : m_ar.WriteByte(v); }
  void Word(WORD& v, const char* field) { m_reading ? void(v = m_ar.ReadWord(field)) : m_ar.WriteWord(v); }
  void Dword(DWORD& v, const char* field) { m_reading ? void(v = m_ar.ReadDword(field)) : m_ar.WriteDword(v); }
  void Text(std::string& v, const char* field) { m_reading ? void(v = m_ar.ReadString(field)) : m_ar.WriteString(v); }
  // Item and name indices are stored as DWORDs; -1 reads back as -1.
  void Index(std::int32_t& v, const char* field) {
    DWORD stored = static_cast<DWORD>(v);
    Dword(stored, field);
    v = static_cast<std::int32_t>(stored);
  }
  // Picture lists are normalised before writing and after reading.
  void Pictures(std::string& v, const char* field) {
    if (!m_reading) NormalizeInPlace(v);
    Text(v, field);
    if (m_reading) NormalizeInPlace(v);
  }
  void Words(std::vector<WORD>& v, const char* field) { m_reading ? m_ar.ReadWords(field, v) : m_ar.WriteWords(v); }
  void Dwords(std::vector<DWORD>& v, const char* field) { m_reading ? m_ar.ReadDwords(field, v) : m_ar.WriteDwords(v); }
  void Texts(std::vector<std::string>& v, const char* field) {
    m_reading ? m_ar.ReadStrings(field, v) : m_ar.WriteStrings(v);
  }

 private:
  CArchive& m_ar;
  bool m_reading;
};

void HeaderFields(FieldIo& io, CQDochdr& h) {
  io.Byte(h.commonNamesEnabled, "common names enabled");
  io.Byte(h.scientificNamesEnabled, "scientific names enabled");
  io.Byte(h.showCommonNames, "show common names");
  io.Word(h.reservedWord, "reserved word");
  for (auto& value : h.reserved) io.Dword(value, "reserved value");
  io.Dword(h.lockWord, "lock word");
  io.Text(h.title, "title");
  io.Text(h.dbVersion, "db_version");
  io.Text(h.menuVersion, "menu_version");
  io.Text(h.description, "description");
}

void Fields(FieldIo& io, CQAttdata& r) {
  io.Word(r.menuIndex, "menu index");
  io.Byte(r.flag, "flag");
  io.Text(r.name, "name");
  io.Text(r.secondText, "second text");
  io.Text(r.helpText, "help text");
  io.Pictures(r.pictures, "pictures");
}

void Fields(FieldIo& io, CQMenudata& r) {
  io.Byte(r.kind, "kind");
  io.Byte(r.difficulty, "difficulty");
  io.Word(r.parent, "parent");
  io.Text(r.title, "title");
  io.Text(r.helpText, "help text");
  io.Pictures(r.pictures, "pictures");
  io.Words(r.children, "children");
}

void Fields(FieldIo& io, CQItemname& r) {
  io.Index(r.itemIndex, "item index");
  io.Text(r.name, "name");
}

void Fields(FieldIo& io, CQItemrec& r) {
  io.Index(r.nameIndex, "name index");
  io.Index(r.speciesIndex, "species index");
  io.Index(r.genusIndex, "genus index");
  io.Index(r.familyIndex, "family index");
  io.Text(r.description, "description");
  io.Pictures(r.pictures, "pictures");
  io.Texts(r.referencePages, "reference pages");
}

void Fields(FieldIo& io, CQDatablock& r) { io.Dwords(r.words, "words"); }

template <typename T>
void StoreFields(CArchive& ar, T& record) {
  FieldIo io(ar, false);
  Fields(io, record);
}

template <typename T>
void LoadFields(CArchive& ar, T& record) {
  FieldIo io(ar, true);
  Fields(io, record);
}

template <typename T>
void LoadAndDrop(CArchive& ar) {
  T record;
  LoadFields(ar, record);
}

}  // namespace

const std::vector<std::string>& RecordClassNames() {
  static const std::vector<std::string> names = {RecordClass<CQAttdata>::name, RecordClass<CQMenudata>::name,
                                                 RecordClass<CQItemname>::name, RecordClass<CQItemrec>::name,
                                                 RecordClass<CQDatablock>::name};
  return names;
}

bool ReadFileVersion(CArchive& ar, WORD& version) {
  version = ar.ReadWord("file version");
  return version <= kNewestFileVersion;
}

void StoreHeader(CArchive& ar, const CQDochdr& h) {
  CQDochdr copy = h;
  FieldIo io(ar, false);
  HeaderFields(io, copy);
}

void LoadHeader(CArchive& ar, CQDochdr& h) {
  ar.SetContext("header");
  FieldIo io(ar, true);
  HeaderFields(io, h);
}

void StoreRecord(CArchive& ar, CQAttdata& record) { StoreFields(ar, record); }
void StoreRecord(CArchive& ar, CQMenudata& record) { StoreFields(ar, record); }
void StoreRecord(CArchive& ar, CQItemname& record) { StoreFields(ar, record); }
void StoreRecord(CArchive& ar, CQItemrec& record) { StoreFields(ar, record); }
void StoreRecord(CArchive& ar, CQDatablock& record) { StoreFields(ar, record); }
void LoadRecord(CArchive& ar, CQAttdata& record) { LoadFields(ar, record); }
void LoadRecord(CArchive& ar, CQMenudata& record) { LoadFields(ar, record); }
void LoadRecord(CArchive& ar, CQItemname& record) { LoadFields(ar, record); }
void LoadRecord(CArchive& ar, CQItemrec& record) { LoadFields(ar, record); }
void LoadRecord(CArchive& ar, CQDatablock& record) { LoadFields(ar, record); }

bool ReadElementTag(CArchive& ar, const char* expectedClass) {
  const std::string* found = ar.ReadObjectTag("class tag");
  if (!found) return false;
  if (*found != expectedClass) ar.Fail("class tag", std::string("class ") + expectedClass, "class " + *found);
  return true;
}

void StoreBlockArray(CArchive& ar, std::vector<CQDatablock>& blocks) {
  ar.WriteCount(static_cast<DWORD>(blocks.size()));
  for (auto& block : blocks) {
    ar.WriteObjectTag(RecordClass<CQDatablock>::name);
    StoreRecord(ar, block);
  }
}

void LoadBlockArray(CArchive& ar, const char* field, std::vector<CQDatablock>& blocks) {
  ar.SetContext(field);
  const DWORD count = ar.ReadCount("count", 2);
  blocks.clear();
  blocks.reserve(CArchive::ReserveHint(count));
  // The blocks are checked in order and their words, nearly all of a large
  // file, copied afterwards side by side.
  std::vector<std::pair<std::size_t, CArchive::DwordSpan>> words;
  words.reserve(CArchive::ReserveHint(count));
  for (DWORD i = 0; i < count; ++i) {
    ar.SetContext(field, i);
    blocks.emplace_back();
    if (ReadElementTag(ar, RecordClass<CQDatablock>::name)) words.emplace_back(i, ar.SkipDwords("words"));
  }
  ParallelFor(PlanChunks(static_cast<int>(words.size()), kBlocksPerChunk, 1), [&](int begin, int end, int) {
    for (int k = begin; k < end; ++k) ar.CopyDwords(words[k].second, blocks[words[k].first].words);
  });
}

void SkipObjectArray(CArchive& ar, const char* field) {
  ar.SetContext(field);
  const DWORD count = ar.ReadCount("count", 2);
  for (DWORD i = 0; i < count; ++i) {
    ar.SetContext(field, i);
    const std::string* name = ar.ReadObjectTag("class tag");
    if (!name) continue;
    if (*name == RecordClass<CQAttdata>::name)
      LoadAndDrop<CQAttdata>(ar);
    else if (*name == RecordClass<CQMenudata>::name)
      LoadAndDrop<CQMenudata>(ar);
    else if (*name == RecordClass<CQItemname>::name)
      LoadAndDrop<CQItemname>(ar);
    else if (*name == RecordClass<CQItemrec>::name)
      LoadAndDrop<CQItemrec>(ar);
    else
      LoadAndDrop<CQDatablock>(ar);
  }
}
