#include "editors/ItemReferenceEditor.h"

#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

namespace {

int CheckedReferenceCount(const CZAVDoc& doc) {
  if (doc.m_referenceTitles.empty()) ThrowErrorMessage("Must be at least one reference title.");
  return static_cast<int>(doc.m_referenceTitles.size());
}

}  // namespace

ItemReferenceEditor::ItemReferenceEditor(CZAVDoc& doc, int item, int listRow)
    : SteppingItemEditor(doc, item, listRow), m_texts(CheckedReferenceCount(doc)) {
  Load();
}

const std::string& ItemReferenceEditor::Title(int k) const { return Document().m_referenceTitles.at(k); }

void ItemReferenceEditor::LoadItem() {
  const std::vector<std::string>* pages =
      IsValidIndex(Item(), Document().ItemCount()) ? &Document().GetItem(Item()).referencePages : nullptr;
  for (std::size_t k = 0; k < m_texts.size(); ++k)
    m_texts[k] = pages && k < pages->size() ? (*pages)[k] : std::string();
}

std::string ItemReferenceEditor::Caption() const {
  const CZAVDoc& doc = Document();
  const std::string level = doc.m_header.scientificNamesEnabled ? doc.GetSpeciesLabel() : CZAVDoc::GetItemsLabel();
  return level + " Reference Editor:  " + ItemName();
}

bool ItemReferenceEditor::IsModified() const {
  if (!IsValidIndex(Item(), Document().ItemCount())) return false;
  const std::vector<std::string>& pages = Document().GetItem(Item()).referencePages;
  for (std::size_t k = 0; k < m_texts.size(); ++k)
    if (k < pages.size() ? m_texts[k] != pages[k] : !m_texts[k].empty()) return true;
  return false;
}

void ItemReferenceEditor::Store() {
  if (!IsValidIndex(Item(), Document().ItemCount())) return;
  Document().GetItem(Item()).referencePages = m_texts;
  Document().SetModifiedFlag();
}

std::string ItemReferenceEditor::SaveQuestion() const { return "Save changes to " + ItemName() + " references?"; }
