// Growth and clearing of the item x attribute bit matrix.
#include "database/ZAVDoc.h"

void CZAVDoc::AddItemRow() {
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
  if (index >= AttributeCount()) {
    SetAttributeAt(index, std::make_unique<CQAttdata>());
    if (!m_items.empty()) WidenForNewAttribute();
  } else if (!m_items.empty()) {
    ClearAttributeColumn(index);
  }
  return GetAttribute(index);
}

void CZAVDoc::ClearAttributeColumn(int attribute) {
  if (m_items.empty() || m_attributes.empty() || attribute < 0) return;
  const WORD word = static_cast<WORD>(attribute / 32);
  const DWORD mask = ~(DWORD{1} << (attribute % 32));
  CBitMatrix layout(AttributeCount(), ItemCount());
  for (WORD b = 0; b < layout.blockCount() && b < m_dataBlocks.size(); ++b) {
    auto& words = m_dataBlocks[b].words;
    for (std::size_t w = word; w < words.size(); w += layout.wordsPerRow()) words[w] &= mask;
  }
  UpdateMissingDataBits();
  SetModifiedFlag();
}

void CZAVDoc::WidenForNewAttribute() {
  const DWORD a = AttributeCount();
  const DWORD n = ItemCount();
  if (n == 0 || a == 0) return;
  CBitMatrix widened(a, n);
  if (a == 1) {
    widened.BuildBlocks(m_dataBlocks);
  } else {
    CBitMatrix old(a - 1, n);
    if (old.wordsPerRow() == widened.wordsPerRow()) {
      ClearAttributeColumn(static_cast<int>(a - 1));
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
