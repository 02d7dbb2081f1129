#include "database/CandidateCounts.h"

#include <array>
#include <cstring>

namespace {

// Byte b spread to 8 lanes: lane k holds bit k of b.
constexpr std::array<std::uint64_t, 256> MakeSpread() {
  std::array<std::uint64_t, 256> table{};
  for (int b = 0; b < 256; ++b)
    for (int k = 0; k < 8; ++k)
      if (b & (1 << k)) table[b] |= std::uint64_t{1} << (8 * k);
  return table;
}
constexpr std::array<std::uint64_t, 256> kSpread = MakeSpread();

}  // namespace

void CandidateCounter::AddRow(const DWORD* row) {
  std::uint64_t* acc = m_acc.data();
  for (DWORD w = 0; w < m_words; ++w, acc += 4) {
    const DWORD bits = row[w];
    if (!bits) continue;
    acc[0] += kSpread[bits & 0xFF];
    acc[1] += kSpread[(bits >> 8) & 0xFF];
    acc[2] += kSpread[(bits >> 16) & 0xFF];
    acc[3] += kSpread[bits >> 24];
  }
  if (++m_pending == 255) Flush();
}

void CandidateCounter::Flush() {
  if (m_flushed.empty()) m_flushed.assign(std::size_t{m_words} * 32, 0);
  for (std::size_t lane = 0; lane < m_acc.size(); ++lane) {
    const std::uint64_t packed = m_acc[lane];
    for (int k = 0; k < 8 && packed; ++k) m_flushed[lane * 8 + k] += (packed >> (8 * k)) & 0xFF;
    m_acc[lane] = 0;
  }
  m_pending = 0;
}

void CandidateCounter::AddTo(std::vector<DWORD>& counts) {
  Flush();
  if (counts.size() < m_flushed.size()) counts.resize(m_flushed.size(), 0);
  for (std::size_t a = 0; a < m_flushed.size(); ++a) counts[a] += m_flushed[a];
}
