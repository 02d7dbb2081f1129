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

// The attributes of one row word that belong to one menu. The walks run
// through lists of these in word or in menu order, carrying an OR along a
// run of entries of one word or one menu in a register; keep is 0 at the
// start of a run and ~0 inside it, so no branch and no read-modify-write of
// memory depends on the data.
struct MenuSegment {
  WORD word;
  WORD menu;
  DWORD mask;
  DWORD keep;
};

// Per row word, its attributes grouped by menu, in word order; attributes
// without a valid menu are left out.
std::vector<MenuSegment> BuildSegments(const CZAVDoc& doc) {
  std::vector<MenuSegment> segments;
  std::size_t wordStart = 0;  // first segment of the current word
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    const WORD menu = doc.GetAttribute(a).menuIndex;
    if (menu == kNoIndex16 || menu >= doc.MenuCount()) continue;
    const auto word = static_cast<WORD>(a / 32);
    if (segments.empty() || segments.back().word != word) wordStart = segments.size();
    auto it = std::find_if(segments.begin() + static_cast<std::ptrdiff_t>(wordStart), segments.end(),
                           [menu](const MenuSegment& s) { return s.menu == menu; });
    if (it == segments.end()) it = segments.insert(segments.end(), {word, menu, 0, 0});
    it->mask |= DWORD{1} << (a % 32);
  }
  return segments;
}

// Marks the start of every run of one key.
template <typename Key>
void MarkRuns(std::vector<MenuSegment>& segments, Key key) {
  for (std::size_t k = 0; k < segments.size(); ++k)
    segments[k].keep = k > 0 && key(segments[k - 1]) == key(segments[k]) ? ~0u : 0u;
}

// Every segment in word order, and those of the menus with attributes in
// more than one word again in menu order.
struct SegmentOrders {
  std::vector<MenuSegment> byWord;
  std::vector<MenuSegment> byMenu;
};

SegmentOrders BuildSegmentOrders(const CZAVDoc& doc) {
  SegmentOrders orders{BuildSegments(doc), {}};
  std::vector<int> segmentsOfMenu(doc.MenuCount(), 0);
  for (const MenuSegment& s : orders.byWord) ++segmentsOfMenu[s.menu];
  for (const MenuSegment& s : orders.byWord)
    if (segmentsOfMenu[s.menu] > 1) orders.byMenu.push_back(s);
  std::stable_sort(orders.byMenu.begin(), orders.byMenu.end(),
                   [](const MenuSegment& x, const MenuSegment& y) { return x.menu < y.menu; });
  MarkRuns(orders.byWord, [](const MenuSegment& s) { return s.word; });
  MarkRuns(orders.byMenu, [](const MenuSegment& s) { return s.menu; });
  return orders;
}

bool IsUsed(const CZAVDoc& doc, int item) { return !doc.GetItem(item).IsFreeSlot(); }

// The first word of every menu's row of the menu-data matrix.
std::vector<DWORD*> MenuRows(CZAVDoc& doc) {
  const CBitMatrix menuLayout(doc.ItemCount(), doc.MenuCount());
  std::vector<DWORD*> rows(doc.MenuCount());
  for (int m = 0; m < doc.MenuCount(); ++m) rows[m] = menuLayout.GetRowWordsIn(m, doc.m_menuDataBlocks);
  return rows;
}

// Sets the item's bit (bit `shift` of its group's words) for every menu in
// the list that it has an attribute of. Each menu is one run of the list,
// so its word is read at the run's start and written at every entry.
void MarkMenusWithData(const DWORD* row, const std::vector<MenuSegment>& byMenu, int shift, DWORD* groupWords) {
  DWORD acc = 0, base = 0;
  for (const MenuSegment& s : byMenu) {
    const DWORD before = groupWords[s.menu];
    base = (base & s.keep) | (before & ~s.keep);
    acc = (acc & s.keep) | DWORD{(row[s.word] & s.mask) != 0};
    groupWords[s.menu] = base | (acc << shift);
  }
}

// The item's row plus every attribute of the menus it has no data for, and
// the item's bit of every menu not marked before (those within one word,
// whose one segment decides).
void FillLenientRow(const DWORD* __restrict row, std::size_t words, const std::vector<MenuSegment>& byWord,
                    int shift, DWORD* __restrict groupWords, std::vector<DWORD>& lenient) {
  if (lenient.size() < words) lenient.resize(words, 0);
  DWORD* __restrict out = lenient.data();
  std::copy(row, row + words, out);
  // Word by word: the row word is read once and its lenient word written
  // once, whatever the number of menus in it.
  const MenuSegment* s = byWord.data();
  const MenuSegment* const end = s + byWord.size();
  while (s != end) {
    const WORD word = s->word;
    const DWORD bits = row[word];
    DWORD fill = 0;
    for (; s != end && s->word == word; ++s) {
      const DWORD before = groupWords[s->menu];
      const DWORD has = DWORD{(bits & s->mask) != 0} | ((before >> shift) & 1u);
      groupWords[s->menu] = before | (has << shift);
      fill |= s->mask & (has - 1u);
    }
    out[word] = bits | fill;
  }
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
  BuildMissingDataRows();
  engine_views::RepaintTreeControl(*this);
}

// One walk through 32 items at a time: one word of every menu's row of the
// matrix is kept in a small local array, so that the scattered menu rows
// are touched once per 32 items and not once per item, and each item's
// row is read while it is in cache for both its menu bits and its lenient
// row.
void CZAVDoc::BuildMissingDataRows() {
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  const SegmentOrders segments = BuildSegmentOrders(*this);
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  const int items = ItemCount(), menus = MenuCount();
  const int docItems = static_cast<int>(m_docItems.size());
  ParallelFor(PlanChunks(items, kItemsPerThread, 32), [&](int begin, int end, int) {
    std::vector<DWORD> groupWords(menus);
    std::vector<DWORD> unkept;  // the lenient row of an item without a run-time object
    RowWalker walker(rows, m_dataBlocks, begin);
    for (int group = begin; group < end; group += 32) {
      std::fill(groupWords.begin(), groupWords.end(), 0u);
      for (int i = group; i < std::min(end, group + 32); ++i, walker.Next()) {
        const DWORD* row = walker.Row();
        if (!row || !IsUsed(*this, i)) continue;
        MarkMenusWithData(row, segments.byMenu, i % 32, groupWords.data());
        std::vector<DWORD>& lenient = i < docItems && m_docItems[i] ? m_docItems[i]->attributeBits.words() : unkept;
        FillLenientRow(row, rows.wordsPerRow(), segments.byWord, i % 32, groupWords.data(), lenient);
      }
      for (int m = 0; m < menus; ++m)
        if (menuRows[m]) menuRows[m][group / 32] |= groupWords[m];
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
  if (!IsValidIndex(item, m_docItems.size()) || !m_docItems[item]) return nullptr;
  const auto& words = m_docItems[item]->attributeBits.words();
  return words.empty() ? nullptr : words.data();
}

namespace {

// Whether the bit sets of the lenient rows still fit the attribute count; a
// partial update is only right on data the last full rebuild laid out.
bool MissingDataLaidOut(const CZAVDoc& doc) {
  if (doc.m_menuDataBlocks.empty()) return false;
  const DWORD bits = static_cast<DWORD>((doc.AttributeCount() + 31) / 32 * 32);
  for (const auto& docItem : doc.m_docItems)
    if (docItem && docItem->attributeBits.bitCount() != bits) return false;
  return true;
}

void SetMenuBit(DWORD* menuRow, int item, bool on) {
  if (!menuRow) return;
  on ? SetBit(menuRow, static_cast<WORD>(item)) : ClearBit(menuRow, static_cast<WORD>(item));
}

}  // namespace

void CZAVDoc::UpdateMissingDataBitsOfItem(int item) {
  if (!m_missingData || g_rebuildingMissingData || !IsValidIndex(item, ItemCount())) return;
  if (AttributeCount() == 0 || MenuCount() == 0) return;
  if (!MissingDataLaidOut(*this)) return UpdateMissingDataBits();
  const DWORD* row = GetItemAttributeBits(item);
  if (!row || !IsValidIndex(item, m_docItems.size()) || !m_docItems[item]) return;
  const SegmentOrders segments = BuildSegmentOrders(*this);
  std::vector<DWORD> menuBits(MenuCount(), 0u);
  MarkMenusWithData(row, segments.byMenu, 0, menuBits.data());
  const CBitMatrix rows(AttributeCount(), ItemCount());
  FillLenientRow(row, rows.wordsPerRow(), segments.byWord, 0, menuBits.data(), m_docItems[item]->attributeBits.words());
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  for (int m = 0; m < MenuCount(); ++m) SetMenuBit(menuRows[m], item, menuBits[m] & 1u);
  engine_views::RepaintTreeControl(*this);
}

// Only the attribute's menu can change: its data bit and its attributes in
// every item's lenient row.
void CZAVDoc::UpdateMissingDataBitsOfAttribute(int attribute) {
  if (!m_missingData || g_rebuildingMissingData || !IsValidIndex(attribute, AttributeCount())) return;
  if (ItemCount() == 0 || MenuCount() == 0) return;
  if (!MissingDataLaidOut(*this)) return UpdateMissingDataBits();
  const WORD menu = GetAttribute(attribute).menuIndex;
  if (!IsValidIndex(menu, MenuCount())) return;
  std::vector<MenuSegment> ofMenu;
  for (const MenuSegment& s : BuildSegments(*this))
    if (s.menu == menu) ofMenu.push_back(s);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  DWORD* menuRow = MenuRows(*this)[menu];
  for (int item = 0; item < ItemCount(); ++item) {
    const DWORD* row = rows.GetRowWordsIn(item, m_dataBlocks);
    if (!row || !IsUsed(*this, item) || !IsValidIndex(item, m_docItems.size()) || !m_docItems[item]) continue;
    bool has = false;
    for (const MenuSegment& s : ofMenu) has = has || (row[s.word] & s.mask) != 0;
    SetMenuBit(menuRow, item, has);
    std::vector<DWORD>& lenient = m_docItems[item]->attributeBits.words();
    for (const MenuSegment& s : ofMenu)
      if (s.word < lenient.size()) lenient[s.word] = (lenient[s.word] & ~s.mask) | (row[s.word] & s.mask) | (has ? 0u : s.mask);
  }
  engine_views::RepaintTreeControl(*this);
}
