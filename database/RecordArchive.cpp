#include "database/RecordArchive.h"

#include <cstring>

namespace {

void NormalizeInPlace(std::string& pictures) {
  if (!pictures.empty()) pictures = NormalizePictureList(pictures);
}

template <typename T>
void LoadAndDrop(CArchive& ar) {
  T record;
  LoadRecord(ar, record);
}

}  // namespace

const std::vector<std::string>& RecordClassNames() {
  static const std::vector<std::string> names = {RecordClass<CQAttdata>::name, RecordClass<CQMenudata>::name,
                                                 RecordClass<CQItemname>::name, RecordClass<CQItemrec>::name,
                                                 RecordClass<CQDatablock>::name};
  return names;
}

void StoreHeader(CArchive& ar, const CQDochdr& h) {
  ar.WriteByte(h.commonNamesEnabled);
  ar.WriteByte(h.scientificNamesEnabled);
  ar.WriteByte(h.showCommonNames);
  ar.WriteWord(h.reservedWord);
  for (DWORD value : h.reserved) ar.WriteDword(value);
  ar.WriteDword(h.lockWord);
  ar.WriteString(h.title);
  ar.WriteString(h.dbVersion);
  ar.WriteString(h.menuVersion);
  ar.WriteString(h.description);
}

void LoadHeader(CArchive& ar, CQDochdr& h) {
  ar.SetContext("header");
  h.commonNamesEnabled = ar.ReadByte("common names enabled");
  h.scientificNamesEnabled = ar.ReadByte("scientific names enabled");
  h.showCommonNames = ar.ReadByte("show common names");
  h.reservedWord = ar.ReadWord("reserved word");
  for (DWORD& value : h.reserved) value = ar.ReadDword("reserved value");
  h.lockWord = ar.ReadDword("lock word");
  h.title = ar.ReadString("title");
  h.dbVersion = ar.ReadString("db_version");
  h.menuVersion = ar.ReadString("menu_version");
  h.description = ar.ReadString("description");
}

void StoreRecord(CArchive& ar, CQAttdata& record) {
  NormalizeInPlace(record.pictures);
  ar.WriteWord(record.menuIndex);
  ar.WriteByte(record.flag);
  ar.WriteString(record.name);
  ar.WriteString(record.secondText);
  ar.WriteString(record.helpText);
  ar.WriteString(record.pictures);
}

void LoadRecord(CArchive& ar, CQAttdata& record) {
  record.menuIndex = ar.ReadWord("menu index");
  record.flag = ar.ReadByte("flag");
  record.name = ar.ReadString("name");
  record.secondText = ar.ReadString("second text");
  record.helpText = ar.ReadString("help text");
  record.pictures = ar.ReadString("pictures");
  NormalizeInPlace(record.pictures);
}

void StoreRecord(CArchive& ar, CQMenudata& record) {
  NormalizeInPlace(record.pictures);
  ar.WriteByte(record.kind);
  ar.WriteByte(record.difficulty);
  ar.WriteWord(record.parent);
  ar.WriteString(record.title);
  ar.WriteString(record.helpText);
  ar.WriteString(record.pictures);
  ar.WriteWords(record.children);
}

void LoadRecord(CArchive& ar, CQMenudata& record) {
  record.kind = ar.ReadByte("kind");
  record.difficulty = ar.ReadByte("difficulty");
  record.parent = ar.ReadWord("parent");
  record.title = ar.ReadString("title");
  record.helpText = ar.ReadString("help text");
  record.pictures = ar.ReadString("pictures");
  NormalizeInPlace(record.pictures);
  ar.ReadWords("children", record.children);
}

void StoreRecord(CArchive& ar, CQItemname& record) {
  ar.WriteDword(static_cast<DWORD>(record.itemIndex));
  ar.WriteString(record.name);
}

void LoadRecord(CArchive& ar, CQItemname& record) {
  record.itemIndex = static_cast<std::int32_t>(ar.ReadDword("item index"));
  record.name = ar.ReadString("name");
}

void StoreRecord(CArchive& ar, CQItemrec& record) {
  NormalizeInPlace(record.pictures);
  ar.WriteDword(static_cast<DWORD>(record.nameIndex));
  ar.WriteDword(static_cast<DWORD>(record.speciesIndex));
  ar.WriteDword(static_cast<DWORD>(record.genusIndex));
  ar.WriteDword(static_cast<DWORD>(record.familyIndex));
  ar.WriteString(record.description);
  ar.WriteString(record.pictures);
  ar.WriteStrings(record.referencePages);
}

void LoadRecord(CArchive& ar, CQItemrec& record) {
  record.nameIndex = static_cast<std::int32_t>(ar.ReadDword("name index"));
  record.speciesIndex = static_cast<std::int32_t>(ar.ReadDword("species index"));
  record.genusIndex = static_cast<std::int32_t>(ar.ReadDword("genus index"));
  record.familyIndex = static_cast<std::int32_t>(ar.ReadDword("family index"));
  record.description = ar.ReadString("description");
  record.pictures = ar.ReadString("pictures");
  NormalizeInPlace(record.pictures);
  ar.ReadStrings("reference pages", record.referencePages);
}

void StoreRecord(CArchive& ar, CQDatablock& record) { ar.WriteDwords(record.words); }

void LoadRecord(CArchive& ar, CQDatablock& record) { ar.ReadDwords("words", record.words); }

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
  for (DWORD i = 0; i < count; ++i) {
    ar.SetContext(field, i);
    blocks.emplace_back();
    if (ReadElementTag(ar, RecordClass<CQDatablock>::name)) LoadRecord(ar, blocks.back());
  }
}

void SkipObjectArray(CArchive& ar, const char* field) {
  ar.SetContext(field);
  const DWORD count = ar.ReadCount("count", 2);
  for (DWORD i = 0; i < count; ++i) {
    ar.SetContext(field, i);
    const std::string* name = ar.ReadObjectTag("class tag");
    if (!name) continue;
    if (*name == RecordClass<CQAttdata>::name) LoadAndDrop<CQAttdata>(ar);
    else if (*name == RecordClass<CQMenudata>::name) LoadAndDrop<CQMenudata>(ar);
    else if (*name == RecordClass<CQItemname>::name) LoadAndDrop<CQItemname>(ar);
    else if (*name == RecordClass<CQItemrec>::name) LoadAndDrop<CQItemrec>(ar);
    else LoadAndDrop<CQDatablock>(ar);
  }
}
