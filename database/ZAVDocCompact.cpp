// Compaction: free item slots leave every per-item array and the bit matrix.
#include <algorithm>
#include <cstdio>

#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/Ui.h"

namespace {

constexpr int kItemDescriptionReport = 7;
constexpr int kEmptyItemPage = -2000;  // the item page that shows no item

using NameArray = std::vector<std::unique_ptr<CQItemname>>;

std::string SizesLine(const char* label, std::size_t items, std::size_t names, std::size_t species) {
  char line[160];
  std::snprintf(line, sizeof line, "%s items: %zu\t\t%s names: %zu\t\t%s species: %zu\n", label, items, label, names,
                label, species);
  return line;
}

// Moves the entry the item links to into the new array when the entry links
// back to the item; an entry shared with another item is taken only once.
void TakeNameEntry(NameArray& oldNames, NameArray& newNames, std::int32_t& index, int oldItem, int newItem) {
  if (index == -1) return;
  const bool valid = IsValidIndex(index, oldNames.size()) && oldNames[index] && oldNames[index]->itemIndex == oldItem;
  if (!valid) {
    index = -1;
    return;
  }
  oldNames[index]->itemIndex = newItem;
  newNames.push_back(std::move(oldNames[index]));
  index = static_cast<std::int32_t>(newNames.size() - 1);
}

// Old item index -> new index, -1 for a dropped slot.
int Remap(const std::vector<int>& newIndexOf, int item) {
  return IsValidIndex(item, newIndexOf.size()) ? newIndexOf[item] : -1;
}

}  // namespace

void CZAVDoc::CompactItems() {
  const int used = static_cast<int>(
      std::count_if(m_items.begin(), m_items.end(), [](const auto& item) { return !item->IsFreeSlot(); }));
  if (used == ItemCount()) return;
  platform::Ui().Trace(SizesLine("old", m_items.size(), m_itemNames.size(), m_speciesNames.size()));

  std::vector<CQDatablock> newBlocks;
  std::unique_ptr<CBitMatrix> oldLayout, newLayout;
  if (AttributeCount() > 0) {
    oldLayout = std::make_unique<CBitMatrix>(AttributeCount(), ItemCount());
    newLayout = std::make_unique<CBitMatrix>(AttributeCount(), used);
    newLayout->BuildBlocks(newBlocks);
  }
  std::vector<std::unique_ptr<CQItemrec>> newItems;
  std::vector<BYTE> newStates;
  NameArray newNames, newSpecies;
  std::vector<int> newIndexOf(m_items.size(), -1);
  for (int old = 0; old < ItemCount(); ++old) {
    std::unique_ptr<CQItemrec>& record = m_items[old];
    if (record->IsFreeSlot()) continue;
    const int n = static_cast<int>(newItems.size());
    TakeNameEntry(m_itemNames, newNames, record->nameIndex, old, n);
    TakeNameEntry(m_speciesNames, newSpecies, record->speciesIndex, old, n);
    if (static_cast<std::size_t>(old) < m_itemStates.size()) newStates.push_back(m_itemStates[old]);
    if (oldLayout) {
      const DWORD* from = oldLayout->GetRowWordsIn(old, m_dataBlocks);
      DWORD* to = newLayout->GetRowWordsIn(n, newBlocks);
      if (from && to) std::copy(from, from + newLayout->wordsPerRow(), to);
    }
    newItems.push_back(std::move(record));
    newIndexOf[old] = n;
  }
  m_items = std::move(newItems);
  m_itemNames = std::move(newNames);
  m_speciesNames = std::move(newSpecies);
  m_itemStates = std::move(newStates);
  m_dataBlocks = std::move(newBlocks);
  InvalidateCountBasis();
  m_docItems.clear();
  m_mismatchCounts.clear();
  platform::Ui().Trace(SizesLine("new", m_items.size(), m_itemNames.size(), m_speciesNames.size()));

  // Indices kept across the compaction must not point at another item.
  if (m_reportKind == kItemDescriptionReport && m_reportArgument >= 0) {
    const int item = Remap(newIndexOf, m_reportArgument);
    m_reportArgument = item >= 0 ? item : kEmptyItemPage;
  }
  m_announcedItem = Remap(newIndexOf, m_announcedItem);
  m_currentItem = std::max(0, Remap(newIndexOf, m_currentItem));

  BuildAfterLoad();
  if (m_leftView) m_leftView->RefreshTree();
  if (m_itemListView) m_itemListView->FillList();
}
