// The data behind "Allow Missing Data": which menus each item has data for
// (the menu-data matrix, one row per menu, one bit per item) and each item's
// lenient row (has the attribute, or has no data for its menu).
//
// A rebuild makes the menu-data matrix alone. The evaluation makes the
// lenient words it tests from the row itself, so an item's lenient row is
// made from the matrix when it is read: writing every item's at each
// rebuild would cost a copy of the whole attribute matrix that nothing
// reads.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "database/EngineViews.h"
#include "database/MenuDataGroup.h"
#include "database/ParallelFor.h"
#include "database/ProcessorFeatures.h"
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
std::vector<DWORD> MenuOfBits(const CZAVDoc& doc, const std::vector<WORD>& menus, std::size_t wordsPerRow) {
  const auto none = static_cast<DWORD>(doc.MenuCount());
  std::vector<DWORD> menuOf(wordsPerRow * MenuDataGroup::kItems, none);
  for (std::size_t a = 0; a < menus.size(); ++a)
    if (menus[a] != kNoIndex16) menuOf[a] = menus[a];
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

  // Where the group's menu words go.
  DWORD* Next(int group) {
    if (m_count == kGroups || (m_count > 0 && group != m_first + m_count)) Flush();
    if (m_count == 0) m_first = group;
    return m_words.data() + m_count++ * m_menuRows.size();
  }

  // The rows' lines are asked for some menus ahead: each is written once in
  // a rebuild, so it is never in the cache when its turn comes.
  void Flush() {
    constexpr std::size_t kAhead = 24;
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

// The menu words of the items [first, first + 32) from `walker`, standing
// at the first.
void RebuildGroup(const CZAVDoc& doc, RowWalker& walker, int first, MenuDataGroup& group, MenuWordBatch& menuWords) {
  const DWORD* rows[MenuDataGroup::kItems] = {};
  const int end = std::min(doc.ItemCount(), first + MenuDataGroup::kItems);
  // Whether an item is used is in its record, which lies apart from the
  // others: the next group's are asked for while this one is built.
  for (int i = end; i < std::min(doc.ItemCount(), end + MenuDataGroup::kItems); ++i)
    __builtin_prefetch(&doc.GetItem(i));
  for (int i = first; i < end; ++i, walker.Next())
    if (IsUsed(doc, i)) rows[i - first] = walker.Row();
  group.Build(rows, menuWords.Next(first / MenuDataGroup::kItems));
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

// Every change of the data calls this. While missing data is off the
// rebuild is skipped, and the matrix no longer follows the data until the
// next one (the menu analysis makes one when it needs it).
void CZAVDoc::UpdateMissingDataBits() {
  if (g_rebuildingMissingData) return;
  if (!m_missingData) {
    m_menuDataCurrent = false;
    return;
  }
  RebuildGuard guard;
  BuildMissingDataRows();
  engine_views::RepaintTreeControl(*this);
}

bool CZAVDoc::EnsureMenuDataFor(const std::vector<WORD>& menus) {
  if (!MenuDataCurrentFor(menus) && !g_rebuildingMissingData) {
    RebuildGuard guard;
    BuildMissingDataRows();
  }
  return MenuDataCurrentFor(menus);
}

void CZAVDoc::BuildMissingDataRows() {
  m_menuDataCurrent = false;
  if (AttributeCount() == 0 || ItemCount() == 0 || MenuCount() == 0) return;
  // Every word of the menu-data matrix is written by the rebuild, so blocks
  // laid out for the same counts are kept: new ones would cost a zeroing and
  // a fault per page of fresh memory.
  const CBitMatrix menuLayout(ItemCount(), MenuCount());
  if (!MenuDataLaidOut(menuLayout, m_menuDataBlocks)) menuLayout.BuildBlocks(m_menuDataBlocks);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  m_menuDataMenus = MenusOfAttributes();
  const MenuRunPlan plan(MenuOfBits(*this, m_menuDataMenus, rows.wordsPerRow()), rows.wordsPerRow(), MenuCount());
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  ParallelFor(PlanChunks(ItemCount(), kItemsPerThread, MenuDataGroup::kItems), [&](int begin, int end, int) {
    MenuDataGroup group(plan);
    MenuWordBatch menuWords(menuRows);
    RowWalker walker(rows, m_dataBlocks, begin);
    for (int first = begin; first < end; first += MenuDataGroup::kItems)
      RebuildGroup(*this, walker, first, group, menuWords);
  });
  m_menuDataCurrent = true;
}

bool CZAVDoc::HasMenuData(int menu, int item) const {
  if (menu < 0 || item < 0 || menu >= MenuCount() || item >= ItemCount() || m_menuDataBlocks.empty()) return false;
  const CBitMatrix menuLayout(ItemCount(), MenuCount());
  const DWORD* menuRow = menuLayout.GetRowWordsIn(menu, m_menuDataBlocks);
  return menuRow && ::TestBit(menuRow, static_cast<WORD>(item));
}

namespace {

// Whether the menu-data matrix was laid out for the key's present counts: a
// partial update, or a lenient row made from it, is only right on a matrix
// the last full rebuild made.
bool MissingDataLaidOut(const CZAVDoc& doc) {
  return !doc.m_menuDataBlocks.empty() &&
         MenuDataLaidOut(CBitMatrix(doc.ItemCount(), doc.MenuCount()), doc.m_menuDataBlocks);
}

// Whether the item has data for each menu.
std::vector<bool> MenusWithData(const CZAVDoc& doc, int item) {
  std::vector<bool> with(doc.MenuCount());
  for (int m = 0; m < doc.MenuCount(); ++m) with[m] = doc.HasMenuData(m, item);
  return with;
}

}  // namespace

// Made at each read into the item's run-time companion, which holds it:
// the row, and every attribute of a menu the item has no data for (all
// zero for a free slot or a missing row). Null while the menu-data matrix
// does not fit the key.
const DWORD* CZAVDoc::GetLenientRow(int item) const {
  if (!IsValidIndex(item, ItemCount()) || !IsValidIndex(item, m_docItems.size()) || !m_docItems[item]) return nullptr;
  if (AttributeCount() == 0 || MenuCount() == 0 || !MissingDataLaidOut(*this)) return nullptr;
  CBitArray& lenient = m_docItems[item]->attributeBits;
  lenient = CBitArray(static_cast<DWORD>((AttributeCount() + 31) / 32 * 32));
  const DWORD* row = IsUsed(*this, item) ? GetItemAttributeBits(item) : nullptr;
  if (!row) return lenient.words().data();
  std::copy(row, row + lenient.words().size(), lenient.words().begin());
  const std::vector<bool> withData = MenusWithData(*this, item);
  for (int a = 0; a < AttributeCount(); ++a) {
    const WORD menu = GetAttribute(a).menuIndex;
    if (menu < MenuCount() && !withData[menu]) lenient.SetBit(static_cast<DWORD>(a));
  }
  return lenient.words().data();
}

namespace {

void SetMenuBit(DWORD* menuRow, int item, bool on) {
  if (!menuRow) return;
  on ? SetBit(menuRow, static_cast<WORD>(item)) : ClearBit(menuRow, static_cast<WORD>(item));
}

// The menu's bits in each row word they sit in.
std::vector<std::pair<WORD, DWORD>> MaskOfMenuWords(const CZAVDoc& doc, WORD menu) {
  std::vector<std::pair<WORD, DWORD>> words;
  for (int a = 0; a < doc.AttributeCount(); ++a) {
    if (doc.GetAttribute(a).menuIndex != menu) continue;
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
  if (!m_missingData) return UpdateMissingDataBits();
  if (g_rebuildingMissingData || !IsValidIndex(item, ItemCount())) return;
  if (AttributeCount() == 0 || MenuCount() == 0) return;
  if (!MissingDataLaidOut(*this)) return UpdateMissingDataBits();
  const CBitMatrix rows(AttributeCount(), ItemCount());
  const MenuRunPlan plan(MenuOfBits(*this, MenusOfAttributes(), rows.wordsPerRow()), rows.wordsPerRow(), MenuCount());
  MenuDataGroup group(plan);
  const int first = item / MenuDataGroup::kItems * MenuDataGroup::kItems;
  RowWalker walker(rows, m_dataBlocks, first);
  const std::vector<DWORD*> menuRows = MenuRows(*this);
  MenuWordBatch menuWords(menuRows);
  RebuildGroup(*this, walker, first, group, menuWords);
  engine_views::RepaintTreeControl(*this);
}

// Only the data bits of the attribute's menu can change.
void CZAVDoc::UpdateMissingDataBitsOfAttribute(int attribute) {
  if (!m_missingData) return UpdateMissingDataBits();
  if (g_rebuildingMissingData || !IsValidIndex(attribute, AttributeCount())) return;
  if (ItemCount() == 0 || MenuCount() == 0) return;
  if (!MissingDataLaidOut(*this)) return UpdateMissingDataBits();
  const WORD menu = GetAttribute(attribute).menuIndex;
  if (!IsValidIndex(menu, MenuCount())) return;
  const std::vector<std::pair<WORD, DWORD>> ofMenu = MaskOfMenuWords(*this, menu);
  const CBitMatrix rows(AttributeCount(), ItemCount());
  DWORD* menuRow = MenuRows(*this)[menu];
  for (int item = 0; item < ItemCount(); ++item) {
    const DWORD* row = rows.GetRowWordsIn(item, m_dataBlocks);
    if (!row || !IsUsed(*this, item)) continue;
    bool has = false;
    for (const auto& [word, mask] : ofMenu) has = has || (row[word] & mask) != 0;
    SetMenuBit(menuRow, item, has);
  }
  engine_views::RepaintTreeControl(*this);
}

namespace {

// The set bits of row & listed, two words at a time (the rows of the
// menu-data matrix need not start on an 8-byte boundary).
[[gnu::always_inline]] inline DWORD CountListedWith(const DWORD* row, const DWORD* listed, std::size_t words) {
  DWORD n = 0;
  std::size_t w = 0;
  for (; w + 2 <= words; w += 2) {
    std::uint64_t r, l;
    std::memcpy(&r, row + w, sizeof r);
    std::memcpy(&l, listed + w, sizeof l);
    n += static_cast<DWORD>(std::popcount(r & l));
  }
  if (w < words) n += static_cast<DWORD>(std::popcount(row[w] & listed[w]));
  return n;
}

DWORD CountListedPortable(const DWORD* row, const DWORD* listed, std::size_t words) {
  return CountListedWith(row, listed, words);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("popcnt"))) DWORD CountListedPopcnt(const DWORD* row, const DWORD* listed, std::size_t words) {
  return CountListedWith(row, listed, words);
}

DWORD CountListed(const DWORD* row, const DWORD* listed, std::size_t words) {
  return processor_features::HasPopcount() ? CountListedPopcnt(row, listed, words)
                                           : CountListedPortable(row, listed, words);
}
#else
DWORD CountListed(const DWORD* row, const DWORD* listed, std::size_t words) {
  return CountListedPortable(row, listed, words);
}
#endif

constexpr int kMenusPerThread = 128;

}  // namespace

std::vector<WORD> CZAVDoc::MenusOfAttributes() const {
  std::vector<WORD> menus(static_cast<std::size_t>(AttributeCount()), kNoIndex16);
  for (int a = 0; a < AttributeCount(); ++a)
    if (const WORD menu = GetAttribute(a).menuIndex; menu < MenuCount()) menus[a] = menu;
  return menus;
}

bool CZAVDoc::MenuDataCurrentFor(const std::vector<WORD>& menus) const {
  return m_menuDataCurrent && menus == m_menuDataMenus && MissingDataLaidOut(*this);
}

std::vector<DWORD> CZAVDoc::CountItemsWithMenuData(const std::vector<int>& items) const {
  std::vector<DWORD> counts(static_cast<std::size_t>(std::max(0, MenuCount())), 0u);
  if (!m_menuDataCurrent || !MissingDataLaidOut(*this)) return counts;
  const CBitMatrix menuLayout(ItemCount(), MenuCount());
  std::vector<DWORD> listed(menuLayout.wordsPerRow(), 0u);
  for (int i : items)
    if (IsValidIndex(i, ItemCount())) ::SetBit(listed.data(), static_cast<WORD>(i));
  ParallelFor(PlanChunks(MenuCount(), kMenusPerThread, 1), [&](int begin, int end, int) {
    for (int m = begin; m < end; ++m)
      if (const DWORD* row = menuLayout.GetRowWordsIn(m, m_menuDataBlocks))
        counts[m] = CountListed(row, listed.data(), listed.size());
  });
  return counts;
}
