// Small databases for the merge tests: a root menu of menus over menus of
// attributes, items with both name kinds.
#pragma once

#include <vector>

#include "engine/EngineFixtures.h"

// A builder for one side of a merge, with scientific names switched on.
class MergeSide {
 public:
  MergeSide() {
    b.doc().m_header.scientificNamesEnabled = 1;
    b.AddMenu("Root", -1, MENU_OF_MENUS);
  }
  int Menu(const std::string& title, int parent = 0, BYTE kind = MENU_OF_ATTRIBUTES) {
    return b.AddMenu(title, parent, kind);
  }
  int Attribute(int menu, const std::string& name) { return b.AddAttribute(menu, name); }
  int Item(const std::string& common, const std::string& genus, const std::string& species, const std::string& family,
           std::vector<int> attributes) {
    return b.AddItem(common, genus, species, family, std::move(attributes));
  }
  std::unique_ptr<CZAVDoc> Build() { return b.Build(); }
  CZAVDoc& doc() { return b.doc(); }

  DocBuilder b;
};

// The names of the attributes the item has, in attribute order.
inline std::vector<std::string> AttributeNamesOf(const CZAVDoc& doc, int item) {
  std::vector<std::string> names;
  const DWORD* row = doc.GetItemAttributeBits(item);
  for (int a = 0; row && a < doc.AttributeCount(); ++a)
    if (TestBit(row, static_cast<WORD>(a))) names.push_back(doc.GetAttribute(a).name);
  return names;
}

inline std::vector<std::string> ChildTitles(const CZAVDoc& doc, int menu) {
  std::vector<std::string> titles;
  for (WORD child : doc.GetMenu(menu).children)
    titles.push_back(doc.GetMenu(menu).kind == MENU_OF_MENUS ? doc.GetMenu(child).title : doc.GetAttribute(child).name);
  return titles;
}
