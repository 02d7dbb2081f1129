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

// The spread bytes of one byte of the same word of four rows.
std::uint64_t Spread4(DWORD a, DWORD b, DWORD c, DWORD d, int shift) {
  return kSpread[(a >> shift) & 0xFF] + kSpread[(b >> shift) & 0xFF] + kSpread[(c >> shift) & 0xFF] +
         kSpread[(d >> shift) & 0xFF];
}

}  // namespace

void CandidateCounter::AddRow(const DWORD* row) {
  m_batch[m_batched++] = row;
  if (m_batched == kBatch) AddBatch();
}

void CandidateCounter::AddBatch() {
  for (int k = m_batched; k < kBatch; ++k) m_batch[k] = m_zeroRow.data();
  if (m_pending + kBatch > 255) Flush();
  const DWORD *r0 = m_batch[0], *r1 = m_batch[1], *r2 = m_batch[2], *r3 = m_batch[3];
  std::uint64_t* acc = m_acc.data();
  for (DWORD w = 0; w < m_words; ++w, acc += 4) {
    const DWORD a = r0[w], b = r1[w], c = r2[w], d = r3[w];
    if (!(a | b | c | d)) continue;
    acc[0] += Spread4(a, b, c, d, 0);
    acc[1] += Spread4(a, b, c, d, 8);
    acc[2] += Spread4(a, b, c, d, 16);
    acc[3] += Spread4(a, b, c, d, 24);
  }
  m_pending += m_batched;
  m_batched = 0;
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
  if (m_batched) AddBatch();
  Flush();
  if (counts.size() < m_flushed.size()) counts.resize(m_flushed.size(), 0);
  for (std::size_t a = 0; a < m_flushed.size(); ++a) counts[a] += m_flushed[a];
}
