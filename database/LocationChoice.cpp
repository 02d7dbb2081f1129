#include "database/LocationChoice.h"

LocationChoice::LocationChoice(std::string itemText, std::string storedLocation, std::vector<std::string> candidates)
    : m_itemText(std::move(itemText)),
      m_storedLocation(std::move(storedLocation)),
      m_candidates(std::move(candidates)),
      m_selected(m_candidates.empty() ? -1 : 0) {}

void LocationChoice::Select(int row) {
  m_selected = row >= 0 && static_cast<std::size_t>(row) < m_candidates.size() ? row : -1;
}

bool LocationChoice::Accept() {
  if (m_selected < 0) return false;
  m_choice = m_selected;
  return true;
}
