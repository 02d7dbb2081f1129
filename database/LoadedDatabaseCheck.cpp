#include "database/LoadedDatabaseCheck.h"

#include <string>
#include <vector>

#include "database/Archive.h"
#include "database/BitMatrix.h"
#include "database/MenuDepth.h"
#include "database/ZAVDoc.h"

namespace {

std::string Range(std::size_t size, const char* none) {
  return std::string(none) + " or an index below " + std::to_string(size);
}

void CheckIndex(CArchive& ar, const char* field, std::int64_t index, std::size_t size) {
  if (index != -1 && (index < 0 || static_cast<std::size_t>(index) >= size))
    ar.Fail(field, Range(size, "-1"), std::to_string(index));
}

void CheckWordIndex(CArchive& ar, const char* field, WORD index, std::size_t size) {
  if (index != kNoIndex16 && index >= size) ar.Fail(field, Range(size, "65535"), std::to_string(index));
}

void CheckItems(CZAVDoc& doc, CArchive& ar) {
  for (std::size_t i = 0; i < doc.m_items.size(); ++i) {
    const CQItemrec& item = *doc.m_items[i];
    ar.SetContext("items", static_cast<std::int64_t>(i));
    CheckIndex(ar, "name index", item.nameIndex, doc.m_itemNames.size());
    CheckIndex(ar, "species index", item.speciesIndex, doc.m_speciesNames.size());
    CheckIndex(ar, "genus index", item.genusIndex, doc.m_genusNames.size());
    CheckIndex(ar, "family index", item.familyIndex, doc.m_familyNames.size());
  }
  const auto checkNames = [&](const char* array, const std::vector<std::unique_ptr<CQItemname>>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      ar.SetContext(array, static_cast<std::int64_t>(i));
      CheckIndex(ar, "item index", names[i]->itemIndex, doc.m_items.size());
    }
  };
  checkNames("item names", doc.m_itemNames);
  checkNames("species names", doc.m_speciesNames);
}

void CheckMenuRecords(CZAVDoc& doc, CArchive& ar) {
  const std::size_t menus = doc.m_menus.size();
  for (std::size_t i = 0; i < doc.m_attributes.size(); ++i) {
    ar.SetContext("attributes", static_cast<std::int64_t>(i));
    CheckWordIndex(ar, "menu index", doc.m_attributes[i]->menuIndex, menus);
  }
  for (std::size_t m = 0; m < menus; ++m) {
    const CQMenudata& menu = *doc.m_menus[m];
    ar.SetContext("menus", static_cast<std::int64_t>(m));
    if (menu.kind > MENU_OF_ATTRIBUTES) ar.Fail("kind", "0, 1 or 2", std::to_string(menu.kind));
    CheckWordIndex(ar, "parent", menu.parent, menus);
    const std::size_t childArray = menu.kind == MENU_OF_ATTRIBUTES ? doc.m_attributes.size() : menus;
    for (WORD child : menu.children)
      if (child >= childArray)
        ar.Fail("children", "indices below " + std::to_string(childArray), std::to_string(child));
  }
}

// Parent links must end at a menu without parent.
void CheckParentChains(CZAVDoc& doc, CArchive& ar) {
  enum : BYTE { kUnseen, kOnPath, kDone };
  std::vector<BYTE> state(doc.m_menus.size(), kUnseen);
  std::vector<WORD> path;
  for (std::size_t start = 0; start < state.size(); ++start) {
    WORD m = static_cast<WORD>(start);
    while (m != kNoIndex16 && state[m] == kUnseen) {
      state[m] = kOnPath;
      path.push_back(m);
      m = doc.m_menus[m]->parent;
    }
    if (m != kNoIndex16 && state[m] == kOnPath) {
      ar.SetContext("menus", m);
      ar.Fail("parent", "a chain of parents that ends at the root", "a cycle");
    }
    for (WORD p : path) state[p] = kDone;
    path.clear();
  }
}

// A menu of menus must not contain itself, however deep.
void CheckChildCycles(CZAVDoc& doc, CArchive& ar) {
  enum : BYTE { kUnseen, kOpen, kDone };
  std::vector<BYTE> state(doc.m_menus.size(), kUnseen);
  struct Frame {
    WORD menu;
    std::size_t next;
  };
  std::vector<Frame> stack;
  for (std::size_t root = 0; root < state.size(); ++root) {
    if (state[root] != kUnseen) continue;
    stack.push_back({static_cast<WORD>(root), 0});
    state[root] = kOpen;
    while (!stack.empty()) {
      Frame& top = stack.back();
      const CQMenudata& menu = *doc.m_menus[top.menu];
      if (menu.kind != MENU_OF_MENUS || top.next >= menu.children.size()) {
        state[top.menu] = kDone;
        stack.pop_back();
        continue;
      }
      const WORD child = menu.children[top.next++];
      if (state[child] == kOpen) {
        ar.SetContext("menus", top.menu);
        ar.Fail("children", "a menu tree without cycles", "menu " + std::to_string(child) + " inside itself");
      }
      if (state[child] == kUnseen) {
        state[child] = kOpen;
        stack.push_back({child, 0});
      }
    }
  }
}

// Each menu and attribute is listed once, by the menu its record names (a
// free slot by any one menu): a tree where one is listed twice, or by a
// stranger, passes the checks above yet makes every walk over the children
// visit it again and again (a chain of menus listing the next one twice
// doubles at every level).
void CheckChildListing(CZAVDoc& doc, CArchive& ar) {
  std::vector<bool> menuListed(doc.m_menus.size(), false);
  std::vector<bool> attributeListed(doc.m_attributes.size(), false);
  for (std::size_t m = 0; m < doc.m_menus.size(); ++m) {
    const CQMenudata& menu = *doc.m_menus[m];
    const bool ofAttributes = menu.kind == MENU_OF_ATTRIBUTES;
    std::vector<bool>& listed = ofAttributes ? attributeListed : menuListed;
    ar.SetContext("menus", static_cast<std::int64_t>(m));
    for (WORD child : menu.children) {
      const WORD owner = ofAttributes ? doc.m_attributes[child]->menuIndex : doc.m_menus[child]->parent;
      const std::string what = (ofAttributes ? "attribute " : "menu ") + std::to_string(child);
      // A free slot left in a list names no menu; no walk goes below it.
      const bool freeSlot = ofAttributes ? owner == kNoIndex16 : doc.m_menus[child]->kind == MENU_FREE;
      if (owner != m && !freeSlot)
        ar.Fail("children", "only entries whose record names this menu", what + " of menu " + std::to_string(owner));
      if (listed[child]) ar.Fail("children", "each entry listed once", what + " listed again");
      listed[child] = true;
    }
  }
}

// Refuses a tree deeper than any key needs, by the chains of parents (free
// of loops by now), each menu's depth worked out once.
void CheckMenuDepth(CZAVDoc& doc, CArchive& ar) {
  constexpr int kUnknown = -1;
  std::vector<int> above(doc.m_menus.size(), kUnknown);
  std::vector<WORD> path;
  for (std::size_t start = 0; start < above.size(); ++start) {
    WORD m = static_cast<WORD>(start);
    while (m != kNoIndex16 && above[m] == kUnknown) {
      path.push_back(m);
      m = doc.m_menus[m]->parent;
    }
    int depth = m == kNoIndex16 ? -1 : above[m];
    for (; !path.empty(); path.pop_back()) {
      above[path.back()] = ++depth;
      if (depth <= kMaxMenuDepth) continue;
      ar.SetContext("menus", path.back());
      ar.Fail("parent", "at most " + std::to_string(kMaxMenuDepth) + " menus above a menu", std::to_string(depth));
    }
  }
}

void ClearBitsPastLastAttribute(CZAVDoc& doc, const CBitMatrix& layout) {
  const DWORD spare = layout.columns() % 32;
  if (spare == 0) return;
  const DWORD mask = (DWORD{1} << spare) - 1;
  for (CQDatablock& block : doc.m_dataBlocks)
    for (std::size_t w = layout.wordsPerRow() - 1; w < block.words.size(); w += layout.wordsPerRow())
      block.words[w] &= mask;
}

void CheckDataBlocks(CZAVDoc& doc, CArchive& ar) {
  if (doc.m_attributes.empty() || doc.m_items.empty()) {
    doc.m_dataBlocks.clear();  // nothing can address them
    doc.InvalidateCountBasis();
    return;
  }
  // Block numbers are 16-bit, which bounds the items a layout can hold.
  const std::size_t rowsPerBlock = kBlockWords / ((doc.m_attributes.size() + 31) / 32);
  ar.SetContext("items");
  if ((doc.m_items.size() + rowsPerBlock - 1) / rowsPerBlock > 0xFFFF)
    ar.Fail("count", "at most " + std::to_string(rowsPerBlock * 0xFFFF) + " items for this attribute count",
            std::to_string(doc.m_items.size()));
  const CBitMatrix layout(static_cast<DWORD>(doc.m_attributes.size()), static_cast<DWORD>(doc.m_items.size()));
  ar.SetContext("data blocks");
  if (doc.m_dataBlocks.size() != layout.blockCount())
    ar.Fail("count",
            std::to_string(layout.blockCount()) + " blocks for " + std::to_string(doc.m_attributes.size()) +
                " attributes and " + std::to_string(doc.m_items.size()) + " items",
            std::to_string(doc.m_dataBlocks.size()));
  for (WORD b = 0; b < layout.blockCount(); ++b) {
    const std::size_t expected = std::size_t{layout.wordsPerRow()} * layout.blockRows(b);
    ar.SetContext("data blocks", b);
    if (doc.m_dataBlocks[b].words.size() != expected)
      ar.Fail("words", std::to_string(expected), std::to_string(doc.m_dataBlocks[b].words.size()));
  }
  ClearBitsPastLastAttribute(doc, layout);
}

}  // namespace

void CheckLoadedDatabase(CZAVDoc& loaded, CArchive& ar) {
  CheckItems(loaded, ar);
  CheckMenuRecords(loaded, ar);
  CheckParentChains(loaded, ar);
  CheckChildCycles(loaded, ar);
  CheckChildListing(loaded, ar);
  CheckMenuDepth(loaded, ar);
  CheckDataBlocks(loaded, ar);
  ar.SetContext(nullptr);
}
