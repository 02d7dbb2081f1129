// The menu-data words of 32 consecutive items at a time: for each menu,
// which of the items have one of its attributes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/MenuRunPlan.h"
#include "database/Records.h"

class MenuDataGroup {
 public:
  static constexpr int kItems = 32;

  explicit MenuDataGroup(const MenuRunPlan& plan);

  // rows[i] is the row of the group's item i (plan.Words() words), null for
  // an item that has no data (a free slot, a missing row, past the last
  // item). Writes the plan's Menus() menu words: word m has bit i set when
  // item i has an attribute of menu m.
  void Build(const DWORD* const rows[kItems], DWORD* menuWords);

 private:
  void AddMenuWords(const DWORD* const rows[kItems], DWORD* menuWords);
  void AddPickedMenuWords(const DWORD* const rows[kItems], DWORD* menuWords);

  const MenuRunPlan& m_plan;
  std::size_t m_stride;                 // words per row of m_has, whole blocks of picks
  std::vector<DWORD> m_has;             // per item, per row word: the highest bit of each run that has a set bit
  std::vector<std::uint64_t> m_picked;  // per pick word, per item: its picked run tops
  std::vector<DWORD> m_slotWords;       // per pick slot: its bits of the group's items
  std::vector<DWORD> m_zeroRow;         // read for an item without data
};
