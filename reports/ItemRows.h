// Fast access to the items' attribute rows for reports that read many rows:
// the matrix layout is worked out once, not per row.
#pragma once

#include <bit>
#include <optional>

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"

class ItemRows {
 public:
  explicit ItemRows(const CZAVDoc& doc) : m_doc(doc) {
    if (doc.ItemCount() > 0 && doc.AttributeCount() > 0) m_layout.emplace(doc.AttributeCount(), doc.ItemCount());
  }

  bool valid() const { return m_layout.has_value(); }
  int wordsPerRow() const { return m_layout ? m_layout->wordsPerRow() : 0; }

  // Null for an item outside the matrix or a row whose block is missing.
  const DWORD* Row(int item) const {
    if (!m_layout || item < 0 || item >= m_doc.ItemCount()) return nullptr;
    return m_layout->GetRowWordsIn(static_cast<DWORD>(item), m_doc.m_dataBlocks);
  }

  bool Has(const DWORD* row, int attribute) const {
    return row && attribute >= 0 && attribute < m_doc.AttributeCount() && TestBit(row, static_cast<WORD>(attribute));
  }

 private:
  const CZAVDoc& m_doc;
  std::optional<CBitMatrix> m_layout;
};
