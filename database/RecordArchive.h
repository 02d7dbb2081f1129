// How each stored record class reads and writes its fields, and the object
// arrays that hold them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "database/Archive.h"
#include "database/Records.h"

template <typename T>
struct RecordClass;
template <>
struct RecordClass<CQAttdata> {
  static constexpr const char* name = "CQAttdata";
};
template <>
struct RecordClass<CQMenudata> {
  static constexpr const char* name = "CQMenudata";
};
template <>
struct RecordClass<CQItemname> {
  static constexpr const char* name = "CQItemname";
};
template <>
struct RecordClass<CQItemrec> {
  static constexpr const char* name = "CQItemrec";
};
template <>
struct RecordClass<CQDatablock> {
  static constexpr const char* name = "CQDatablock";
};

// Every class name a database file may hold.
const std::vector<std::string>& RecordClassNames();

// Every file opens with a version word; version 1 adds the missing-data
// flag. False for a later format this program cannot read.
inline constexpr WORD kNewestFileVersion = 1;
bool ReadFileVersion(CArchive& ar, WORD& version);

// The header is stored inline, without a class tag.
void StoreHeader(CArchive& ar, const CQDochdr& header);
void LoadHeader(CArchive& ar, CQDochdr& header);

// Picture lists are normalised in the record itself, before writing and
// after reading.
void StoreRecord(CArchive& ar, CQAttdata& record);
void StoreRecord(CArchive& ar, CQMenudata& record);
void StoreRecord(CArchive& ar, CQItemname& record);
void StoreRecord(CArchive& ar, CQItemrec& record);
void StoreRecord(CArchive& ar, CQDatablock& record);
void LoadRecord(CArchive& ar, CQAttdata& record);
void LoadRecord(CArchive& ar, CQMenudata& record);
void LoadRecord(CArchive& ar, CQItemname& record);
void LoadRecord(CArchive& ar, CQItemrec& record);
void LoadRecord(CArchive& ar, CQDatablock& record);

// Reads one element's class tag; false for a null element. A new object of
// any other class than T is an error.
bool ReadElementTag(CArchive& ar, const char* expectedClass);

template <typename T>
void StoreObjectArray(CArchive& ar, std::vector<std::unique_ptr<T>>& records) {
  ar.WriteCount(static_cast<DWORD>(records.size()));
  for (auto& record : records) {
    ar.WriteObjectTag(RecordClass<T>::name);
    StoreRecord(ar, *record);
  }
}

// A null element is read as a free slot: a default record.
template <typename T>
void LoadObjectArray(CArchive& ar, const char* field, std::vector<std::unique_ptr<T>>& records,
                     DWORD maxCount = 0xFFFFFFFFu) {
  ar.SetContext(field);
  const DWORD count = ar.ReadCount("count", 2);
  if (count > maxCount) ar.Fail("count", "at most " + std::to_string(maxCount) + " records", std::to_string(count));
  records.clear();
  records.reserve(CArchive::ReserveHint(count));
  for (DWORD i = 0; i < count; ++i) {
    ar.SetContext(field, i);
    auto record = std::make_unique<T>();
    if (ReadElementTag(ar, RecordClass<T>::name)) LoadRecord(ar, *record);
    records.push_back(std::move(record));
  }
}

void StoreBlockArray(CArchive& ar, std::vector<CQDatablock>& blocks);
void LoadBlockArray(CArchive& ar, const char* field, std::vector<CQDatablock>& blocks);

// Reads an array of records of any known classes and drops them.
void SkipObjectArray(CArchive& ar, const char* field);
