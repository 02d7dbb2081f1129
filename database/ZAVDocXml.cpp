// The XML dump "TEST.qorx": a readable copy of the database in memory,
// written after every load and store. Nothing reads it back. This file
// renders the document's texts; XmlDumpWriter.cpp writes the file.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>

#include "database/BitMatrix.h"
#include "database/WorkerPool.h"
#include "database/XmlDump.h"
#include "database/XmlText.h"
#include "database/ZAVDoc.h"

namespace {

const char* Flag(bool on) { return on ? "true" : "false"; }

}  // namespace

// Texts are rendered as UTF-8 and each piece is then converted on its own:
// every field sits between ASCII format characters, so converting pieces
// gives the same bytes as converting the whole dump at once.
class XmlDumpSnapshot::Writer {
 public:
  Writer(const CZAVDoc& document, XmlDumpSnapshot& snapshot) : m_doc(document), m_snapshot(snapshot) {}

  // The pieces are rendered side by side on the worker pool, each by a
  // writer of its own, and joined in their order; more pieces than workers,
  // so that a worker held up elsewhere holds up little.
  void Fill() {
    std::vector<WORD> attributes;
    ListedAttributes(attributes);
    const int attributePieces = Pieces(attributes.size(), kAttributesPerPiece);
    const int linePieces = Pieces(static_cast<std::size_t>(m_doc.AttributeCount()), kAttributesPerPiece);
    const int itemPieces = Pieces(static_cast<std::size_t>(m_doc.ItemCount()), kItemsPerPiece);
    const ItemSlots slots = PlaceItems(itemPieces);
    std::vector<std::string> head(static_cast<std::size_t>(attributePieces + kHeadPieces));
    std::vector<Piece> lines(static_cast<std::size_t>(linePieces));
    std::vector<Piece> items(static_cast<std::size_t>(itemPieces));
    worker_pool::RunChunks(static_cast<int>(head.size()) + linePieces + itemPieces, [&](int task) {
      Writer writer(m_doc, m_snapshot);
      if (task < attributePieces) {
        const auto [begin, end] = Range(task, attributes.size(), kAttributesPerPiece);
        head[task + 1] = writer.AttributeEntries(attributes, begin, end);
        return;
      }
      task -= attributePieces;
      if (task < kHeadPieces) {
        head[task == 0 ? 0 : attributePieces + task] = writer.HeadPiece(task);
        return;
      }
      task -= kHeadPieces;
      if (task < linePieces) {
        const auto [begin, end] = Range(task, static_cast<std::size_t>(m_doc.AttributeCount()), kAttributesPerPiece);
        writer.AttributeLines(static_cast<int>(begin), static_cast<int>(end), lines[task]);
        return;
      }
      task -= linePieces;
      const auto [begin, end] = Range(task, static_cast<std::size_t>(m_doc.ItemCount()), kItemsPerPiece);
      writer.Items(static_cast<int>(begin), static_cast<int>(end), slots, slots.firstOfPiece[task], items[task]);
    });
    for (const std::string& piece : head) m_snapshot.m_head += piece;
    m_snapshot.m_head += "\t<items>\n";
    m_snapshot.m_attributeCount = static_cast<std::size_t>(m_doc.AttributeCount());
    Join(lines, m_snapshot.m_lines, m_snapshot.m_lineStarts);
    Join(items, m_snapshot.m_itemTexts, m_snapshot.m_itemBounds);
  }

 private:
  // The head's pieces besides its attributes: what comes before them, what
  // comes after them up to the names, and the two kinds of names.
  static constexpr int kHeadPieces = 4;
  static constexpr std::size_t kAttributesPerPiece = 2048;
  static constexpr std::size_t kItemsPerPiece = 1024;

  static int Pieces(std::size_t count, std::size_t perPiece) {
    return static_cast<int>(std::max<std::size_t>(1, (count + perPiece - 1) / perPiece));
  }
  static std::pair<std::size_t, std::size_t> Range(int piece, std::size_t count, std::size_t perPiece) {
    const std::size_t begin = std::min(count, perPiece * static_cast<std::size_t>(piece));
    return {begin, std::min(count, begin + perPiece)};
  }

  // Texts of consecutive entries and where each entry's text ends.
  struct Piece {
    std::string text;
    std::vector<std::size_t> ends;
  };

  static void Join(const std::vector<Piece>& pieces, std::string& text, std::vector<std::size_t>& bounds) {
    std::size_t size = 0, count = 1;
    for (const Piece& piece : pieces) size += piece.text.size(), count += piece.ends.size();
    text.reserve(size);
    bounds.reserve(count);
    bounds.push_back(0);
    for (const Piece& piece : pieces) {
      const std::size_t offset = text.size();
      text += piece.text;
      for (const std::size_t end : piece.ends) bounds.push_back(offset + end);
    }
  }

  // Where each piece's first written item goes among the written items, and
  // room for all their rows, not cleared: every word is written once.
  struct ItemSlots {
    std::vector<std::size_t> firstOfPiece;
    std::optional<CBitMatrix> layout;  // rows exist only with attributes
  };

  ItemSlots PlaceItems(int pieces) {
    ItemSlots slots;
    std::size_t written = 0;
    for (int p = 0; p < pieces; ++p) {
      slots.firstOfPiece.push_back(written);
      const auto [begin, end] = Range(p, static_cast<std::size_t>(m_doc.ItemCount()), kItemsPerPiece);
      for (std::size_t i = begin; i < end; ++i)
        if (!m_doc.GetItem(static_cast<int>(i)).IsFreeSlot()) ++written;
    }
    if (m_doc.AttributeCount() > 0) slots.layout.emplace(m_doc.AttributeCount(), m_doc.ItemCount());
    m_snapshot.m_wordsPerRow = slots.layout ? slots.layout->wordsPerRow() : 0;
    m_snapshot.m_rows = std::make_unique_for_overwrite<DWORD[]>(written * m_snapshot.m_wordsPerRow);
    return slots;
  }

  std::string HeadPiece(int piece) {
    switch (piece) {
      case 0:
        Header();
        m_out += "\t<attributes>\n";
        break;
      case 1:
        m_out += "\t</attributes>\n\t<menus>\n";
        Menus();
        m_out += "\t</menus>\n";
        References();
        break;
      case 2:
        NameEntries("item_names", "item_name", m_doc.m_itemNames);
        break;
      default:
        NameEntries("species_names", "species_name", m_doc.m_speciesNames);
        Strings("genus_names", "\t\t<genus_name name=\"%s\" id=\"%d\" />\n", m_doc.m_genusNames);
        Strings("family_names", "\t\t<family_name name=\"%s\" id=\"%d\"/>\n", m_doc.m_familyNames);
        break;
    }
    return Take();
  }

  // The rendered text since the last call, in the output encoding.
  std::string Take() {
    std::string text = Utf8ToLatin1WithReferences(m_out);
    m_out.clear();
    return text;
  }

  // An item lists attribute a by this line; nothing for an empty name.
  void AttributeLines(int begin, int end, Piece& piece) {
    piece.ends.reserve(static_cast<std::size_t>(end - begin));
    for (int a = begin; a < end; ++a) {
      const std::string name = XmlEscape(m_doc.GetAttribute(a).name);
      if (!name.empty()) Format("\t\t\t<attribute name=\"%s\" id=\"%d\" />\n", {XmlArg::Raw(name), XmlArg(a)});
      AddText(piece);
    }
  }

  // The written items of [begin, end), whose rows go from the written item
  // firstWritten on.
  void Items(int begin, int end, const ItemSlots& slots, std::size_t firstWritten, Piece& piece) {
    const std::size_t words = m_snapshot.m_wordsPerRow;
    DWORD* out = m_snapshot.m_rows.get() + firstWritten * words;
    for (int i = begin; i < end; ++i) {
      const CQItemrec& item = m_doc.GetItem(i);
      if (item.IsFreeSlot()) continue;
      ItemOpening(i, item);
      AddText(piece);
      ItemClosing(item);
      AddText(piece);
      const DWORD* row =
          slots.layout ? slots.layout->GetRowWordsIn(static_cast<DWORD>(i), m_doc.m_dataBlocks) : nullptr;
      if (row)
        std::copy(row, row + words, out);
      else
        std::fill(out, out + words, 0u);
      out += words;
    }
  }

  void AddText(Piece& piece) {
    piece.text += Take();
    piece.ends.push_back(piece.text.size());
  }

  // A format text with %d and %s filled in order; texts are escaped here.
  void Format(const char* format, std::initializer_list<XmlArg> args) { m_out += FormatXml(format, args); }

  void Header() {
    const CQDochdr& h = m_doc.m_header;
    Format("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<QOR version=\"%d\" missing_data=\"%s\">\n",
           {XmlArg(m_doc.m_fileVersion), XmlArg::Raw(Flag(m_doc.m_missingData))});
    Format(
        "\t<header common_names_enabled=\"%s\"\n\tscientific_names_enabled=\"%s\"\n\tshow_common_names=\"%s\"\n"
        "\ttitle=\"%s\"\n\tdb_version=\"%s\"\n\tmenu_version=\"%s\">\n\t<description>%s</description>\n"
        "\t</header>\n",
        {XmlArg::Raw(Flag(h.commonNamesEnabled)), XmlArg::Raw(Flag(h.scientificNamesEnabled)),
         XmlArg::Raw(Flag(h.showCommonNames)), XmlArg(h.title), XmlArg(h.dbVersion), XmlArg(h.menuVersion),
         XmlArg(h.description)});
  }

  // The walks are bounded by the menu count so a cycle in damaged data ends.
  bool IsWalkable(int menu, int depth) const {
    return menu >= 0 && menu < m_doc.MenuCount() && depth <= m_doc.MenuCount() && m_doc.GetMenu(menu).kind != MENU_FREE;
  }

  // The menus below menu in pre-order, each with its depth, on a stack of
  // their own rather than a call per level.
  template <class Visit>
  void WalkMenus(int menu, Visit visit) const {
    std::vector<std::pair<int, int>> open{{menu, 0}};
    while (!open.empty()) {
      const auto [m, depth] = open.back();
      open.pop_back();
      if (!IsWalkable(m, depth)) continue;
      const CQMenudata& data = m_doc.GetMenu(m);
      visit(m, data);
      if (data.kind != MENU_OF_MENUS) continue;
      for (auto child = data.children.rbegin(); child != data.children.rend(); ++child)
        open.emplace_back(*child, depth + 1);
    }
  }

  // The attributes the head lists, in the order of the menu tree.
  void ListedAttributes(std::vector<WORD>& listed) const {
    WalkMenus(0, [&](int, const CQMenudata& data) {
      if (data.kind != MENU_OF_ATTRIBUTES) return;
      for (WORD child : data.children)
        if (child < m_doc.AttributeCount() && m_doc.GetAttribute(child).menuIndex != kNoIndex16)
          listed.push_back(child);
    });
  }

  std::string AttributeEntries(const std::vector<WORD>& listed, std::size_t begin, std::size_t end) {
    for (std::size_t k = begin; k < end; ++k) {
      const CQAttdata& a = m_doc.GetAttribute(listed[k]);
      Format(
          "\t\t<attribute\n\t\t\tparent_menu=\"%d\"\n\t\t\tname=\"%s\"\n\t\t\tid=\"%d\"\n\t\t\timage_name=\"%s\">\n"
          "\t\t\t<help_text>%s</help_text>\n\t\t</attribute>\n",
          {XmlArg(a.menuIndex), XmlArg(a.name), XmlArg(listed[k]), XmlArg(a.pictures), XmlArg(a.helpText)});
    }
    return Take();
  }

  void Menus() {
    WalkMenus(0, [&](int menu, const CQMenudata& m) {
      Format(
          "\t\t<menu\n\t\t\tid=\"%d\"\n\t\t\tdifficulty=\"%d\"\n\t\t\tparent=\"%d\"\n\t\t\ttitle=\"%s\"\n"
          "\t\t\timage_name=\"%s\">\n\t\t\t<help_text>%s</help_text>\n\t\t</menu>\n",
          {XmlArg(menu), XmlArg(m.difficulty), XmlArg(m.parent), XmlArg(m.title), XmlArg(m.pictures),
           XmlArg(m.helpText)});
    });
  }

  void References() {
    m_out += "\t<references>\n";
    for (std::size_t r = 0; r < m_doc.m_referenceTitles.size(); ++r)
      Format("\t\t<reference name=\"%s\" id=\"%d\" />\n", {XmlArg(m_doc.m_referenceTitles[r]), XmlArg(r)});
    m_out += "\t</references>\n";
  }

  void NameEntries(const std::string& group, const std::string& element,
                   const std::vector<std::unique_ptr<CQItemname>>& names) {
    m_out += "\t<" + group + ">\n";
    const std::string format = "\t\t<" + element + " item_index=\"%d\" name=\"%s\" id=\"%d\" />\n";
    for (std::size_t e = 0; e < names.size(); ++e) {
      if (!names[e] || names[e]->itemIndex == -1) continue;
      Format(format.c_str(), {XmlArg(names[e]->itemIndex), XmlArg(names[e]->name), XmlArg(e)});
    }
    m_out += "\t</" + group + ">\n";
  }

  void Strings(const std::string& group, const char* format, const std::vector<std::string>& texts) {
    m_out += "\t<" + group + ">\n";
    for (std::size_t i = 0; i < texts.size(); ++i) Format(format, {XmlArg(texts[i]), XmlArg(i)});
    m_out += "\t</" + group + ">\n";
  }

  void ItemOpening(int i, const CQItemrec& item) {
    Format(
        "\t\t<item id=\"%d\"\n\t\t\tname_index=\"%d\"\n\t\t\tspecies_index=\"%d\"\n\t\t\tgenus_index=\"%d\"\n"
        "\t\t\tfamily_index=\"%d\"\n\t\t\timage_name=\"%s\">\n\t\t\t<description>%s</description>\n",
        {XmlArg(i), XmlArg(item.nameIndex), XmlArg(item.speciesIndex), XmlArg(item.genusIndex),
         XmlArg(item.familyIndex), XmlArg(item.pictures), XmlArg(item.description)});
  }

  // Everything of an item after its attribute lines.
  void ItemClosing(const CQItemrec& item) {
    for (std::size_t r = 0; r < item.referencePages.size(); ++r)
      if (!item.referencePages[r].empty())
        Format("\t\t\t<reference id=\"%d\" page=\"%s\" />\n", {XmlArg(r), XmlArg(item.referencePages[r])});
    m_out += "\t\t</item>\n";
  }

  const CZAVDoc& m_doc;
  XmlDumpSnapshot& m_snapshot;
  std::string m_out;  // UTF-8, not yet converted
};

XmlDumpSnapshot::XmlDumpSnapshot(const CZAVDoc& document) { Writer(document, *this).Fill(); }

std::string CZAVDoc::WriteXml() const {
  std::string text;
  XmlDumpSnapshot(*this).Render(
      [&text](std::string_view piece) {
        text += piece;
        return true;
      },
      std::size_t{16} << 20);
  return text;
}

namespace {

// The current folder now, not when the dump is written.
std::filesystem::path XmlDumpPath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute("TEST.qorx", error);
  return error ? std::filesystem::path("TEST.qorx") : path;
}

}  // namespace

void CZAVDoc::WriteXmlDump() const { StartXmlDump(XmlDumpPath(), std::make_unique<const XmlDumpSnapshot>(*this)); }

void CZAVDoc::WriteXmlDumpOfLoad() { WriteOrHoldXmlDump(m_deferXmlDump); }

void CZAVDoc::WriteXmlDumpOfStore() { WriteOrHoldXmlDump(m_holdXmlDumpOfStore); }

void CZAVDoc::WriteOrHoldXmlDump(bool hold) {
  m_pendingXmlDump.clear();
  if (!hold) {
    WriteXmlDump();
    return;
  }
  m_pendingXmlDump = XmlDumpPath().string();
  m_pendingXmlDumpEvent = NewXmlDumpEvent();
}

void CZAVDoc::WritePendingXmlDump() {
  if (m_pendingXmlDump.empty()) return;
  const std::filesystem::path path = std::exchange(m_pendingXmlDump, {});
  // A later load or save has written its own dump: its snapshot is not taken.
  if (IsXmlDumpSuperseded(path, m_pendingXmlDumpEvent)) return;
  StartXmlDump(path, std::make_unique<const XmlDumpSnapshot>(*this), m_pendingXmlDumpEvent);
}
