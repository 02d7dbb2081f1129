// Adding, deleting and cutting items; the recount of item slots.
#include <algorithm>
#include <functional>

#include "database/ItemSlots.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"

namespace {

bool IsUsed(const CQItemrec& item) { return !item.IsFreeSlot(); }

}  // namespace

// Puts text into a genus or family table: the equal slot, else the first
// empty one that no item points at (another item would silently take the
// new name), else a new one at the end.
int PlaceNameText(std::vector<std::string>& table, const std::string& text, const std::function<bool(int)>& isUnused) {
  const int slot = FindStringSlot(table, text, isUnused);
  if (slot == static_cast<int>(table.size()))
    table.push_back(text);
  else if (table[slot].empty())
    table[slot] = text;
  return slot;
}

int InsertNameEntry(std::vector<std::unique_ptr<CQItemname>>& names, int position, int item, const std::string& text) {
  auto entry = std::make_unique<CQItemname>();
  entry->itemIndex = item;
  entry->name = text;
  names.insert(names.begin() + position, std::move(entry));
  return position;
}

namespace {

void ShiftIndex(std::int32_t& index, bool insert, int position, bool isSkipItem) {
  if (position == -1 || index == -1) return;
  if (index > position)
    index += insert ? 1 : -1;
  else if (index == position && insert && !isSkipItem)
    index += 1;
}

}  // namespace

void ShiftItemNameIndices(CZAVDoc& document, bool insert, int namePosition, int speciesPosition, int skipItem) {
  for (int i = 0; i < document.ItemCount(); ++i) {
    CQItemrec& item = document.GetItem(i);
    if (item.IsFreeSlot()) continue;
    ShiftIndex(item.nameIndex, insert, namePosition, i == skipItem);
    ShiftIndex(item.speciesIndex, insert, speciesPosition, i == skipItem);
  }
}

int CZAVDoc::AddItem(std::string pictures, const std::string& species, const std::string& commonName, std::string genus,
                     std::string family, const std::string& description, NamePlacement placement) {
  const auto trace = [](const char* label, const std::string& value, const char* end = "") {
    std::string line(label);
    line.append(value).append(end);
    platform::Ui().Trace(line);
  };
  trace("Image=", pictures);
  trace("Species=", species);
  trace("Name=", commonName);
  trace("Genus=", genus);
  trace("Family=", family);
  trace("Description=", description, "\n");
  if (ItemCount() >= kMaxItems) ThrowErrorMessage("Can't add. Too much items!");

  TrimSpaces(family);
  if (family.empty()) family.assign(1, ' ');
  TrimSpaces(genus);
  TrimSpaces(pictures);

  const int slot = TakeItemSlot();
  m_currentItem = slot;

  CQItemrec& record = GetItem(slot);
  record.description = description;
  record.pictures = pictures;
  const bool appended = placement == NamePlacement::Appended;
  int namePosition = -1;
  int speciesPosition = -1;
  if (m_header.commonNamesEnabled) {
    const int at = appended ? static_cast<int>(m_itemNames.size()) : FindItemNameInsertIndex(commonName);
    namePosition = InsertNameEntry(m_itemNames, at, slot, commonName);
  }
  if (m_header.scientificNamesEnabled) {
    const int at =
        appended ? static_cast<int>(m_speciesNames.size()) : FindSpeciesNameInsertIndex(genus + " " + species);
    speciesPosition = InsertNameEntry(m_speciesNames, at, slot, species);
    const auto place = [](std::optional<NameTextSlots>& slots, std::vector<std::string>& table, const std::string& text,
                          const std::function<bool(int)>& isUnused) {
      return slots ? slots->Place(table, text, isUnused) : PlaceNameText(table, text, isUnused);
    };
    record.genusIndex = place(m_addingOnly.genusSlots, m_genusNames, genus, [this](int g) { return IsGenusUnused(g); });
    record.familyIndex =
        place(m_addingOnly.familySlots, m_familyNames, family, [this](int f) { return IsFamilyUnused(f); });
  }
  record.nameIndex = namePosition;
  record.speciesIndex = speciesPosition;
  // No entry stands behind an appended one, so no other item's link moves.
  if (!appended) ShiftItemNameIndices(*this, true, namePosition, speciesPosition, slot);
  record.referencePages.assign(m_referenceTitles.size(), std::string());

  CountAddedItem();
  UpdateMissingDataBits();
  SetModifiedFlag();
  return 1;
}

int CZAVDoc::TakeItemSlot() {
  const int slot = FindFreeItem();
  if (m_addingOnly.active) m_addingOnly.itemsFrom = slot + 1;
  if (slot < ItemCount()) {
    ClearItemBits(slot);
  } else {
    InsertItem(slot, std::make_unique<CQItemrec>());
    AddItemRow();
  }
  if (m_itemStates.size() <= static_cast<std::size_t>(slot)) m_itemStates.resize(slot + 1, STATE_REMAINING);
  m_itemStates[slot] = STATE_REMAINING;
  return slot;
}

namespace {

// The checks shared by delete and cut; each failure abandons the command.
void CheckItemForRemoval(const CZAVDoc& document, int item) {
  if (item < 0 || item >= document.ItemCount()) ThrowErrorMessage("Wrong item index");
  const CQItemrec& record = document.GetItem(item);
  if (document.m_header.commonNamesEnabled && !IsValidIndex(record.nameIndex, document.m_itemNames.size()))
    ThrowErrorMessage("Wrong item name index");
  if (document.m_header.scientificNamesEnabled && !IsValidIndex(record.speciesIndex, document.m_speciesNames.size()))
    ThrowErrorMessage("Wrong item species index");
}

// Empties a genus or family text that no item uses any more; the slot stays.
void ReleaseStringIfUnused(std::vector<std::string>& table, int index, bool unused) {
  if (unused && IsValidIndex(index, table.size())) table[index].clear();
}

// The end of delete and cut: the record's texts go and its slot is free.
void FreeItemSlot(CZAVDoc& document, int item) {
  CQItemrec& record = document.GetItem(item);
  record.description.clear();
  record.pictures.clear();
  record.referencePages.clear();
  document.RequestRecount();
  if (IsValidIndex(item, document.m_itemStates.size())) document.m_itemStates[item] = STATE_FREE;
  --document.m_usedCount;
  document.SetModifiedFlag();
}

}  // namespace

void CZAVDoc::DeleteItem(int item) {
  CheckItemForRemoval(*this, item);
  CQItemrec& record = GetItem(item);
  if (m_header.commonNamesEnabled) {
    const int position = record.nameIndex;
    m_itemNames.erase(m_itemNames.begin() + position);
    ShiftItemNameIndices(*this, false, position, -1, item);
    record.nameIndex = -1;
  }
  if (m_header.scientificNamesEnabled) {
    const int position = record.speciesIndex;
    m_speciesNames.erase(m_speciesNames.begin() + position);
    ShiftItemNameIndices(*this, false, -1, position, item);
    record.speciesIndex = -1;
    const int genus = record.genusIndex;
    const int family = record.familyIndex;
    record.genusIndex = -1;
    record.familyIndex = -1;
    ReleaseStringIfUnused(m_genusNames, genus, IsGenusUnused(genus));
    ReleaseStringIfUnused(m_familyNames, family, IsFamilyUnused(family));
  }
  if (IsValidIndex(item, m_itemStates.size()) && IsRemainingState(m_itemStates[item])) --m_remainingCount;
  FreeItemSlot(*this, item);
  CompactItems();
}

void CZAVDoc::CutItem(int item) {
  CheckItemForRemoval(*this, item);
  CQItemrec& record = GetItem(item);
  if (m_header.commonNamesEnabled && record.nameIndex != -1) {
    m_itemNames[record.nameIndex]->itemIndex = -1;
    record.nameIndex = -1;
  }
  if (m_header.scientificNamesEnabled && record.speciesIndex != -1) {
    m_speciesNames[record.speciesIndex]->itemIndex = -1;
    record.speciesIndex = -1;
  }
  record.genusIndex = -1;
  record.familyIndex = -1;
  FreeItemSlot(*this, item);
}

void CZAVDoc::CountAddedItem() {
  ++m_usedCount;
  ++m_remainingCount;
  RequestRecount();
}

void CZAVDoc::RecountItems() {
  m_itemStates.resize(m_items.size(), STATE_REMAINING);
  int used = 0;
  for (int i = 0; i < ItemCount(); ++i) {
    if (IsUsed(*m_items[i]))
      ++used;
    else
      m_itemStates[i] = STATE_FREE;
  }
  m_usedCount = used;
  m_recountFlag = 0;
  m_remainingCount = used;
}

void CZAVDoc::OnDeleteAllExceptRemaining() {
  if (!IsDatabaseEditable(this)) return;
  const bool anySelected = std::any_of(m_itemStates.begin(), m_itemStates.end(), IsSelectedState);
  const char* question = anySelected ? "All items except those selected will be deleted!"
                                     : "All items except those remaining will be deleted!";
  if (!platform::Ui().AskYesNo(question, false)) return;
  platform::WaitCursor wait;
  // An error box inside stops the cutting; the document is still brought in step below.
  RunCommand([&] {
    for (int i = 0; i < ItemCount(); ++i) {
      if (!IsUsed(*m_items[i])) continue;
      const BYTE state = IsValidIndex(i, m_itemStates.size()) ? m_itemStates[i] : BYTE{STATE_REMAINING};
      const bool eliminated = state == STATE_ELIMINATED || state == STATE_USER_ELIMINATED;
      if (eliminated || (anySelected && !IsSelectedState(state))) CutItem(i);
    }
  });
  if (m_leftView) m_leftView->RefreshTree();
  if (m_itemListView) m_itemListView->FillList();
  ResetItemStates(true);
  UpdateRemainingItems();
  CompactItems();
}
