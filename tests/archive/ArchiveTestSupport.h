// Shared pieces of the archive tests: a small hand-made database, a text
// picture of every stored field for comparisons, and raw byte building.
#pragma once

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "database/Archive.h"
#include "database/ZAVDoc.h"

using Bytes = std::vector<std::uint8_t>;

// Little-endian byte building, independent of the archive writer.
struct ByteBuilder {
  Bytes bytes;
  ByteBuilder& u8(unsigned v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  ByteBuilder& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
  ByteBuilder& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  ByteBuilder& raw(const std::string& s) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
  // A string below 255 bytes: one length byte and the bytes.
  ByteBuilder& shortStr(const std::string& s) { return u8(static_cast<unsigned>(s.size())).raw(s); }
  ByteBuilder& newClass(const std::string& name) {
    return u16(0xFFFF).u16(0).u16(static_cast<unsigned>(name.size())).raw(name);
  }
  ByteBuilder& classRef(unsigned index) { return u16(0x8000 | index); }
};

inline std::string Describe(const CZAVDoc& doc) {
  std::ostringstream o;
  const CQDochdr& h = doc.m_header;
  o << "header " << int(h.commonNamesEnabled) << int(h.scientificNamesEnabled) << int(h.showCommonNames) << ' '
    << h.reservedWord << ' ' << h.reserved[0] << ',' << h.reserved[1] << ',' << h.reserved[2] << ',' << h.reserved[3]
    << " lock " << h.lockWord << " [" << h.title << "][" << h.dbVersion << "][" << h.menuVersion << "]["
    << h.description << "]\n";
  for (const auto& a : doc.m_attributes)
    o << "att " << a->menuIndex << ' ' << int(a->flag) << " [" << a->name << "][" << a->secondText << "]["
      << a->helpText << "][" << a->pictures << "]\n";
  for (const auto& m : doc.m_menus) {
    o << "menu " << int(m->kind) << ' ' << int(m->difficulty) << ' ' << m->parent << " [" << m->title << "]["
      << m->helpText << "][" << m->pictures << "]";
    for (WORD c : m->children) o << ' ' << c;
    o << '\n';
  }
  for (const auto& r : doc.m_referenceTitles) o << "ref [" << r << "]\n";
  for (const auto& n : doc.m_itemNames) o << "name " << n->itemIndex << " [" << n->name << "]\n";
  for (const auto& n : doc.m_speciesNames) o << "species " << n->itemIndex << " [" << n->name << "]\n";
  for (const auto& i : doc.m_items) {
    o << "item " << i->nameIndex << ' ' << i->speciesIndex << ' ' << i->genusIndex << ' ' << i->familyIndex << " ["
      << i->description << "][" << i->pictures << "] pages " << i->referencePages.size();
    for (const auto& p : i->referencePages) o << " [" << p << "]";
    o << '\n';
  }
  for (const auto& g : doc.m_genusNames) o << "genus [" << g << "]\n";
  for (const auto& f : doc.m_familyNames) o << "family [" << f << "]\n";
  for (const auto& b : doc.m_dataBlocks) {
    o << "block";
    for (DWORD w : b.words) o << ' ' << w;
    o << '\n';
  }
  o << "missing " << int(doc.m_missingData) << '\n';
  return o.str();
}

// The stored fields alone, as a test needs them for hostile variants.
inline Bytes StoreFieldsOnly(CZAVDoc& doc) {
  CArchive ar;
  doc.StoreFields(ar);
  return ar.TakeBytes();
}

inline std::unique_ptr<CQItemname> NameEntry(int item, const std::string& name) {
  auto entry = std::make_unique<CQItemname>();
  entry->itemIndex = item;
  entry->name = name;
  return entry;
}

// Two attributes (one a free slot), a root menu over one menu of
// attributes, one reference, two items with both name kinds and their bits.
// With longStrings the texts take every string-length form and one item
// carries 65535 reference pages.
inline std::unique_ptr<CZAVDoc> MakeSmallDatabase(bool longStrings) {
  auto doc = std::make_unique<CZAVDoc>();
  CQDochdr& h = doc->m_header;
  h.commonNamesEnabled = 1;
  h.scientificNamesEnabled = 1;
  h.reservedWord = 7;
  h.reserved[0] = 1;
  h.reserved[2] = 2;
  h.reserved[3] = 3;
  h.lockWord = 0x12345678;
  h.title = "Key";
  h.dbVersion = "1.0";
  h.description = "Desc";
  auto red = std::make_unique<CQAttdata>();
  red->menuIndex = 1;
  red->name = "Red";
  red->helpText = longStrings ? std::string(255, 'h') : "";
  red->pictures = "r.jpg";
  doc->SetAttributeAt(0, std::move(red));
  doc->SetAttributeAt(1, std::make_unique<CQAttdata>());
  auto root = std::make_unique<CQMenudata>();
  root->kind = MENU_OF_MENUS;
  root->title = "Root";
  root->children = {1};
  auto colour = std::make_unique<CQMenudata>();
  colour->kind = MENU_OF_ATTRIBUTES;
  colour->difficulty = 2;
  colour->parent = 0;
  colour->title = "Colour";
  colour->helpText = longStrings ? std::string(300, 'm') : "";
  colour->children = {0};
  doc->m_menus.push_back(std::move(root));
  doc->m_menus.push_back(std::move(colour));
  doc->m_referenceTitles = {"Ref one"};
  doc->m_itemNames.push_back(NameEntry(0, "Apple"));
  doc->m_itemNames.push_back(NameEntry(1, "Banana"));
  doc->m_speciesNames.push_back(NameEntry(0, "one"));
  doc->m_speciesNames.push_back(NameEntry(1, "two"));
  for (int i = 0; i < 2; ++i) {
    auto item = std::make_unique<CQItemrec>();
    item->nameIndex = i;
    item->speciesIndex = i;
    item->genusIndex = i;
    item->familyIndex = 0;
    doc->InsertItem(i, std::move(item));
  }
  doc->GetItem(0).description = longStrings ? std::string(254, 'd') : "First";
  doc->GetItem(0).referencePages = {"p. 5"};
  doc->GetItem(1).description = longStrings ? std::string(65534, 'e') : "";
  if (longStrings) doc->GetItem(1).referencePages.assign(65535, "");
  doc->m_genusNames = {"Alpha", "Beta"};
  doc->m_familyNames = {"Fam"};
  doc->m_dataBlocks.push_back(CQDatablock{{1u, 0u}});
  doc->m_missingData = 1;
  return doc;
}
