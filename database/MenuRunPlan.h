// How a row divides into runs of one menu's attributes (within each row
// word for the turn of the row words, within each 64-bit lane for the
// picks), worked out once per rebuild of the menu-data bits and read by
// every thread: the masks that find whether a run holds a set bit, and
// where each run's answer is picked out of a row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/CandidateCounts.h"
#include "database/Records.h"
#include "database/RunTopPicks.h"

class MenuRunPlan {
 public:
  // Consecutive bits of one row word with one menu.
  struct Run {
    DWORD word;
    DWORD menu;
    int first, end;
  };
  // Where a menu's answer lands among the picks: bit j of pick word k is
  // slot 64 k + j.
  struct MenuSlot {
    DWORD menu;
    DWORD slot;
  };

  // menuOfBit: the menu of every bit of a row (32 per row word), or `menus`
  // for a bit whose attribute has no valid menu. The kernel is the same
  // choice as the candidate counts': the wide one picks the runs' answers
  // out with the 512-bit instructions, the others turn each row word.
  MenuRunPlan(const std::vector<DWORD>& menuOfBit, std::size_t wordsPerRow, int menus,
              CountKernel kernel = CurrentCountKernel());
  MenuRunPlan(const MenuRunPlan&) = delete;
  MenuRunPlan& operator=(const MenuRunPlan&) = delete;

  std::size_t Words() const { return m_words; }
  // Words of a row padded to whole blocks of picks: what each mask holds.
  std::size_t PaddedWords() const {
    return (m_words + RunTopPicks::kBlockWords - 1) / RunTopPicks::kBlockWords * RunTopPicks::kBlockWords;
  }
  int Menus() const { return m_menus; }
  // Without the bit gather, the runs within each row word, in word order;
  // bits without a menu belong to no run.
  const std::vector<Run>& Runs() const { return m_runs; }
  // With the bit gather, the runs of each 64-bit lane of the row and the
  // carries between lanes that Picks() reads; otherwise the runs of each
  // row word (none goes past its word, and there are no carries).
  const RunTopPicks::RunMasks& Masks() const { return m_masks; }
  // With the bit gather: the highest bit of every lane's run, tagged with
  // its menu, but for a run whose answer is carried on.
  const RunTopPicks& Picks() const { return m_picks; }
  // Each menu's first slot, then every other slot of a menu with several
  // picked runs (spread out, or across lanes beyond one carry).
  const std::vector<MenuSlot>& FirstSlots() const { return m_firstSlots; }
  const std::vector<MenuSlot>& MoreSlots() const { return m_moreSlots; }
  bool Vector() const { return m_vector; }
  bool BitGather() const { return m_bitGather; }

 private:
  void PlanWordRuns(const std::vector<DWORD>& menuOfBit);
  void PlanPicks(const std::vector<DWORD>& menuOfBit);
  void AddMenuSlots();

  std::size_t m_words;
  int m_menus;
  bool m_vector;
  bool m_bitGather;
  std::vector<Run> m_runs;
  RunTopPicks m_picks;
  std::vector<MenuSlot> m_firstSlots, m_moreSlots;
  RunTopPicks::RunMasks m_masks;
};
