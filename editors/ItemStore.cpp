#include "editors/ItemStore.h"

#include <functional>
#include <memory>

#include "database/ItemSlots.h"
#include "database/Records.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

namespace editors {

namespace {

using NameArray = std::vector<std::unique_ptr<CQItemname>>;

// Moves (or, while the item has none, creates) the item's entry in a sorted
// name array to where sortKey belongs, keeping every other item's link right.
// Returns the entry's new position.
int PlaceNameEntry(CZAVDoc& document, NameArray& names, bool speciesArray, int item, int current,
                   const std::string& text, const std::string& sortKey) {
  const auto shift = [&](bool insert, int position) {
    ShiftItemNameIndices(document, insert, speciesArray ? -1 : position, speciesArray ? position : -1, item);
  };
  std::unique_ptr<CQItemname> entry;
  if (IsValidIndex(current, names.size())) {
    entry = std::move(names[current]);
    names.erase(names.begin() + current);
    shift(false, current);
  } else {
    entry = std::make_unique<CQItemname>();
  }
  entry->itemIndex = item;
  entry->name = text;
  const int at =
      speciesArray ? document.FindSpeciesNameInsertIndex(sortKey) : document.FindItemNameInsertIndex(sortKey);
  names.insert(names.begin() + at, std::move(entry));
  shift(true, at);
  return at;
}

// The genus or family table's slot for the text: the slot already holding
// it, else an empty one no item points at, else a new one. The item's old
// text is blanked first when no other item uses it, so its slot is free again.
void PlaceTableText(std::vector<std::string>& table, std::int32_t& index, const std::string& text,
                    const std::function<bool(int)>& isUnused) {
  if (index != -1) {
    const int old = index;
    index = -1;
    if (IsValidIndex(old, table.size()) && isUnused(old)) table[old].clear();
  }
  index = PlaceNameText(table, text, isUnused);
}

void ChangeScientificNames(CZAVDoc& document, int item, const ItemFields& fields, const ItemFields& loaded) {
  CQItemrec& record = document.GetItem(item);
  const bool genusChanged = fields.genus != loaded.genus || record.genusIndex == -1;
  if (fields.species != loaded.species || genusChanged || record.speciesIndex == -1) {
    const std::string key = fields.genus.empty() ? fields.species : fields.genus + " " + fields.species;
    record.speciesIndex =
        PlaceNameEntry(document, document.m_speciesNames, true, item, record.speciesIndex, fields.species, key);
  }
  if (genusChanged)
    PlaceTableText(document.m_genusNames, record.genusIndex, fields.genus,
                   [&document](int g) { return document.IsGenusUnused(g); });
  if (fields.family != loaded.family || record.familyIndex == -1)
    PlaceTableText(document.m_familyNames, record.familyIndex, fields.family,
                   [&document](int f) { return document.IsFamilyUnused(f); });
}

bool StoreExisting(CZAVDoc& document, int item, const ItemFields& fields, const ItemFields& loaded) {
  CQItemrec& record = document.GetItem(item);
  const bool nameChanged = fields.name != loaded.name || record.nameIndex == -1;
  const bool scientificChanged = fields.species != loaded.species || fields.genus != loaded.genus ||
                                 fields.family != loaded.family || record.speciesIndex == -1 ||
                                 record.genusIndex == -1 || record.familyIndex == -1;
  bool changed = false;
  if (document.m_header.commonNamesEnabled && nameChanged) {
    record.nameIndex =
        PlaceNameEntry(document, document.m_itemNames, false, item, record.nameIndex, fields.name, fields.name);
    changed = true;
  }
  if (document.m_header.scientificNamesEnabled && scientificChanged) {
    ChangeScientificNames(document, item, fields, loaded);
    changed = true;
  }
  if (fields.description != loaded.description) {
    record.description = fields.description;
    changed = true;
  }
  if (fields.pictures != loaded.pictures) {
    record.pictures = fields.pictures;
    changed = true;
  }
  return changed;
}

}  // namespace

int StoreItemFields(CZAVDoc& document, int item, ItemFields fields, const ItemFields& loaded) {
  TrimSpaces(fields.family);
  if (fields.family.empty()) fields.family.assign(1, ' ');
  TrimSpaces(fields.genus);
  TrimSpaces(fields.pictures);
  if (item < 0) {
    if (document.ItemCount() >= kMaxItems) ThrowErrorMessage("Can't add. Too many items!");
    document.AddItem(fields.pictures, fields.species, fields.name, fields.genus, fields.family, fields.description);
    return document.m_currentItem;
  }
  if (StoreExisting(document, item, fields, loaded)) {
    document.UpdateMissingDataBits();
    document.SetModifiedFlag();
  }
  return item;
}

int StepItemRow(int row, int rowCount, bool forward) {
  if (rowCount <= 0) return 0;
  if (forward) return row >= rowCount - 1 ? 0 : row + 1;
  return row <= 0 ? rowCount - 1 : row - 1;
}

}  // namespace editors
