#include "database/MenuRunPlan.h"

#include "database/BitBlockTurn.h"
#include "database/ProcessorFeatures.h"

MenuRunPlan::MenuRunPlan(const std::vector<DWORD>& menuOfBit, std::size_t wordsPerRow, int menus, CountKernel kernel)
    : m_words(wordsPerRow),
      m_menus(menus),
      m_vector(kernel != CountKernel::Portable && CountKernelAvailable(CountKernel::Vector)),
      m_bitGather(kernel == CountKernel::Wide && CountKernelAvailable(CountKernel::Wide) &&
                  processor_features::HasBitGather() && bit_block_turn::HasInstructions()) {
  constexpr int bits = 32;
  std::vector<RunTopPicks::Pick> picks;
  for (std::size_t w = 0; w < m_words; ++w)
    for (int b = 0; b < bits;) {
      const DWORD menu = menuOfBit[w * bits + b];
      const int first = b;
      while (b < bits && menuOfBit[w * bits + b] == menu) ++b;
      if (menu == static_cast<DWORD>(menus)) continue;
      m_runs.push_back({static_cast<DWORD>(w), menu, first, b});
      picks.push_back({w, b - 1, menu});
    }
  // A menu split by a word's end, or spread over several runs, has a pick
  // for each: the menu's answer is the OR of its picks'.
  m_picks = RunTopPicks(picks, m_words, static_cast<DWORD>(m_menus));
  std::vector<bool> seen(static_cast<std::size_t>(m_menus), false);
  for (std::size_t k = 0; k < m_picks.Count(); ++k)
    for (int j = 0; j < RunTopPicks::kPicksPerPass; ++j) {
      const DWORD menu = m_picks.TagsOf(k)[j];
      if (menu >= static_cast<DWORD>(m_menus)) continue;  // an empty slot
      const auto slot = static_cast<DWORD>(k * RunTopPicks::kPicksPerPass + j);
      (seen[menu] ? m_moreSlots : m_firstSlots).push_back({menu, slot});
      seen[menu] = true;
    }
  m_masks = RunTopPicks::RunMasks(m_picks.PaddedWords());
  for (const Run& run : m_runs) {
    const DWORD top = DWORD{1} << (run.end - 1);
    m_masks.Low()[run.word] |= top - (DWORD{1} << run.first);
    m_masks.High()[run.word] |= top;
  }
}
