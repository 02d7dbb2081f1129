// Storing and loading a whole database, and the build that follows a load.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "database/Archive.h"
#include "database/ArchiveFile.h"
#include "database/KeyFolderWriter.h"
#include "database/LevelNames.h"
#include "database/LoadedDatabaseCheck.h"
#include "database/MarkLog.h"
#include "database/NameOrderSort.h"
#include "database/ParallelFor.h"
#include "database/RecordArchive.h"
#include "database/TextCodec.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

namespace {

// Record indices are 16-bit in menus and attributes.
constexpr DWORD kMaxWordIndexed = 0xFFFF;

constexpr int kItemsPerDumpPiece = 2048;

constexpr const char* kTrailingArrays[] = {"record array 12", "record array 13", "record array 14", "record array 15"};

}  // namespace

void CZAVDoc::StoreFields(CArchive& ar) {
  CZAVDoc& doc = *this;
  ar.WriteWord(doc.m_fileVersion);
  StoreHeader(ar, doc.m_header);
  StoreObjectArray(ar, doc.m_attributes);
  StoreObjectArray(ar, doc.m_menus);
  ar.WriteStrings(doc.m_referenceTitles);
  StoreObjectArray(ar, doc.m_itemNames);
  StoreObjectArray(ar, doc.m_speciesNames);
  StoreObjectArray(ar, doc.m_items);
  ar.WriteStrings(doc.m_genusNames);
  ar.WriteStrings(doc.m_familyNames);
  StoreBlockArray(ar, doc.m_dataBlocks);
  for (int i = 0; i < 4; ++i) ar.WriteCount(0);  // the further record arrays are never filled
  if (doc.m_fileVersion == 1) ar.WriteByte(doc.m_missingData);
}

namespace {

// Everything after the version word, into a fresh document.
void LoadMembers(CArchive& ar, CZAVDoc& doc) {
  LoadHeader(ar, doc.m_header);
  LoadObjectArray(ar, "attributes", doc.m_attributes, kMaxWordIndexed);
  LoadObjectArray(ar, "menus", doc.m_menus, kMaxWordIndexed);
  ar.SetContext("reference titles");
  ar.ReadStrings("titles", doc.m_referenceTitles);
  LoadObjectArray(ar, "item names", doc.m_itemNames);
  LoadObjectArray(ar, "species names", doc.m_speciesNames);
  LoadObjectArray(ar, "items", doc.m_items);
  ar.SetContext("genus names");
  ar.ReadStrings("names", doc.m_genusNames);
  ar.SetContext("family names");
  ar.ReadStrings("names", doc.m_familyNames);
  LoadBlockArray(ar, "data blocks", doc.m_dataBlocks);
  for (const char* name : kTrailingArrays) SkipObjectArray(ar, name);
  ar.SetContext(nullptr);
  doc.m_missingData = doc.m_fileVersion == 1 ? ar.ReadByte("missing-data flag") : 0;
}

// The display name of the entry's item; empty for an entry not linked.
std::string EntryDisplayName(const CZAVDoc& doc, const std::vector<std::unique_ptr<CQItemname>>& names,
                             std::size_t at) {
  const std::int32_t item = names[at]->itemIndex;
  return item >= 0 && item < doc.ItemCount() ? GetItemDisplayName(doc, item) : std::string();
}

void AppendDumpLine(std::string& out, const CZAVDoc& doc, const CQItemrec& item, int index) {
  const char* format = "%s/%s %s/%s, %4i, %4i, %4i, %4i, %4i\n";
  const auto print = [&](char* to, std::size_t room) {
    return std::snprintf(to, room, format, doc.m_itemNames[item.nameIndex]->name.c_str(),
                         doc.m_genusNames[item.genusIndex].c_str(), doc.m_speciesNames[item.speciesIndex]->name.c_str(),
                         doc.m_familyNames[item.familyIndex].c_str(), item.nameIndex, item.genusIndex,
                         item.speciesIndex, item.familyIndex, index);
  };
  const int length = print(nullptr, 0);
  if (length <= 0) return;
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(length) + 1);
  print(out.data() + at, static_cast<std::size_t>(length) + 1);
  out.resize(at + static_cast<std::size_t>(length));
}

// A file of another format is refused with this message, shown once.
void ShowInvalidFormat() { platform::Ui().ShowMessage("Invalid QOR Database Format"); }

// Reads and checks everything after the version word into a fresh
// document; calls nothing of the user interface. A damaged archive throws
// ArchiveError.
CZAVDoc::LoadResult ReadStoredFields(CArchive& ar, CZAVDoc& fields) {
  ar.SetKnownClasses(RecordClassNames());
  ar.SetContext(nullptr);
  WORD version = 0;
  if (!ReadFileVersion(ar, version)) return CZAVDoc::LoadResult::InvalidFormat;
  fields.m_fileVersion = version;
  LoadMembers(ar, fields);
  CheckLoadedDatabase(fields, ar);
  return CZAVDoc::LoadResult::Ok;
}

// The stored fields, and the run-time items and the names sorted by the
// display names the reader would give them. A damaged archive throws.
CZAVDoc::LoadResult ReadAndSortFields(const CZAVDoc& reader, CArchive& ar, CZAVDoc& fields) {
  const CZAVDoc::LoadResult result = ReadStoredFields(ar, fields);
  if (result != CZAVDoc::LoadResult::Ok) return result;
  fields.m_levelNames->inUse = reader.m_levelNames && reader.m_levelNames->inUse;
  fields.MakeDocItems();
  fields.SortLoadedNames();
  return result;
}

// The same with a damaged archive's message in *error.
CZAVDoc::LoadResult ReadFieldsReporting(const CZAVDoc& reader, CArchive& ar, CZAVDoc& fields, std::string* error) {
  try {
    return ReadAndSortFields(reader, ar, fields);
  } catch (const ArchiveError& e) {
    if (error) *error = e.what();
    return CZAVDoc::LoadResult::ArchiveError;
  }
}

// Takes the stored fields of a checked, freshly read document.
void AdoptStoredFields(CZAVDoc& to, CZAVDoc& from) {
  to.m_fileVersion = from.m_fileVersion;
  to.m_header = std::move(from.m_header);
  to.m_attributes.swap(from.m_attributes);
  to.m_menus.swap(from.m_menus);
  to.m_referenceTitles.swap(from.m_referenceTitles);
  to.m_itemNames.swap(from.m_itemNames);
  to.m_speciesNames.swap(from.m_speciesNames);
  to.m_items.swap(from.m_items);
  to.m_genusNames.swap(from.m_genusNames);
  to.m_familyNames.swap(from.m_familyNames);
  to.m_dataBlocks.swap(from.m_dataBlocks);
  to.InvalidateCountBasis();
  to.m_missingData = from.m_missingData;
  // Marks and item states are not stored; the open resets them.
  to.m_marks.assign(to.m_attributes.size(), MARK_CLEAR);
  to.m_markedCount = 0;
  to.m_markLog.clear();
  to.m_attributeCounts.assign(to.m_attributes.size(), 0);
  to.m_itemStates.resize(to.m_items.size());
  for (std::size_t i = 0; i < to.m_items.size(); ++i)
    to.m_itemStates[i] = to.m_items[i]->IsFreeSlot() ? STATE_FREE : STATE_REMAINING;
}

// In one read when the stream can tell its size, else piece by piece.
std::vector<std::uint8_t> ReadWholeStream(std::istream& in) {
  const auto start = in.tellg();
  if (start != std::streampos(-1) && in.seekg(0, std::ios::end)) {
    const auto end = in.tellg();
    in.seekg(start);
    if (end != std::streampos(-1) && end >= start) {
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end - start));
      in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      bytes.resize(static_cast<std::size_t>(in.gcount()));
      return bytes;
    }
  }
  in.clear();
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int CompareItemDisplayNames(const CZAVDoc& document, const std::vector<std::unique_ptr<CQItemname>>& names, int first,
                            int second) {
  const auto size = static_cast<int>(names.size());
  if (first < 0 || second < 0 || first >= size || second >= size) return 0;
  return CompareNoCase(EntryDisplayName(document, names, first), EntryDisplayName(document, names, second));
}

CZAVDoc::LoadResult CZAVDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    m_fileVersion = m_missingData ? 1 : 0;
    StoreFields(ar);
    ar.Flush();
    CompactItems();         // the file just written keeps its free slots
    WriteXmlDumpOfStore();  // it stands for the load's too
    return LoadResult::Ok;
  }
  CZAVDoc fields;
  return AdoptFields(ReadAndSortFields(*this, ar, fields), fields);
}

CZAVDoc::LoadResult CZAVDoc::LoadStoredFields(CArchive& ar) {
  // Read and check everything before touching this document, so a damaged
  // file leaves it as it was.
  CZAVDoc loaded;
  const LoadResult result = ReadStoredFields(ar, loaded);
  if (result != LoadResult::Ok) {
    ShowInvalidFormat();
    return result;
  }
  AdoptStoredFields(*this, loaded);
  return LoadResult::Ok;
}

CZAVDoc::LoadResult CZAVDoc::LoadFromBytes(const std::uint8_t* data, std::size_t size, std::string* error) {
  CZAVDoc fields;
  return AdoptFields(ReadFields(data, size, fields, error), fields);
}

CZAVDoc::LoadResult CZAVDoc::ReadFields(const std::uint8_t* data, std::size_t size, CZAVDoc& fields,
                                        std::string* error) const {
  CArchive ar(data, size);
  return ReadFieldsReporting(*this, ar, fields, error);
}

CZAVDoc::LoadResult CZAVDoc::ReadFields(ArchiveFile& file, CZAVDoc& fields, std::string* error) const {
  CArchive ar(file.data(), file.size(), file.source());
  return ReadFieldsReporting(*this, ar, fields, error);
}

CZAVDoc::LoadResult CZAVDoc::AdoptFields(LoadResult read, CZAVDoc& fields) {
  if (read == LoadResult::InvalidFormat) ShowInvalidFormat();
  if (read != LoadResult::Ok) return read;
  AdoptStoredFields(*this, fields);
  m_docItems.swap(fields.m_docItems);
  m_namedItemCount = fields.m_namedItemCount;
  m_loadedMissingData = m_missingData;
  UpdateMissingDataBits();
  CompactItems();
  WriteXmlDumpOfLoad();
  return LoadResult::Ok;
}

CZAVDoc::LoadResult CZAVDoc::Load(std::istream& in, std::string* error) {
  const std::vector<std::uint8_t> bytes = ReadWholeStream(in);
  if (in.bad()) {
    if (error) *error = "The database file could not be read.";
    return LoadResult::ArchiveError;
  }
  return LoadFromBytes(bytes.data(), bytes.size(), error);
}

std::vector<std::uint8_t> CZAVDoc::StoreToBytes() {
  CArchive ar;
  Serialize(ar);
  return ar.TakeBytes();
}

bool CZAVDoc::Store(std::ostream& out) {
  CArchive ar(&out);
  Serialize(ar);
  out.flush();
  return static_cast<bool>(out);
}

void CZAVDoc::BuildAfterLoad() {
  MakeDocItems();
  UpdateMissingDataBits();
  SortLoadedNames();
}

void CZAVDoc::MakeDocItems() {
  m_namedItemCount = 0;
  m_docItems.clear();
  m_docItems.reserve(m_items.size());
  for (auto& item : m_items) {
    m_docItems.push_back(std::make_unique<CZAVDocItem>(item.get()));
    if (item->nameIndex != -1 || item->speciesIndex != -1) ++m_namedItemCount;
  }
}

void CZAVDoc::SortLoadedNames() {
  DumpItemNames("before_sorting.txt");
  SortNameArrays(*this);
  DumpItemNames("after_sorting.txt");
}

void CZAVDoc::DumpItemNames(const std::string& fileName) {
  for (int i = 0; i < ItemCount(); ++i) {
    const CQItemrec& item = *m_items[i];
    if (IsValidIndex(item.nameIndex, m_itemNames.size())) m_itemNames[item.nameIndex]->itemIndex = i;
    if (IsValidIndex(item.speciesIndex, m_speciesNames.size())) m_speciesNames[item.speciesIndex]->itemIndex = i;
  }
  // The current folder may be a key's: a link, FIFO or folder under the
  // name is left as it is and the dump skipped.
  std::error_code noFolder;
  const std::filesystem::path current = std::filesystem::current_path(noFolder);
  const KeyFolderWriter folder(current);
  const std::filesystem::path target = current / fileName;
  if (noFolder || !folder.Refusal(target, Replacing::Allowed).empty()) return;
  // The lines are written side by side, each piece of items into its own text.
  const ChunkPlan plan = PlanChunks(ItemCount(), kItemsPerDumpPiece, 1);
  std::vector<std::string> pieces(static_cast<std::size_t>(plan.chunks));
  ParallelFor(plan, [&](int begin, int end, int piece) {
    for (int i = begin; i < end; ++i) {
      const CQItemrec& item = *m_items[i];
      const bool complete =
          IsValidIndex(item.nameIndex, m_itemNames.size()) && IsValidIndex(item.speciesIndex, m_speciesNames.size()) &&
          IsValidIndex(item.genusIndex, m_genusNames.size()) && IsValidIndex(item.familyIndex, m_familyNames.size());
      if (complete) AppendDumpLine(pieces[piece], *this, item, i);
    }
  });
  const StreamWriter write = [&pieces](std::ostream& out) {
    for (const std::string& piece : pieces) out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    return static_cast<bool>(out);
  };
  std::string skipped;
  folder.WriteStream(target, write, Replacing::Allowed, Syncing::Skipped, skipped);
}
