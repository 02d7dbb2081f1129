// The fields of the menu editor and the rules of its OK: the checks in the
// order the author meets them, and the store into the document.
#pragma once

#include <string>
#include <vector>

class CZAVDoc;

struct MenuEditorForm {
  // The fields a failed check names (FieldCheckFailed).
  enum Field { kTitleField, kDifficultyField };

  std::string title;
  std::string difficulty = "4";  // typed text; checked as an integer 1 to 4
  std::string helpText;
  std::vector<std::string> pictures;  // one row per picture name

  // The fields of menu `menu`; -1 gives the fields of a new menu.
  static MenuEditorForm Load(const CZAVDoc& doc, int menu);

  // "Menu name is empty.", then the difficulty's integer checks; returns the difficulty.
  int Check() const;

  // Checks, then writes the fields into menu `menu`. A new menu (-1) takes the
  // first free menu slot, of the kind the flag says, hung at the end of the
  // parent's child list; an existing menu keeps its kind and parent.
  // Returns the menu's index.
  int Store(CZAVDoc& doc, int menu, int parent, bool attributeMenu) const;
};
