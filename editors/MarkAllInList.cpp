#include "editors/MarkAllInList.h"

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

std::string MarkAllQuestion(const CZAVDoc& doc, int attribute, bool set) {
  const CQAttdata& record = doc.GetAttribute(attribute);
  const std::string menu = IsValidIndex(record.menuIndex, doc.MenuCount()) ? doc.GetMenu(record.menuIndex).title : "";
  std::string text = "Mark all ";
  text += doc.m_header.scientificNamesEnabled ? doc.GetSpeciesLabel() : "items";
  text += " in the list as ";
  if (!set) text += "not ";
  return text + "having the attribute " + menu + ": " + record.name + "?";
}

void SetAttributeForListedItems(CZAVDoc& doc, int attribute, bool set) {
  if (!IsValidIndex(attribute, doc.AttributeCount())) return;
  if (doc.ItemCount() == 0) return;
  const auto bit = static_cast<WORD>(attribute);
  const CBitMatrix rows(doc.AttributeCount(), doc.ItemCount());
  doc.InvalidateCountBasis();
  for (int item = 0; item < doc.ItemCount(); ++item) {
    if (!doc.IsItemRemaining(item)) continue;
    if (DWORD* row = rows.GetRowWordsIn(item, doc.m_dataBlocks)) set ? SetBit(row, bit) : ClearBit(row, bit);
  }
  doc.UpdateMissingDataBitsOfAttribute(attribute);
  doc.SetModifiedFlag();
  doc.RequestRecount();
}

bool AskAndMarkAllInList(CZAVDoc& doc, int attribute, bool set) {
  if (!IsValidIndex(attribute, doc.AttributeCount())) return false;
  if (!platform::Ui().AskYesNo(MarkAllQuestion(doc, attribute, set), false)) return false;
  platform::WaitCursor wait;
  SetAttributeForListedItems(doc, attribute, set);
  return true;
}
