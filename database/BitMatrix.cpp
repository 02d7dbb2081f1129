#include "database/BitMatrix.h"

#include "platform/ErrorBox.h"

CBitMatrix::CBitMatrix(DWORD attributes, DWORD items) { SetSize(attributes, items); }

void CBitMatrix::SetSize(DWORD attributes, DWORD items) {
  const WORD columns = static_cast<WORD>(attributes);
  if (columns == 0) ThrowErrorMessage("Must be at least one attribute.");
  const WORD wordsPerRow = static_cast<WORD>((columns + 31) / 32);
  m_columns = columns;
  if (items == m_rows && wordsPerRow == m_wordsPerRow) return;
  m_wordsPerRow = wordsPerRow;
  m_rows = items;
  m_totalWords = DWORD{wordsPerRow} * items;
  m_rowsPerBlock = static_cast<WORD>(kBlockWords / wordsPerRow);
  m_blockCount = 0;
  m_lastBlockRows = 0;
  if (items == 0 || m_rowsPerBlock == 0) return;
  const DWORD blocks = (items + m_rowsPerBlock - 1) / m_rowsPerBlock;
  m_blockCount = static_cast<WORD>(blocks);
  m_lastBlockRows = static_cast<WORD>(items - (blocks - 1) * m_rowsPerBlock);
}

CBitMatrix::Location CBitMatrix::Locate(DWORD row) const {
  // Every block but the last holds exactly rowsPerBlock rows, so the block
  // is a division; the last block takes whatever lies past it.
  WORD block = m_rowsPerBlock ? static_cast<WORD>(row / m_rowsPerBlock) : 0;
  if (m_blockCount && block >= m_blockCount) block = static_cast<WORD>(m_blockCount - 1);
  const DWORD first = m_blockCount ? firstRow(block) : 0;
  return {block, (row - first) * m_wordsPerRow};
}

DWORD* CBitMatrix::GetRowWordsIn(DWORD row, std::vector<CQDatablock>& blocks) const {
  const Location at = Locate(row);
  if (at.block >= blocks.size()) return nullptr;
  auto& words = blocks[at.block].words;
  if (at.wordOffset + m_wordsPerRow > words.size()) return nullptr;
  return words.data() + at.wordOffset;
}

const DWORD* CBitMatrix::GetRowWordsIn(DWORD row, const std::vector<CQDatablock>& blocks) const {
  return GetRowWordsIn(row, const_cast<std::vector<CQDatablock>&>(blocks));
}

void CBitMatrix::BuildBlocks(std::vector<CQDatablock>& blocks) const {
  if (m_columns == 0 || m_rows == 0 || m_blockCount == 0) return;
  blocks.assign(m_blockCount, CQDatablock{});
  for (WORD b = 0; b < m_blockCount; ++b) blocks[b].words.assign(DWORD{m_wordsPerRow} * blockRows(b), 0);
}

CBitArray::CBitArray(DWORD bits) : m_words((bits + 31) / 32, 0), m_bitCount(((bits + 31) / 32) * 32) {}

void CBitArray::SetBit(DWORD bit) {
  if (bit >= m_bitCount) {
    m_words.resize(bit / 32 + 1, 0);
    m_bitCount = static_cast<DWORD>(m_words.size() * 32);
  }
  m_words[bit / 32] |= (DWORD{1} << (bit % 32));
}
