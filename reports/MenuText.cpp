#include "reports/MenuText.h"

#include <vector>

#include "database/ZAVDoc.h"

const char* MarkName(BYTE mark) {
  static const char* const kNames[] = {"", "YES", "OR", "NO", "NEVER", "ONLY"};
  return mark < 6 ? kNames[mark] : "";
}

std::string MarkSuffix(BYTE mark) {
  const std::string name = MarkName(mark);
  return name.empty() ? std::string() : "&nbsp;&bull;&nbsp;" + name;
}

std::string MenuTitlePath(const CZAVDoc& doc, int menu) {
  std::vector<const std::string*> titles;
  // Bounded by the menu count, so that a parent cycle cannot hang.
  for (int steps = 0; menu >= 0 && menu < doc.MenuCount() && steps < doc.MenuCount(); ++steps) {
    const CQMenudata& data = doc.GetMenu(menu);
    if (data.parent == kNoIndex16) break;
    titles.push_back(&data.title);
    menu = data.parent;
  }
  std::string path;
  for (auto it = titles.rbegin(); it != titles.rend(); ++it) {
    if (it != titles.rbegin()) path += " / ";
    path += **it;
  }
  return path;
}

std::vector<WORD> MenusBelowRoot(const CZAVDoc& doc, bool attributeMenusOnly) {
  std::vector<WORD> tree;
  doc.CollectMenuTree(0, tree);
  std::vector<WORD> menus;
  for (std::size_t k = 1; k < tree.size(); ++k)
    if (!attributeMenusOnly || doc.GetMenu(tree[k]).kind == MENU_OF_ATTRIBUTES) menus.push_back(tree[k]);
  return menus;
}
