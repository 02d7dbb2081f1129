// Shared pieces of the clipboard tests: the small fruit key of the tree
// tests, a writer for hand-made clipboard streams and a snapshot of
// everything a refused paste or cut must leave alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "database/Archive.h"
#include "database/ZAVDoc.h"
#include "editors/ClipboardBranch.h"
#include "editors/ClipboardMenu.h"
#include "fakes/ScriptedUi.h"
#include "tree/SmallKey.h"

enum { kFruitMenu = 0, kColourMenu = 1, kSizeMenu = 2 };

// Writes a stream field by field, so that a test can break it anywhere.
class StreamWriter {
 public:
  explicit StreamWriter(WORD version = kClipboardVersion) { m_ar.WriteWord(version); }
  StreamWriter& Tag(DWORD tag) {
    m_ar.WriteDword(tag);
    return *this;
  }
  StreamWriter& Menu(DWORD tag, const std::string& title, BYTE difficulty = 1) {
    Tag(tag);
    m_ar.WriteByte(difficulty);
    return Texts(title).Tag(CLIP_DOWN);
  }
  StreamWriter& Attribute(const std::string& name) {
    return Tag(CLIP_ATTRIBUTE).Texts(name).Tag(CLIP_DOWN).Tag(CLIP_UP);
  }
  StreamWriter& Texts(const std::string& text, const std::string& help = "", const std::string& pictures = "") {
    m_ar.WriteString(text);
    m_ar.WriteString(help);
    m_ar.WriteString(pictures);
    return *this;
  }
  StreamWriter& Raw(std::vector<std::uint8_t> bytes) {
    for (auto b : bytes) m_ar.WriteByte(b);
    return *this;
  }
  std::vector<std::uint8_t> Take() { return m_ar.TakeBytes(); }

 private:
  CArchive m_ar;
};

// The stored fields with the marks and item states: what a refused command
// must leave exactly as it was.
inline std::vector<std::uint8_t> Snapshot(CZAVDoc& doc) {
  CArchive ar;
  doc.StoreFields(ar);
  std::vector<std::uint8_t> bytes = ar.TakeBytes();
  bytes.insert(bytes.end(), doc.m_marks.begin(), doc.m_marks.end());
  bytes.insert(bytes.end(), doc.m_itemStates.begin(), doc.m_itemStates.end());
  bytes.push_back(doc.IsModified() ? 1 : 0);
  return bytes;
}

inline std::vector<std::uint8_t> CopyColour(const CZAVDoc& doc) { return CClipboardMenu::Copy(doc, kColourMenu); }

inline bool HasItemAttribute(CZAVDoc& doc, int item, int attribute) {
  return TestBit(doc.GetItemAttributeBits(item), attribute);
}

inline std::vector<std::string> AttributeNames(const CZAVDoc& doc, int menu) {
  std::vector<std::string> names;
  for (WORD a : doc.GetMenu(menu).children) names.push_back(doc.GetAttribute(a).name);
  return names;
}

inline void Lock(CZAVDoc& doc) { doc.m_header.lockWord = 0; }
