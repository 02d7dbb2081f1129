// Keys whose menu tree has a hostile or an extreme shape, built in memory
// from the small database of the archive tests: a chain of menus of menus
// between its root and its attribute menu "Colour" (menu 1).
#pragma once

#include <memory>
#include <vector>

#include "tests/archive/ArchiveTestSupport.h"

// chainMenus menus in a row below the root, each listed `listings` times by
// the one above; Colour hangs below the last, with chainMenus + 1 menus
// above it.
inline std::unique_ptr<CZAVDoc> ChainedMenus(int chainMenus, int listings = 1) {
  auto doc = MakeSmallDatabase(false);
  int above = 0;
  for (int k = 0; k < chainMenus; ++k) {
    const int index = doc->MenuCount();
    auto menu = std::make_unique<CQMenudata>();
    menu->kind = MENU_OF_MENUS;
    menu->parent = static_cast<WORD>(above);
    doc->GetMenu(above).children.assign(listings, static_cast<WORD>(index));
    doc->m_menus.push_back(std::move(menu));
    above = index;
  }
  doc->GetMenu(above).children.assign(listings, 1);
  doc->GetMenu(1).parent = static_cast<WORD>(above);
  return doc;
}
