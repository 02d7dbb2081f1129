// What the location chooser shows and answers, without its window: the
// record and the stored name, the places found in the caller's order with
// the first one selected, and the row that OK gives (Cancel skips).
#pragma once

#include <optional>
#include <string>
#include <vector>

class LocationChoice {
 public:
  static constexpr const char* kCaption = "Import Select Location";
  static constexpr const char* kPrompt =
      "Image reference for the item is not found at the specified location. Press 'Cancel' to skip import for "
      "the item.\nPlease choose other location from the list and press 'OK':";
  static constexpr const char* kItemLabel = "Item:";
  static constexpr const char* kStoredLocationLabel = "Stored Location:";

  LocationChoice(std::string itemText, std::string storedLocation, std::vector<std::string> candidates);

  const std::string& ItemText() const { return m_itemText; }
  const std::string& StoredLocation() const { return m_storedLocation; }
  const std::vector<std::string>& Candidates() const { return m_candidates; }

  // The selected row, -1 for none; a row outside the list selects none.
  int SelectedRow() const { return m_selected; }
  void Select(int row);

  // OK: false while no row is selected (the chooser then stays open);
  // else the selected row becomes the choice.
  bool Accept();
  // The chosen row after OK; nothing after Cancel or before OK.
  std::optional<int> Choice() const { return m_choice; }

 private:
  std::string m_itemText;
  std::string m_storedLocation;
  std::vector<std::string> m_candidates;
  int m_selected;
  std::optional<int> m_choice;
};
