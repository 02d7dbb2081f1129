// The rules of the item reference editor: one page text per reference
// title for the item being edited.
#pragma once

#include <string>
#include <vector>

#include "editors/SteppingItemEditor.h"

class ItemReferenceEditor : public SteppingItemEditor {
 public:
  // Refuses a database without reference titles through the error box.
  ItemReferenceEditor(CZAVDoc& doc, int item, int listRow);

  int Count() const { return static_cast<int>(m_texts.size()); }
  const std::string& Title(int k) const;
  const std::string& Text(int k) const { return m_texts.at(k); }
  void SetText(int k, std::string text) { m_texts.at(k) = std::move(text); }

  std::string Caption() const override;
  // A box differs from its page, or holds text beyond the item's pages.
  bool IsModified() const override;
  void Store() override;

 protected:
  void LoadItem() override;
  std::string SaveQuestion() const override;

 private:
  std::vector<std::string> m_texts;
};
