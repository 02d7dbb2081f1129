#include "shell/ItemListCommands.h"

#include <algorithm>
#include <memory>
#include <string>

#include "database/BitMatrix.h"
#include "database/EngineViews.h"
#include "database/ItemSlots.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "reports/Action.h"
#include "reports/Report.h"
#include "shell/TreeDocumentCalls.h"

namespace item_list {

namespace {

// The names of an item as its record links them; empty where it has none.
struct ItemNames {
  std::string common, species, genus, family;
  bool hasGenus = false;
};

ItemNames ReadNames(const CZAVDoc& doc, const CQItemrec& record) {
  ItemNames names;
  if (const std::string* text = NameAt(doc.m_itemNames, record.nameIndex)) names.common = *text;
  if (const std::string* text = NameAt(doc.m_speciesNames, record.speciesIndex)) names.species = *text;
  if (const std::string* text = TextAt(doc.m_genusNames, record.genusIndex)) {
    names.genus = *text;
    names.hasGenus = true;
  }
  if (const std::string* text = TextAt(doc.m_familyNames, record.familyIndex)) names.family = *text;
  return names;
}

void LinkNames(CZAVDoc& doc, int slot, const ItemNames& names) {
  CQItemrec& record = doc.GetItem(slot);
  int namePosition = -1;
  int speciesPosition = -1;
  if (doc.m_header.commonNamesEnabled)
    namePosition = InsertNameEntry(doc.m_itemNames, doc.FindItemNameInsertIndex(names.common), slot, names.common);
  if (doc.m_header.scientificNamesEnabled) {
    const int at = doc.FindSpeciesNameInsertIndex(names.genus + " " + names.species);
    speciesPosition = InsertNameEntry(doc.m_speciesNames, at, slot, names.species);
    // A genus or family only where the source has one: an empty text would
    // otherwise link the copy to a slot another item may take later.
    if (names.hasGenus)
      record.genusIndex = PlaceNameText(doc.m_genusNames, names.genus, [&doc](int g) { return doc.IsGenusUnused(g); });
    if (!names.family.empty())
      record.familyIndex =
          PlaceNameText(doc.m_familyNames, names.family, [&doc](int f) { return doc.IsFamilyUnused(f); });
  }
  record.nameIndex = namePosition;
  record.speciesIndex = speciesPosition;
  ShiftItemNameIndices(doc, true, namePosition, speciesPosition, slot);
}

}  // namespace

int DuplicateItemRecord(CZAVDoc& doc, int source) {
  if (!IsValidIndex(source, doc.ItemCount()) || doc.GetItem(source).IsFreeSlot()) ThrowErrorMessage("Wrong item index");
  if (doc.FindFreeItem() >= kMaxItems) ThrowErrorMessage("Can't add. Too much items!");
  const CQItemrec& original = doc.GetItem(source);
  const ItemNames names = ReadNames(doc, original);
  const std::string description = original.description;
  const std::string pictures = original.pictures;

  const int slot = doc.TakeItemSlot();
  CQItemrec& record = doc.GetItem(slot);
  record.description = description;
  record.pictures = pictures;
  LinkNames(doc, slot, names);
  doc.FitReferencePages(slot);
  doc.CountAddedItem();

  const DWORD* from = doc.GetItemAttributeBits(source);
  DWORD* to = doc.GetItemAttributeBits(slot);
  if (from && to) {
    const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
    std::copy(from, from + layout.wordsPerRow(), to);
  }
  doc.UpdateMissingDataBits();
  doc.SetModifiedFlag();
  return slot;
}

void DuplicateItem(CZAVDoc& doc, int source) {
  if (source < 0) return;
  const int item = DuplicateItemRecord(doc, source);
  ReevaluateAfterItemEdit(doc, PageAfterEdit::Left);
  if (IItemListView* list = doc.GetItemListView()) list->SelectItem(item);
  treedoc::ShowItemPage(doc, item, kSamePage);
}

void DeleteItem(CZAVDoc& doc, int item, int selectedRow) {
  if (item < 0) return;
  if (platform::Ui().AskYesNo("Are you sure you want to delete this item?", false)) {
    doc.DeleteItem(item);
    CReport(doc, "Item deleted!").Execute(nullptr, kFirstPage);
  }
  if (selectedRow >= 1 && doc.ItemCount() > 0)
    if (IItemListView* list = doc.GetItemListView()) list->SelectRow(selectedRow - 1);
}

void ReevaluateAfterItemEdit(CZAVDoc& doc, PageAfterEdit page) {
  doc.RecountDone();
  doc.ResetItemStates(true);
  doc.UpdateRemainingItems();
  doc.UpdateIdentifiedStatus(false);
  engine_views::RefreshTree(doc);
  // Taken only now: the announcement may have selected the one item left
  // and shown its page, and that is what the list and the pane keep.
  const int shownKind = doc.m_reportKind;
  const int shownArgument = doc.m_reportArgument;
  if (IItemListView* list = doc.GetItemListView()) {
    const int selected = list->GetSelectedItemOrNone();
    list->FillList();
    if (selected >= 0) list->SelectItem(selected);
  }
  if (page == PageAfterEdit::Left) return;
  // The refill names its first row's item for the item page; the page shown
  // is the one to make again, as the data now stands.
  doc.m_reportKind = shownKind;
  doc.m_reportArgument = shownArgument;
  engine_views::ShowCurrentReport(doc);
}

}  // namespace item_list
