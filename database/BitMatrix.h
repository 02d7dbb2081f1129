// Addressing of the item x attribute bit matrix (and the item x menu data
// bits): one row of 32-bit words per item, kept in blocks of at most 16000
// words so that no stored array grows large.
#pragma once

#include <cstdint>
#include <vector>

#include "database/Records.h"

inline constexpr DWORD kBlockWords = 16000;

inline void SetBit(DWORD* row, WORD bit) { row[bit / 32] |= (DWORD{1} << (bit % 32)); }
inline void ClearBit(DWORD* row, WORD bit) { row[bit / 32] &= ~(DWORD{1} << (bit % 32)); }
inline bool TestBit(const DWORD* row, WORD bit) { return (row[bit / 32] >> (bit % 32)) & 1u; }

class CBitMatrix {
 public:
  // Refuses 0 attributes through the error box ("Must be at least one attribute.").
  CBitMatrix(DWORD attributes, DWORD items);

  void SetSize(DWORD attributes, DWORD items);

  struct Location {
    WORD block;
    DWORD wordOffset;
  };
  Location Locate(DWORD row) const;

  // Row pointer inside any block array; null when the row's block is missing.
  DWORD* GetRowWordsIn(DWORD row, std::vector<CQDatablock>& blocks) const;
  const DWORD* GetRowWordsIn(DWORD row, const std::vector<CQDatablock>& blocks) const;

  // Sizes the array to the block count, each block zeroed for its rows.
  // Nothing happens without attributes or items.
  void BuildBlocks(std::vector<CQDatablock>& blocks) const;

  DWORD columns() const { return m_columns; }
  DWORD rows() const { return m_rows; }
  WORD wordsPerRow() const { return m_wordsPerRow; }
  DWORD totalWords() const { return m_totalWords; }
  WORD rowsPerBlock() const { return m_rowsPerBlock; }
  WORD blockCount() const { return m_blockCount; }
  // Every block but the last holds exactly rowsPerBlock rows, so a layout
  // is a handful of numbers: rows are located on every access, and building
  // one must cost nothing.
  DWORD firstRow(WORD block) const { return DWORD{block} * m_rowsPerBlock; }
  WORD blockRows(WORD block) const { return block + 1 < m_blockCount ? m_rowsPerBlock : m_lastBlockRows; }

 private:
  DWORD m_columns = 0;
  DWORD m_rows = 0xFFFFFFFFu;  // impossible, so the first SetSize always lays out
  WORD m_wordsPerRow = 0;
  DWORD m_totalWords = 0;
  WORD m_rowsPerBlock = 0;
  WORD m_blockCount = 0;
  WORD m_lastBlockRows = 0;
};

// Steps through consecutive rows of a block array, one row per Next(),
// without a division per row; the rows read as GetRowWordsIn reads them.
class RowWalker {
 public:
  RowWalker(const CBitMatrix& layout, const std::vector<CQDatablock>& blocks, DWORD row)
      : m_layout(layout), m_blocks(blocks) {
    const CBitMatrix::Location at = layout.Locate(row);
    m_block = at.block;
    m_offset = at.wordOffset;
    m_rowsLeft = at.block < layout.blockCount() ? layout.blockRows(at.block) - at.wordOffset / layout.wordsPerRow() : 0;
  }

  // Null when the row's block is missing or too short.
  const DWORD* Row() const {
    if (m_block >= m_blocks.size()) return nullptr;
    const std::vector<DWORD>& words = m_blocks[m_block].words;
    return m_offset + m_layout.wordsPerRow() <= words.size() ? words.data() + m_offset : nullptr;
  }

  void Next() {
    if (m_rowsLeft > 1) {
      --m_rowsLeft;
      m_offset += m_layout.wordsPerRow();
      return;
    }
    ++m_block;
    m_offset = 0;
    m_rowsLeft = m_block < m_layout.blockCount() ? m_layout.blockRows(m_block) : 0;
  }

 private:
  const CBitMatrix& m_layout;
  const std::vector<CQDatablock>& m_blocks;
  WORD m_block = 0;
  DWORD m_offset = 0;
  DWORD m_rowsLeft = 0;
};

// A bit set held in 32-bit words; the bit count is kept rounded up to 32.
class CBitArray {
 public:
  CBitArray() = default;
  explicit CBitArray(DWORD bits);

  void SetBit(DWORD bit);  // grows to cover the bit
  void ClearBit(DWORD bit) {
    if (bit < m_bitCount) m_words[bit / 32] &= ~(DWORD{1} << (bit % 32));
  }
  bool TestBit(DWORD bit) const { return bit < m_bitCount && ((m_words[bit / 32] >> (bit % 32)) & 1u); }
  void RemoveAll() {
    m_words.clear();
    m_bitCount = 0;
  }

  DWORD bitCount() const { return m_bitCount; }
  std::vector<DWORD>& words() { return m_words; }
  const std::vector<DWORD>& words() const { return m_words; }

 private:
  std::vector<DWORD> m_words;
  DWORD m_bitCount = 0;
};

// The run-time companion of one item, rebuilt after every load; never stored.
// Its lenient row is made when it is read (CZAVDoc::GetLenientRow), so
// neither a load nor a rebuild of the missing-data bits allocates per item.
class CZAVDocItem {
 public:
  explicit CZAVDocItem(CQItemrec* item) : item(item) {}

  CBitArray attributeBits;    // the item's lenient row while "Allow Missing Data" is on
  CQItemrec* item = nullptr;  // not owned
};
