#include "editors/ClipboardDecoder.h"

#include <vector>

#include "database/Archive.h"
#include "database/ZAVDoc.h"

namespace {

std::string TagText(DWORD tag) { return "tag " + std::to_string(tag); }

// What may follow inside a record of the given tag (0: the top of the branch).
const char* ExpectedBelow(DWORD parentTag) {
  switch (parentTag) {
    case 0:
      return "a menu or attribute record (1, 2 or 3)";
    case CLIP_MENU_OF_MENUS:
      return "a menu record (1 or 2) or 11 (up)";
    case CLIP_MENU_OF_ATTRIBUTES:
      return "an attribute record (3) or 11 (up)";
    default:
      return "11 (up), as an attribute has no children";
  }
}

// A branch with more menus or attributes than any database holds (slots 0
// to 16000), found while reading: the paste's own refusal, before the rest
// of the block is built into records.
struct TooManyRecords {
  const char* message;
};

constexpr int kMaxRecordsOfAKind = kMaxAttributesOrMenus + 1;

class BranchReader {
 public:
  BranchReader(const std::uint8_t* data, std::size_t size) : m_ar(data, size) {
    m_ar.SetContext("clipboard");
    if (size > kMaxClipboardBlockBytes)
      m_ar.Fail("block size", "at most " + std::to_string(kMaxClipboardBlockBytes) + " bytes",
                std::to_string(size) + " bytes");
  }

  ClipboardBranch Read() {
    const WORD version = m_ar.ReadWord("version word");
    if (version != kClipboardVersion)
      m_ar.Fail("version word", std::to_string(kClipboardVersion), std::to_string(version));
    ReadRecord(m_ar.ReadDword("first tag"), -1);
    while (!m_open.empty()) ReadInsideOpenRecord();
    m_ar.SetContext("clipboard");
    const DWORD end = m_ar.ReadDword("end tag");
    if (end != CLIP_END) m_ar.Fail("end tag", "100 (end)", TagText(end));
    return std::move(m_branch);
  }

 private:
  void ReadInsideOpenRecord() {
    const int parent = m_open.back();
    m_ar.SetContext("record", parent);
    const DWORD tag = m_ar.ReadDword("child tag");
    if (tag == CLIP_UP)
      m_open.pop_back();
    else
      ReadRecord(tag, parent);
  }

  void ReadRecord(DWORD tag, int parent) {
    const DWORD parentTag = parent < 0 ? 0 : m_branch.records[parent].tag;
    if (!MayStandBelow(tag, parentTag))
      m_ar.Fail(parent < 0 ? "first tag" : "child tag", ExpectedBelow(parentTag), TagText(tag));
    const int index = static_cast<int>(m_branch.records.size());
    m_ar.SetContext("record", index);
    ClipboardRecord record;
    record.tag = tag;
    CountRecord(record.IsMenu());
    record.parent = parent;
    if (record.IsMenu()) record.difficulty = m_ar.ReadByte("difficulty");
    record.text = m_ar.ReadString(record.IsMenu() ? "title" : "name");
    record.helpText = m_ar.ReadString("help text");
    record.pictures = NormalizePictureList(m_ar.ReadString("picture list"));
    const DWORD down = m_ar.ReadDword("tag after the fields");
    if (down != CLIP_DOWN) m_ar.Fail("tag after the fields", "10 (down)", TagText(down));
    m_branch.records.push_back(std::move(record));
    if (parent >= 0) m_branch.records[parent].children.push_back(index);
    m_open.push_back(index);
  }

  void CountRecord(bool menu) {
    int& count = menu ? m_menus : m_attributes;
    if (++count > kMaxRecordsOfAKind) throw TooManyRecords{menu ? "Too many menues!" : "Too many Attributes!"};
  }

  CArchive m_ar;
  ClipboardBranch m_branch;
  int m_menus = 0;
  int m_attributes = 0;
  std::vector<int> m_open;  // records whose up tag is still to come, innermost last
};

}  // namespace

ClipboardDecodeResult DecodeClipboardBranch(const std::uint8_t* data, std::size_t size) {
  ClipboardDecodeResult result;
  try {
    result.branch = BranchReader(data, size).Read();
    result.ok = true;
  } catch (const ArchiveError& e) {
    result.error = "The menu on the clipboard can't be pasted, its data is damaged: " + e.detail() + ".";
  } catch (const TooManyRecords& refusal) {
    result.error = refusal.message;
  }
  return result;
}
