#include "database/MenuDepth.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "database/ZAVDoc.h"

int MenusAbove(const CZAVDoc& doc, int menu) {
  int above = 0;
  for (int steps = 0; menu >= 0 && menu < doc.MenuCount() && steps <= doc.MenuCount(); ++steps) {
    const WORD parent = doc.GetMenu(menu).parent;
    if (parent == kNoIndex16) break;
    ++above;
    menu = parent;
  }
  return above;
}

int BranchLevels(const CZAVDoc& doc, int menu) {
  if (menu < 0 || menu >= doc.MenuCount()) return 0;
  // An explicit stack and each menu once: the branch may be as deep as the
  // document allows, or damaged.
  std::vector<bool> seen(doc.MenuCount(), false);
  std::vector<std::pair<int, int>> stack{{menu, 1}};
  int deepest = 0;
  while (!stack.empty()) {
    const auto [m, level] = stack.back();
    stack.pop_back();
    if (m < 0 || m >= doc.MenuCount() || seen[m]) continue;
    seen[m] = true;
    deepest = std::max(deepest, level);
    const CQMenudata& data = doc.GetMenu(m);
    if (data.kind == MENU_OF_MENUS)
      for (WORD child : data.children) stack.emplace_back(child, level + 1);
  }
  return deepest;
}

bool BranchFitsBelow(const CZAVDoc& doc, int parentMenu, int levels) {
  return MenusAbove(doc, parentMenu) + levels <= kMaxMenuDepth;
}

std::string TooDeepMessage() {
  return "The menu tree can't be deeper than " + std::to_string(kMaxMenuDepth) + " levels.";
}
