#include "editors/ItemAttributeEditor.h"

#include <algorithm>

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"
#include "editors/MarkAllInList.h"

ItemAttributeEditor::ItemAttributeEditor(CZAVDoc& doc, int item, int listRow) : SteppingItemEditor(doc, item, listRow) {
  if (doc.AttributeCount() > 0 && doc.ItemCount() > 0)
    m_words = CBitMatrix(doc.AttributeCount(), doc.ItemCount()).wordsPerRow();
  Load();
}

const DWORD* ItemAttributeEditor::ItemRow() const {
  return m_words > 0 ? Document().GetItemAttributeBits(Item()) : nullptr;
}

void ItemAttributeEditor::LoadItem() {
  const DWORD* row = ItemRow();
  if (row)
    m_working.assign(row, row + m_words);
  else
    m_working.assign(static_cast<std::size_t>(m_words), 0u);
}

std::string ItemAttributeEditor::Caption() const {
  const CZAVDoc& doc = Document();
  const std::string level = doc.m_header.scientificNamesEnabled ? doc.GetSpeciesLabel() : doc.GetCommonLabel();
  return level + " Attribute Data Editor:  " + ItemName();
}

bool ItemAttributeEditor::IsChecked(int attribute) const {
  return IsValidIndex(attribute, Document().AttributeCount()) && !m_working.empty() &&
         TestBit(m_working.data(), static_cast<WORD>(attribute));
}

void ItemAttributeEditor::SetChecked(int attribute, bool on) {
  if (!IsValidIndex(attribute, Document().AttributeCount()) || m_working.empty()) return;
  on ? SetBit(m_working.data(), static_cast<WORD>(attribute))
     : ClearBit(m_working.data(), static_cast<WORD>(attribute));
}

bool ItemAttributeEditor::IsModified() const {
  const DWORD* row = ItemRow();
  return row && !std::equal(m_working.begin(), m_working.end(), row);
}

void ItemAttributeEditor::Store() {
  CZAVDoc& doc = Document();
  DWORD* row = m_words > 0 ? doc.GetItemAttributeBits(Item()) : nullptr;
  if (!row) return;
  std::copy(m_working.begin(), m_working.end(), row);
  doc.UpdateMissingDataBitsOfItem(Item());
  doc.SetModifiedFlag();
  doc.RequestRecount();
}

std::string ItemAttributeEditor::SaveQuestion() const { return "Save changes to " + ItemName() + "?"; }

bool ItemAttributeEditor::MarkAll(int attribute, bool set) {
  if (!AskAndMarkAllInList(Document(), attribute, set)) return false;
  SetChecked(attribute, set);
  return true;
}
