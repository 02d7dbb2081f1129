// Genus or family texts placed into their table exactly as PlaceNameText
// places them, in one look-up each instead of a walk over the table: a
// merge adds thousands of items, each with its genus and family.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class NameTextSlots {
 public:
  // The table must change only through Place while this is used.
  explicit NameTextSlots(const std::vector<std::string>& table);

  // The equal slot, else the first empty one isUnused allows, else a new
  // one at the end; the text is put there. Returns the slot.
  int Place(std::vector<std::string>& table, const std::string& text, const std::function<bool(int)>& isUnused);

 private:
  std::unordered_map<std::string, int> m_firstSlot;  // of every text but the empty one
  std::vector<int> m_emptySlots;                     // ascending
};
