// Growth and clearing of the item x attribute bit matrix.
#include "database/ZAVDoc.h"

#include <algorithm>
#include <map>

void CZAVDoc::AddItemRow() {
  InvalidateCountBasis();
  const DWORD n = ItemCount();
  if (n == 0 || m_attributes.empty()) return;
  CBitMatrix before(AttributeCount(), n - 1);
  CBitMatrix after(AttributeCount(), n);
  if (n > 1 && before.blockCount() == after.blockCount() && !m_dataBlocks.empty()) {
    auto& words = m_dataBlocks.back().words;
    words.resize(words.size() + after.wordsPerRow(), 0);
  } else {
    CQDatablock block;
    block.words.assign(after.wordsPerRow(), 0);
    m_dataBlocks.push_back(std::move(block));
  }
  UpdateMissingDataBits();
  SetModifiedFlag();
}

void CZAVDoc::ClearItemBits(int item) {
  if (DWORD* row = GetItemAttributeBits(item)) {
    CBitMatrix layout(AttributeCount(), ItemCount());
    std::fill(row, row + layout.wordsPerRow(), 0u);
  }
  UpdateMissingDataBits();
  SetModifiedFlag();
}

CQAttdata& CZAVDoc::GetOrCreateAttribute(int index) {
  GetOrCreateAttributes({index});
  return GetAttribute(index);
}

void CZAVDoc::GetOrCreateAttributes(const std::vector<int>& indices) {
  const int before = AttributeCount();
  std::vector<int> reused;
  for (int index : indices) {
    if (index >= AttributeCount())
      SetAttributeAt(index, std::make_unique<CQAttdata>());
    else if (!m_addingOnly.active || index < m_addingOnly.reservedFrom)  // reserved columns are clear
      reused.push_back(index);
  }
  if (m_items.empty()) return;
  if (AttributeCount() > before) WidenForNewAttributes(AttributeCount() - before);
  if (!reused.empty()) ClearAttributeColumns(reused);
}

void CZAVDoc::ClearAttributeColumn(int attribute) { ClearAttributeColumns({attribute}); }

void CZAVDoc::ClearAttributeColumns(const std::vector<int>& attributes) {
  if (m_items.empty() || m_attributes.empty()) return;
  // The bits to keep in each word of a row that loses a column, so that
  // every row is visited once however many columns go.
  std::map<WORD, DWORD> masks;
  for (int a : attributes)
    if (a >= 0) masks.try_emplace(static_cast<WORD>(a / 32), ~DWORD{0}).first->second &= ~(DWORD{1} << (a % 32));
  if (masks.empty()) return;
  InvalidateCountBasis();
  const std::vector<std::pair<WORD, DWORD>> keep(masks.begin(), masks.end());
  CBitMatrix layout(AttributeCount(), ItemCount());
  for (WORD b = 0; b < layout.blockCount() && b < m_dataBlocks.size(); ++b) {
    auto& words = m_dataBlocks[b].words;
    for (std::size_t row = 0; row < words.size(); row += layout.wordsPerRow())
      for (auto [word, mask] : keep)
        if (row + word < words.size()) words[row + word] &= mask;
  }
  UpdateMissingDataBits();
  SetModifiedFlag();
}

void CZAVDoc::BeginAddingOnly(int reserveAttributes) {
  const int before = AttributeCount();
  m_addingOnly = {true, 0, 0, before, NameTextSlots(m_genusNames), NameTextSlots(m_familyNames)};
  if (m_items.empty() || m_attributes.empty()) return;
  const int columns = static_cast<int>(CBitMatrix(before, ItemCount()).wordsPerRow()) * 32;
  std::vector<int> unused;
  for (int a = before; a < columns; ++a) unused.push_back(a);
  if (!unused.empty()) ClearAttributeColumns(unused);
  // No slot may reach the 16-bit "none" index: at the limit nothing is
  // reserved, and the attribute that does not fit is refused when added.
  reserveAttributes = std::min(reserveAttributes, kNoIndex16 - before);
  if (reserveAttributes <= 0) return;
  for (int a = before; a < before + reserveAttributes; ++a) SetAttributeAt(a, std::make_unique<CQAttdata>());
  WidenForNewAttributes(reserveAttributes);
}

void CZAVDoc::EndAddingOnly() {
  const int used = std::max(m_addingOnly.reservedFrom, m_addingOnly.attributesFrom);
  const int former = AttributeCount();
  m_addingOnly = {};
  if (used >= former) return;
  m_attributes.resize(used);
  if (m_marks.size() > static_cast<std::size_t>(used)) m_marks.resize(used);
  NarrowRowsFrom(former);
}

void CZAVDoc::NarrowRowsFrom(int formerAttributeCount) {
  const DWORD n = ItemCount();
  if (n == 0 || formerAttributeCount == 0) return;
  if (m_attributes.empty()) {
    m_dataBlocks.clear();
    return;
  }
  const CBitMatrix old(formerAttributeCount, n);
  const CBitMatrix narrowed(AttributeCount(), n);
  if (old.wordsPerRow() == narrowed.wordsPerRow()) return;  // the dropped columns are clear
  std::vector<CQDatablock> blocks;
  narrowed.BuildBlocks(blocks);
  for (DWORD r = 0; r < n; ++r) {
    const DWORD* from = old.GetRowWordsIn(r, m_dataBlocks);
    DWORD* to = narrowed.GetRowWordsIn(r, blocks);
    if (from && to) std::copy(from, from + narrowed.wordsPerRow(), to);
  }
  m_dataBlocks = std::move(blocks);
}

void CZAVDoc::WidenForNewAttribute() { WidenForNewAttributes(1); }

void CZAVDoc::WidenForNewAttributes(int added) {
  const DWORD a = AttributeCount();
  const DWORD n = ItemCount();
  if (n == 0 || a == 0 || added <= 0) return;
  InvalidateCountBasis();
  CBitMatrix widened(a, n);
  if (a <= static_cast<DWORD>(added)) {
    widened.BuildBlocks(m_dataBlocks);
  } else {
    CBitMatrix old(a - added, n);
    if (old.wordsPerRow() == widened.wordsPerRow()) {
      if (m_addingOnly.active) {  // the unused bits are clear already
        UpdateMissingDataBits();
        SetModifiedFlag();
        return;
      }
      std::vector<int> fresh(static_cast<std::size_t>(added));
      for (int i = 0; i < added; ++i) fresh[i] = static_cast<int>(a) - added + i;
      ClearAttributeColumns(fresh);
      return;
    }
    if (m_dataBlocks.size() < widened.blockCount()) m_dataBlocks.resize(widened.blockCount());
    // From the last block down: a row's old block is never after its new one,
    // so every old row is still in place when it is copied.
    for (int b = widened.blockCount() - 1; b >= 0; --b) {
      CQDatablock fresh;
      fresh.words.assign(DWORD{widened.wordsPerRow()} * widened.blockRows(b), 0);
      const DWORD first = widened.firstRow(b);
      for (DWORD r = 0; r < widened.blockRows(b); ++r) {
        const DWORD* from = old.GetRowWordsIn(first + r, m_dataBlocks);
        if (!from) continue;
        std::copy(from, from + old.wordsPerRow(), fresh.words.begin() + DWORD{widened.wordsPerRow()} * r);
      }
      m_dataBlocks[b] = std::move(fresh);
    }
  }
  UpdateMissingDataBits();
  SetModifiedFlag();
}
