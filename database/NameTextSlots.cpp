#include "database/NameTextSlots.h"

#include <algorithm>

NameTextSlots::NameTextSlots(const std::vector<std::string>& table) {
  m_firstSlot.reserve(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].empty())
      m_emptySlots.push_back(static_cast<int>(i));
    else
      m_firstSlot.emplace(table[i], static_cast<int>(i));  // keeps the first of equal texts
  }
}

int NameTextSlots::Place(std::vector<std::string>& table, const std::string& text,
                         const std::function<bool(int)>& isUnused) {
  // An empty text equals the first empty slot, used or not.
  if (text.empty()) {
    if (!m_emptySlots.empty()) return m_emptySlots.front();
  } else if (const auto found = m_firstSlot.find(text); found != m_firstSlot.end()) {
    return found->second;
  }
  const auto reusable = std::find_if(m_emptySlots.begin(), m_emptySlots.end(), isUnused);
  int slot = 0;
  if (reusable != m_emptySlots.end()) {
    slot = *reusable;
    table[static_cast<std::size_t>(slot)] = text;
    if (!text.empty()) m_emptySlots.erase(reusable);
  } else {
    slot = static_cast<int>(table.size());
    table.push_back(text);
    if (text.empty()) m_emptySlots.push_back(slot);
  }
  if (!text.empty()) m_firstSlot.emplace(text, slot);
  return slot;
}
