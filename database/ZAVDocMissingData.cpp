// The data behind "Allow Missing Data": which menus each item has data for
// (the menu-data matrix, one row per menu, one bit per item) and each item's
// lenient row (has the attribute, or has no data for its menu).
#include <algorithm>
#include <bit>

#include "database/EngineViews.h"
#include "database/ParallelFor.h"
#include "database/ZAVDoc.h"

namespace {

// A rebuild repaints the tree, which may ask for another rebuild.
bool g_rebuildingMissingData = false;

struct RebuildGuard {
  RebuildGuard() { g_rebuildingMissingData = true; }
  ~RebuildGuard() { g_rebuildingMissingData = false; }
};

// The attributes of one row word that belong to one menu.
struct MenuSegment {
  DWORD word;
  WORD menu;
  DWORD mask;
};

// Per row word, its attributes grouped by menu; attributes without a valid
// menu are left out.
std::vector<MenuSegment> BuildSegments(const CZAVDoc& doc) {
  std::vector<MenuSegment> segments;
  std::size_t wordStart = 0;  // first segment of the current word
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    const WORD menu = doc.GetAttribute(a).menuIndex;
    if (menu == kNoIndex16 || menu >= doc.MenuCount()) continue;
    const DWORD word = static_cast<DWORD>(a / 32);
    if (segments.empty() || segments.back().word != word) wordStart = segments.size();
    auto it = std::find_if(segments.begin() + static_cast<std::ptrdiff_t>(wordStart), segments.end(),
                           [menu](const MenuSegment& s) { return s.menu == menu; });
    if (it == segments.end()) it = segments.insert(segments.end(), {word, menu, 0});
    it->mask |= DWORD{1} << (a % 32);
  }
  return segments;
}

bool IsUsed(const CZAVDoc& doc, int item) { return !doc.GetItem(item).IsFreeSlot(); }

// The first word of every menu's row of the menu-data matrix.
std::vector<DWORD*> MenuRows(CZAVDoc& doc) {
  const CBitMatrix menuLayout(doc.ItemCount(), doc.MenuCount());
  std::vector<DWORD*> rows(doc.MenuCount());
  for (int m = 0; m < doc.MenuCount(); ++m) rows[m] = menuLayout.GetRowWordsIn(m, doc.m_menuDataBlocks);
  return rows;
}

// Chunks of whole 32-item words, so that no two threads write one word of
// the menu-data matrix.
constexpr int kItemsPerThread = 2048;

}  // namespace

void CZAVDoc::UpdateMissingDataBits() {
  if (!m_missingData || g_rebuildingMissingData) return;
  RebuildGuard guard;
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  CBitMatrix menuLayout(ItemCount(), MenuCount());
  menuLayout.BuildBlocks(m_menuDataBlocks);
  const DWORD bits = static_cast<DWORD>((AttributeCount() + 31) / 32 * 32);
  for (auto& docItem : m_docItems)
    if (docItem && docItem->attributeBits.bitCount() != bits) docItem->attributeBits = CBitArray(bits);
  BuildMenuDataBits();
  FillMissingDataAttributeBits();
  engine_views::RepaintTreeControl(*this);
}

// Both steps work through 32 items at a time: one word of every menu's row
// of the matrix, kept in a small local array, so that the scattered menu
// rows are touched once per 32 items and not once per item.

void CZAVDoc::BuildMenuDataBits() {
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  std::vector<WORD> menuOf(AttributeCount());
  for (int a = 0; a < AttributeCount(); ++a) {
    const WORD menu = GetAttribute(a).menuIndex;
    menuOf[a] = menu < MenuCount() ? menu : kNoIndex16;  // freed, or no such menu
  }
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  ParallelFor(PlanChunks(ItemCount(), kItemsPerThread, 32), [&](int begin, int end, int) {
    std::vector<DWORD> groupWords(MenuCount());
    for (int group = begin; group < end; group += 32) {
      std::fill(groupWords.begin(), groupWords.end(), 0u);
      for (int i = group; i < std::min(end, group + 32); ++i) {
        const DWORD* row = rows.GetRowWordsIn(i, m_dataBlocks);
        if (!row || !IsUsed(*this, i)) continue;
        for (DWORD w = 0; w < rows.wordsPerRow(); ++w)
          for (DWORD set = row[w]; set; set &= set - 1) {
            const WORD menu = menuOf[w * 32 + static_cast<DWORD>(std::countr_zero(set))];
            if (menu != kNoIndex16) groupWords[menu] |= DWORD{1} << (i % 32);
          }
      }
      for (int m = 0; m < MenuCount(); ++m)
        if (menuRows[m]) menuRows[m][group / 32] |= groupWords[m];
    }
  });
}

void CZAVDoc::FillMissingDataAttributeBits() {
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  const std::vector<MenuSegment> segments = BuildSegments(*this);
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  const int items = std::min<int>(ItemCount(), static_cast<int>(m_docItems.size()));
  ParallelFor(PlanChunks(items, kItemsPerThread, 32), [&](int begin, int end, int) {
    std::vector<DWORD> groupWords(MenuCount());
    for (int i = begin; i < end; ++i) {
      if (i % 32 == 0 || i == begin)
        for (int m = 0; m < MenuCount(); ++m) groupWords[m] = menuRows[m] ? menuRows[m][i / 32] : 0u;
      const DWORD* row = rows.GetRowWordsIn(i, m_dataBlocks);
      if (!row || !m_docItems[i] || !IsUsed(*this, i)) continue;
      std::vector<DWORD>& lenient = m_docItems[i]->attributeBits.words();
      if (lenient.size() < rows.wordsPerRow()) lenient.resize(rows.wordsPerRow(), 0);
      std::copy(row, row + rows.wordsPerRow(), lenient.begin());
      const int shift = i % 32;
      for (const MenuSegment& s : segments)
        lenient[s.word] |= s.mask & ((groupWords[s.menu] >> shift) & 1u ? 0u : ~0u);
    }
  });
}

bool CZAVDoc::HasMenuData(int menu, int item) const {
  if (menu < 0 || item < 0 || menu >= MenuCount() || item >= ItemCount() || m_menuDataBlocks.empty()) return false;
  const CBitMatrix menuLayout(ItemCount(), MenuCount());
  const DWORD* menuRow = menuLayout.GetRowWordsIn(menu, m_menuDataBlocks);
  return menuRow && ::TestBit(menuRow, static_cast<WORD>(item));
}

const DWORD* CZAVDoc::GetLenientRow(int item) const {
  if (item < 0 || item >= static_cast<int>(m_docItems.size()) || !m_docItems[item]) return nullptr;
  const auto& words = m_docItems[item]->attributeBits.words();
  return words.empty() ? nullptr : words.data();
}
