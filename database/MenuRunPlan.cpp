#include "database/MenuRunPlan.h"

#include "database/BitBlockTurn.h"
#include "database/ProcessorFeatures.h"

namespace {

// A run of bits [first, end) of one menu within a span of `bits` bits
// starting at bit `from` of the row; bits past the row have no menu.
template <typename Add>
void EachRun(const std::vector<DWORD>& menuOfBit, std::size_t from, int bits, DWORD none, Add add) {
  const auto menuAt = [&](int b) { return from + b < menuOfBit.size() ? menuOfBit[from + b] : none; };
  for (int b = 0; b < bits;) {
    const DWORD menu = menuAt(b);
    const int first = b;
    while (b < bits && menuAt(b) == menu) ++b;
    if (menu != none) add(menu, first, b);
  }
}

void AddRunMasks(RunTopPicks::RunMasks& masks, std::size_t lane, int first, int end) {
  const std::uint64_t top = std::uint64_t{1} << (end - 1);
  const std::uint64_t low = top - (std::uint64_t{1} << first);
  masks.Low()[2 * lane] |= static_cast<DWORD>(low);
  masks.Low()[2 * lane + 1] |= static_cast<DWORD>(low >> 32);
  masks.High()[2 * lane] |= static_cast<DWORD>(top);
  masks.High()[2 * lane + 1] |= static_cast<DWORD>(top >> 32);
}

}  // namespace

MenuRunPlan::MenuRunPlan(const std::vector<DWORD>& menuOfBit, std::size_t wordsPerRow, int menus, CountKernel kernel)
    : m_words(wordsPerRow),
      m_menus(menus),
      m_vector(kernel != CountKernel::Portable && CountKernelAvailable(CountKernel::Vector)),
      m_bitGather(kernel == CountKernel::Wide && CountKernelAvailable(CountKernel::Wide) &&
                  processor_features::HasBitGather() && bit_block_turn::HasInstructions()) {
  m_bitGather ? PlanPicks(menuOfBit) : PlanWordRuns(menuOfBit);
}

// The runs within each row word, for the turn of the row words.
void MenuRunPlan::PlanWordRuns(const std::vector<DWORD>& menuOfBit) {
  const auto none = static_cast<DWORD>(m_menus);
  for (std::size_t w = 0; w < m_words; ++w)
    EachRun(menuOfBit, w * 32, 32, none, [&](DWORD menu, int first, int end) {
      m_runs.push_back({static_cast<DWORD>(w), menu, first, end});
    });
  m_masks = RunTopPicks::RunMasks(PaddedWords());
  for (const Run& run : m_runs) {
    const DWORD top = DWORD{1} << (run.end - 1);
    m_masks.Low()[run.word] |= top - (DWORD{1} << run.first);
    m_masks.High()[run.word] |= top;
  }
}

// The runs within each 64-bit lane, one pick each, but for a menu that goes
// on into the next lane: its run there takes the lower run's answer as a
// carry and is picked alone (a menu spread over several runs still has a
// pick for each other run). Eight picks fit a lane in one pass, so a lane
// of eight or more attributes a menu needs only one.
void MenuRunPlan::PlanPicks(const std::vector<DWORD>& menuOfBit) {
  struct LaneRun {
    DWORD menu;
    int first, end;
  };
  const auto none = static_cast<DWORD>(m_menus);
  const std::size_t lanes = (m_words + 1) / 2;
  std::vector<std::vector<LaneRun>> runsOf(lanes);
  for (std::size_t q = 0; q < lanes; ++q)
    EachRun(menuOfBit, q * 64, 64, none, [&](DWORD menu, int first, int end) {
      runsOf[q].push_back({menu, first, end});
    });
  // Whether lane q's first run takes the carry of lane q - 1's last run.
  std::vector<bool> carried(lanes + 1, false);
  for (std::size_t q = 1; q < lanes; ++q) {
    if (runsOf[q - 1].empty() || runsOf[q].empty()) continue;
    const LaneRun& lower = runsOf[q - 1].back();
    const LaneRun& upper = runsOf[q].front();
    const bool lowerTakesCarry = carried[q - 1] && runsOf[q - 1].size() == 1;
    carried[q] = lower.end == 64 && upper.first == 0 && lower.menu == upper.menu && !lowerTakesCarry;
  }
  std::vector<RunTopPicks::Pick> picks;
  for (std::size_t q = 0; q < lanes; ++q)
    for (std::size_t r = 0; r < runsOf[q].size(); ++r) {
      const LaneRun& run = runsOf[q][r];
      const bool carriedOn = r + 1 == runsOf[q].size() && carried[q + 1];
      if (!carriedOn) picks.push_back({2 * q + (run.end - 1) / 32, (run.end - 1) % 32, run.menu});
    }
  m_picks = RunTopPicks(picks, m_words, none);
  m_masks = RunTopPicks::RunMasks(PaddedWords());
  for (std::size_t q = 0; q < lanes; ++q) {
    for (const LaneRun& run : runsOf[q]) AddRunMasks(m_masks, q, run.first, run.end);
    if (carried[q]) m_masks.CarryIn()[2 * q] = 1u;
  }
  AddMenuSlots();
}

// Where each menu's picks landed.
void MenuRunPlan::AddMenuSlots() {
  std::vector<bool> seen(static_cast<std::size_t>(m_menus), false);
  for (std::size_t k = 0; k < m_picks.Count(); ++k)
    for (int j = 0; j < RunTopPicks::kPicksPerPass; ++j) {
      const DWORD menu = m_picks.TagsOf(k)[j];
      if (menu >= static_cast<DWORD>(m_menus)) continue;  // an empty slot
      const auto slot = static_cast<DWORD>(k * RunTopPicks::kPicksPerPass + j);
      (seen[menu] ? m_moreSlots : m_firstSlots).push_back({menu, slot});
      seen[menu] = true;
    }
}
