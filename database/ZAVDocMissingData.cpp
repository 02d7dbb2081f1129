// The data behind "Allow Missing Data": which menus each item has data for
// (the menu-data matrix, one row per menu, one bit per item) and each item's
// lenient row (has the attribute, or has no data for its menu).
#include <algorithm>

#include "database/EngineViews.h"
#include "database/MenuDataGroup.h"
#include "database/ParallelFor.h"
#include "database/ZAVDoc.h"

namespace {

// A rebuild repaints the tree, which may ask for another rebuild.
bool g_rebuildingMissingData = false;

struct RebuildGuard {
  RebuildGuard() { g_rebuildingMissingData = true; }
  ~RebuildGuard() { g_rebuildingMissingData = false; }
};

bool IsUsed(const CZAVDoc& doc, int item) { return !doc.GetItem(item).IsFreeSlot(); }

// The menu of every bit of a row, MenuCount() for a bit without a valid menu.
std::vector<DWORD> MenuOfBits(const CZAVDoc& doc, std::size_t wordsPerRow) {
  const auto none = static_cast<DWORD>(doc.MenuCount());
  std::vector<DWORD> menuOf(wordsPerRow * MenuDataGroup::kItems, none);
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    const WORD menu = doc.GetAttribute(a).menuIndex;
    if (menu < doc.MenuCount()) menuOf[a] = menu;
  }
  return menuOf;
}

// The first word of every menu's row of the menu-data matrix.
std::vector<DWORD*> MenuRows(CZAVDoc& doc) {
  const CBitMatrix menuLayout(doc.ItemCount(), doc.MenuCount());
  std::vector<DWORD*> rows(doc.MenuCount());
  for (int m = 0; m < doc.MenuCount(); ++m) rows[m] = menuLayout.GetRowWordsIn(m, doc.m_menuDataBlocks);
  return rows;
}

// The menu words of up to 16 consecutive groups, written to each menu's
// row together: a group's words go to as many rows as there are menus, and
// one store to each of them at a time would miss the cache every time.
class MenuWordBatch {
 public:
  static constexpr int kGroups = 16;

  explicit MenuWordBatch(const std::vector<DWORD*>& menuRows)
      : m_menuRows(menuRows), m_words(menuRows.size() * kGroups) {}
  ~MenuWordBatch() { Flush(); }

  void Add(int group, const DWORD* menuWords) {
    if (m_count == kGroups || (m_count > 0 && group != m_first + m_count)) Flush();
    if (m_count == 0) m_first = group;
    std::copy(menuWords, menuWords + m_menuRows.size(), m_words.begin() + m_count * m_menuRows.size());
    ++m_count;
  }

  // The rows' lines are asked for some menus ahead: each is written once in
  // a rebuild, so it is never in the cache when its turn comes.
  void Flush() {
    constexpr std::size_t kAhead = 8;
    const std::size_t menus = m_menuRows.size();
    for (std::size_t m = 0; m < menus; ++m) {
      if (m + kAhead < menus && m_menuRows[m + kAhead]) {
        __builtin_prefetch(m_menuRows[m + kAhead] + m_first, 1);
        __builtin_prefetch(m_menuRows[m + kAhead] + m_first + m_count - 1, 1);
      }
      if (DWORD* row = m_menuRows[m])
        for (int g = 0; g < m_count; ++g) row[m_first + g] = m_words[g * menus + m];
    }
    m_count = 0;
  }

 private:
  const std::vector<DWORD*>& m_menuRows;
  std::vector<DWORD> m_words;  // per group of the batch, per menu
  int m_first = 0, m_count = 0;
};

// The items [first, first + 32) from `walker`, standing at the first: their
// menu-data words and the lenient rows of those with a run-time object.
void RebuildGroup(CZAVDoc& doc, RowWalker& walker, std::size_t wordsPerRow, int first, MenuDataGroup& group,
                  MenuWordBatch& menuWords) {
  const DWORD* rows[MenuDataGroup::kItems] = {};
  DWORD* lenient[MenuDataGroup::kItems] = {};
  const int end = std::min(doc.ItemCount(), first + MenuDataGroup::kItems);
  for (int i = first; i < end; ++i, walker.Next()) {
    if (!IsUsed(doc, i)) continue;
    rows[i - first] = walker.Row();
    if (!rows[i - first] || !IsValidIndex(i, doc.m_docItems.size()) || !doc.m_docItems[i]) continue;
    std::vector<DWORD>& words = doc.m_docItems[i]->attributeBits.words();
    if (words.size() < wordsPerRow) words.resize(wordsPerRow, 0);
    lenient[i - first] = words.data();
  }
  group.Build(rows, lenient);
  menuWords.Add(first / MenuDataGroup::kItems, group.MenuWords());
}

// Whether the blocks have exactly the layout's count and sizes.
bool MenuDataLaidOut(const CBitMatrix& layout, const std::vector<CQDatablock>& blocks) {
  if (blocks.size() != layout.blockCount()) return false;
  for (WORD b = 0; b < layout.blockCount(); ++b)
    if (blocks[b].words.size() != std::size_t{layout.wordsPerRow()} * layout.blockRows(b)) return false;
  return true;
}

// Chunks of whole groups, so that no two threads write one word of the
// menu-data matrix.
constexpr int kItemsPerThread = 2048;

}  // namespace

void CZAVDoc::UpdateMissingDataBits() {
  if (!m_missingData || g_rebuildingMissingData) return;
  RebuildGuard guard;
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  // Every word of the menu-data matrix is written by the rebuild, so blocks
  // laid out for the same counts are kept: new ones would cost a zeroing and
  // a fault per page of fresh memory.
  const CBitMatrix menuLayout(ItemCount(), MenuCount());
  if (!MenuDataLaidOut(menuLayout, m_menuDataBlocks)) menuLayout.BuildBlocks(m_menuDataBlocks);
  const DWORD bits = static_cast<DWORD>((AttributeCount() + 31) / 32 * 32);
  for (auto& docItem : m_docItems)
    if (docItem && docItem->attributeBits.bitCount() != bits) docItem->attributeBits = CBitArray(bits);
  BuildMissingDataRows();
  engine_views::RepaintTreeControl(*this);
}

void CZAVDoc::BuildMissingDataRows() {
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  const CBitMatrix rows(AttributeCount(), ItemCount());
  const std::vector<DWORD> menuOfBit = MenuOfBits(*this, rows.wordsPerRow());
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  ParallelFor(PlanChunks(ItemCount(), kItemsPerThread, MenuDataGroup::kItems), [&](int begin, int end, int) {
    MenuDataGroup group(menuOfBit, rows.wordsPerRow(), MenuCount());
    MenuWordBatch menuWords(menuRows);
    RowWalker walker(rows, m_dataBlocks, begin);
    for (int first = begin; first < end; first += MenuDataGroup::kItems)
      RebuildGroup(*this, walker, rows.wordsPerRow(), first, group, menuWords);
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

// The attribute's menu's bits in each row word they sit in; the attribute's
// own bit alone when it has no menu.
std::vector<std::pair<WORD, DWORD>> MaskOfMenuWords(const CZAVDoc& doc, int attribute) {
  const WORD menu = doc.GetAttribute(attribute).menuIndex;
  std::vector<std::pair<WORD, DWORD>> words;
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    if (a != attribute && (menu >= doc.MenuCount() || doc.GetAttribute(a).menuIndex != menu)) continue;
    const auto word = static_cast<WORD>(a / 32);
    if (words.empty() || words.back().first != word) words.emplace_back(word, 0u);
    words.back().second |= DWORD{1} << (a % 32);
  }
  return words;
}

}  // namespace

// The item's whole group is rebuilt: as cheap as one item, and the same
// code as a full rebuild.
void CZAVDoc::UpdateMissingDataBitsOfItem(int item) {
  if (!m_missingData || g_rebuildingMissingData || !IsValidIndex(item, ItemCount())) return;
  if (AttributeCount() == 0 || MenuCount() == 0) return;
  if (!MissingDataLaidOut(*this)) return UpdateMissingDataBits();
  const CBitMatrix rows(AttributeCount(), ItemCount());
  const std::vector<DWORD> menuOfBit = MenuOfBits(*this, rows.wordsPerRow());
  MenuDataGroup group(menuOfBit, rows.wordsPerRow(), MenuCount());
  const int first = item / MenuDataGroup::kItems * MenuDataGroup::kItems;
  RowWalker walker(rows, m_dataBlocks, first);
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  MenuWordBatch menuWords(menuRows);
  RebuildGroup(*this, walker, rows.wordsPerRow(), first, group, menuWords);
  engine_views::RepaintTreeControl(*this);
}

// Only the attribute's menu can change: its data bit and its attributes in
// every item's lenient row.
void CZAVDoc::UpdateMissingDataBitsOfAttribute(int attribute) {
  if (!m_missingData || g_rebuildingMissingData || !IsValidIndex(attribute, AttributeCount())) return;
  if (ItemCount() == 0 || MenuCount() == 0) return;
  if (!MissingDataLaidOut(*this)) return UpdateMissingDataBits();
  const WORD menu = GetAttribute(attribute).menuIndex;
  const bool hasMenu = IsValidIndex(menu, MenuCount());
  const std::vector<std::pair<WORD, DWORD>> ofMenu = MaskOfMenuWords(*this, attribute);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  DWORD* menuRow = hasMenu ? MenuRows(*this)[menu] : nullptr;
  for (int item = 0; item < ItemCount(); ++item) {
    const DWORD* row = rows.GetRowWordsIn(item, m_dataBlocks);
    if (!row || !IsUsed(*this, item) || !IsValidIndex(item, m_docItems.size()) || !m_docItems[item]) continue;
    bool has = !hasMenu;  // without a menu nothing is filled in
    for (const auto& [word, mask] : ofMenu) has = has || (row[word] & mask) != 0;
    if (hasMenu) SetMenuBit(menuRow, item, has);
    std::vector<DWORD>& lenient = m_docItems[item]->attributeBits.words();
    for (const auto& [word, mask] : ofMenu)
      if (word < lenient.size()) lenient[word] = (lenient[word] & ~mask) | (row[word] & mask) | (has ? 0u : mask);
  }
  engine_views::RepaintTreeControl(*this);
}
