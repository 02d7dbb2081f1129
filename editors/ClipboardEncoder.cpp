#include "editors/ClipboardEncoder.h"

#include "database/Archive.h"
#include "database/ZAVDoc.h"
#include "editors/ClipboardBranch.h"

namespace {

// A menu whose children are being written, and how far.
struct OpenMenu {
  int menu;
  std::size_t next = 0;
};

class BranchWriter {
 public:
  explicit BranchWriter(const CZAVDoc& doc) : m_doc(doc), m_written(doc.MenuCount(), false) {}

  std::vector<std::uint8_t> Write(int top) {
    m_ar.WriteWord(kClipboardVersion);
    OpenRecord(top);
    while (!m_open.empty()) WriteNextChild();
    m_ar.WriteDword(CLIP_END);
    return m_ar.TakeBytes();
  }

 private:
  // The tree shows every menu that is not a menu of attributes as a menu of menus.
  static DWORD TagOf(const CQMenudata& menu) {
    return menu.kind == MENU_OF_ATTRIBUTES ? CLIP_MENU_OF_ATTRIBUTES : CLIP_MENU_OF_MENUS;
  }

  void OpenRecord(int menu) {
    m_written[menu] = true;
    const CQMenudata& data = m_doc.GetMenu(menu);
    m_ar.WriteDword(TagOf(data));
    m_ar.WriteByte(data.difficulty);
    WriteTexts(data.title, data.helpText, data.pictures);
    m_ar.WriteDword(CLIP_DOWN);
    m_open.push_back({menu});
  }

  void WriteAttribute(int attribute) {
    const CQAttdata& data = m_doc.GetAttribute(attribute);
    m_ar.WriteDword(CLIP_ATTRIBUTE);
    WriteTexts(data.name, data.helpText, data.pictures);
    m_ar.WriteDword(CLIP_DOWN);
    m_ar.WriteDword(CLIP_UP);
  }

  void WriteTexts(const std::string& text, const std::string& help, const std::string& pictures) {
    m_ar.WriteString(text);
    m_ar.WriteString(help);
    m_ar.WriteString(NormalizePictureList(pictures));
  }

  void WriteNextChild() {
    OpenMenu& open = m_open.back();
    const CQMenudata& data = m_doc.GetMenu(open.menu);
    const bool hasChildren = data.kind == MENU_OF_MENUS || data.kind == MENU_OF_ATTRIBUTES;
    if (!hasChildren || open.next >= data.children.size()) {
      m_ar.WriteDword(CLIP_UP);
      m_open.pop_back();
      return;
    }
    const int child = data.children[open.next++];
    if (data.kind == MENU_OF_ATTRIBUTES) {
      if (child < m_doc.AttributeCount()) WriteAttribute(child);
    } else if (child < m_doc.MenuCount() && !m_written[child]) {
      OpenRecord(child);  // invalidates `open`
    }
  }

  const CZAVDoc& m_doc;
  CArchive m_ar;
  std::vector<bool> m_written;
  std::vector<OpenMenu> m_open;
};

}  // namespace

std::vector<std::uint8_t> EncodeMenuBranch(const CZAVDoc& doc, int menu) {
  if (menu < 0 || menu >= doc.MenuCount()) return {};
  return BranchWriter(doc).Write(menu);
}
