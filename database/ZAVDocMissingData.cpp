// The data behind "Allow Missing Data": which menus each item has data for
// (the menu-data matrix, one row per menu, one bit per item) and each item's
// lenient row (has the attribute, or has no data for its menu).
#include <algorithm>

#include "database/EngineViews.h"
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

}  // namespace

void CZAVDoc::UpdateMissingDataBits() {
  if (!m_missingData || g_rebuildingMissingData) return;
  RebuildGuard guard;
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  CBitMatrix menuLayout(ItemCount(), MenuCount());
  menuLayout.BuildBlocks(m_menuDataBlocks);
  for (auto& docItem : m_docItems)
    if (docItem) docItem->attributeBits = CBitArray(AttributeCount());
  BuildMenuDataBits();
  FillMissingDataAttributeBits();
  engine_views::RepaintTreeControl(*this);
}

void CZAVDoc::BuildMenuDataBits() {
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  const std::vector<MenuSegment> segments = BuildSegments(*this);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  const CBitMatrix menuLayout(ItemCount(), MenuCount());
  for (int i = 0; i < ItemCount(); ++i) {
    const DWORD* row = rows.GetRowWordsIn(i, m_dataBlocks);
    if (!row || !IsUsed(*this, i)) continue;
    for (const MenuSegment& s : segments) {
      if (!(row[s.word] & s.mask)) continue;
      if (DWORD* menuRow = menuLayout.GetRowWordsIn(s.menu, m_menuDataBlocks)) ::SetBit(menuRow, static_cast<WORD>(i));
    }
  }
}

void CZAVDoc::FillMissingDataAttributeBits() {
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  const std::vector<MenuSegment> segments = BuildSegments(*this);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  const CBitMatrix menuLayout(ItemCount(), MenuCount());
  for (int i = 0; i < ItemCount() && i < static_cast<int>(m_docItems.size()); ++i) {
    const DWORD* row = rows.GetRowWordsIn(i, m_dataBlocks);
    if (!row || !m_docItems[i] || !IsUsed(*this, i)) continue;
    std::vector<DWORD>& lenient = m_docItems[i]->attributeBits.words();
    lenient.resize(std::max<std::size_t>(lenient.size(), rows.wordsPerRow()), 0);
    std::copy(row, row + rows.wordsPerRow(), lenient.begin());
    for (const MenuSegment& s : segments) {
      const DWORD* menuRow = menuLayout.GetRowWordsIn(s.menu, m_menuDataBlocks);
      if (!menuRow || !::TestBit(menuRow, static_cast<WORD>(i))) lenient[s.word] |= s.mask;
    }
  }
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
