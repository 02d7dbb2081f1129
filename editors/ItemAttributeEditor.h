// The rules of the attribute-data editor: which attributes the item being
// edited has. The form's check boxes show the working bits, a copy of the
// item's row that becomes the row again when stored.
#pragma once

#include <string>
#include <vector>

#include "database/Records.h"
#include "editors/SteppingItemEditor.h"

class ItemAttributeEditor : public SteppingItemEditor {
 public:
  ItemAttributeEditor(CZAVDoc& doc, int item, int listRow);

  bool IsChecked(int attribute) const;
  void SetChecked(int attribute, bool on);

  std::string Caption() const override;
  // Some word of the working bits differs from the item's row.
  bool IsModified() const override;
  // The working bits become the item's row; the data bits follow.
  void Store() override;

  // Mark All (set) or Clear All: asks, then changes the check box and the
  // attribute of every item the list shows as remaining; true on Yes.
  bool MarkAll(int attribute, bool set);

 protected:
  void LoadItem() override;
  std::string SaveQuestion() const override;
  void OnClose() override { ShowListRow(); }

 private:
  const DWORD* ItemRow() const;

  int m_words = 0;
  std::vector<DWORD> m_working;
};
