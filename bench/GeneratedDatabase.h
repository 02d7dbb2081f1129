// Builds large databases for benchmarks and tests: a root menu of menus over
// menus of attributes, items with both name kinds, genus and family, and
// random attribute bits. The same arguments always give the same database.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"

namespace generated_detail {

inline std::string Numbered(const char* prefix, int n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%06d", prefix, n);
  return buf;
}

inline void AddMenus(CZAVDoc& doc, int attributes, int menus) {
  menus = std::max(menus, 2);
  for (int m = 0; m < menus; ++m) {
    auto menu = std::make_unique<CQMenudata>();
    menu->kind = m == 0 ? MENU_OF_MENUS : MENU_OF_ATTRIBUTES;
    menu->parent = m == 0 ? kNoIndex16 : 0;
    menu->title = m == 0 ? "Root" : Numbered("Menu ", m);
    if (m > 0) doc.m_menus[0]->children.push_back(static_cast<WORD>(m));
    doc.m_menus.push_back(std::move(menu));
  }
  // Consecutive runs of attributes, one run per menu of attributes.
  const int attributeMenus = menus - 1;
  for (int a = 0; a < attributes; ++a) {
    const int menu = 1 + static_cast<int>(static_cast<long long>(a) * attributeMenus / attributes);
    auto record = std::make_unique<CQAttdata>();
    record->menuIndex = static_cast<WORD>(menu);
    record->name = Numbered("Attribute ", a);
    record->helpText = "Help for " + record->name;
    record->pictures = Numbered("att", a) + ".jpg";
    doc.m_menus[menu]->children.push_back(static_cast<WORD>(a));
    doc.SetAttributeAt(a, std::move(record));
  }
}

inline void AddItems(CZAVDoc& doc, int items) {
  for (int i = 0; i < items; ++i) {
    if (i % 10 == 0) doc.m_genusNames.push_back(Numbered("Genus", i / 10));
    if (i % 100 == 0) doc.m_familyNames.push_back(Numbered("Familia", i / 100));
    auto common = std::make_unique<CQItemname>();
    common->itemIndex = i;
    common->name = Numbered("Item ", i);
    doc.m_itemNames.push_back(std::move(common));
    auto species = std::make_unique<CQItemname>();
    species->itemIndex = i;
    species->name = Numbered("sp", i);
    doc.m_speciesNames.push_back(std::move(species));
    auto record = std::make_unique<CQItemrec>();
    record->nameIndex = i;
    record->speciesIndex = i;
    record->genusIndex = i / 10;
    record->familyIndex = i / 100;
    record->description = "Description of " + Numbered("item ", i);
    record->pictures = Numbered("item", i) + ".jpg";
    doc.InsertItem(i, std::move(record));
  }
}

// Sets each bit with the given probability, drawing the gaps between set
// bits so that the cost follows the number of set bits.
inline void AddBits(CZAVDoc& doc, double density, unsigned seed) {
  if (doc.ItemCount() == 0 || doc.AttributeCount() == 0 || density <= 0) return;
  CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  layout.BuildBlocks(doc.m_dataBlocks);
  std::mt19937 rng(seed);
  const bool every = density >= 1.0;
  std::geometric_distribution<long long> gap(std::min(density, 1.0));
  const long long columns = doc.AttributeCount();
  const long long total = columns * doc.ItemCount();
  for (long long at = every ? 0 : gap(rng); at < total; at += every ? 1 : 1 + gap(rng)) {
    DWORD* row = layout.GetRowWordsIn(static_cast<DWORD>(at / columns), doc.m_dataBlocks);
    SetBit(row, static_cast<WORD>(at % columns));
  }
}

}  // namespace generated_detail

inline std::unique_ptr<CZAVDoc> MakeGeneratedDatabase(int items, int attributes, int menus, double density,
                                                      unsigned seed) {
  auto doc = std::make_unique<CZAVDoc>();
  doc->m_header.commonNamesEnabled = 1;
  doc->m_header.scientificNamesEnabled = 1;
  doc->m_header.title = "Generated database";
  doc->m_header.description = "Generated for measurements and tests.";
  doc->m_header.lockWord = CZAVDoc::LockTokenFor(doc->m_header.description);
  generated_detail::AddMenus(*doc, attributes, menus);
  generated_detail::AddItems(*doc, items);
  generated_detail::AddBits(*doc, density, seed);
  return doc;
}
