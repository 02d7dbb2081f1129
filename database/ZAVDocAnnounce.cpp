// Turning the item states into words: the announcement when the remaining
// items narrow to one item, one genus or one family, and the explanation of
// why an item fails the marks.
#include <algorithm>
#include <string>

#include "database/EngineViews.h"
#include "database/ItemStateScan.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

namespace {

std::string NameAt(const std::vector<std::unique_ptr<CQItemname>>& names, int index) {
  return index >= 0 && index < static_cast<int>(names.size()) ? names[index]->name : std::string();
}

std::string TextAt(const std::vector<std::string>& texts, int index) {
  return index >= 0 && index < static_cast<int>(texts.size()) ? texts[index] : std::string();
}

std::string Identified(const std::string& label, const std::string& name) { return label + " identified:  " + name; }

std::string SingleItemMessage(const CZAVDoc& doc, int item) {
  const CQItemrec& record = doc.GetItem(item);
  const std::string common = NameAt(doc.m_itemNames, record.nameIndex);
  if (!doc.m_header.scientificNamesEnabled) return Identified(doc.GetCommonLabel(), common);
  if (doc.m_header.commonNamesEnabled && doc.m_header.showCommonNames) return Identified(doc.GetSpeciesLabel(), common);
  return Identified(doc.GetSpeciesLabel(), TextAt(doc.m_genusNames, record.genusIndex) + " " +
                                               NameAt(doc.m_speciesNames, record.speciesIndex));
}

void SetAllDone(CZAVDoc& doc) { doc.m_itemDone = doc.m_genusDone = doc.m_familyDone = 1; }

void AnnounceSingleItem(CZAVDoc& doc, bool silent) {
  if (doc.m_itemDone || silent) return SetAllDone(doc);
  int item = 0;
  while (item < doc.ItemCount() && doc.GetItemState(item) != STATE_REMAINING) ++item;
  if (item == doc.ItemCount()) return;
  if (item != doc.m_announcedItem) {
    if (IItemListView* list = doc.GetItemListView()) list->SelectItem(item);
    engine_views::ShowItemPage(doc, item);
    platform::Ui().ShowMessage(SingleItemMessage(doc, item));
    doc.m_announcedItem = item;
  }
  SetAllDone(doc);
}

// The genus and family the remaining items share, if they share one.
struct SharedLevels {
  int genus = -1;
  int family = -1;
  bool sameGenus = true;
  bool sameFamily = true;
};

SharedLevels ScanRemaining(CZAVDoc& doc) {
  SharedLevels shared;
  bool first = true;
  // Straight from the states: this runs after every mark, over every item.
  const int items = std::min<int>(doc.ItemCount(), static_cast<int>(doc.m_itemStates.size()));
  for (int i = item_states::NextRemaining(doc.m_itemStates.data(), 0, items); i < items;
       i = item_states::NextRemaining(doc.m_itemStates.data(), i + 1, items)) {
    const CQItemrec& record = doc.GetItem(i);
    if (first) {
      shared.genus = record.genusIndex;
      shared.family = record.familyIndex;
      first = false;
    } else if (record.familyIndex != shared.family) {
      // A second family brings a second genus; the scan stops here, so both are settled now.
      doc.m_announcedGenus = doc.m_announcedFamily = -1;
      shared.sameFamily = shared.sameGenus = false;
      break;
    } else if (record.genusIndex != shared.genus) {
      doc.m_announcedGenus = -1;
      shared.sameGenus = false;
    }
  }
  return shared;
}

void AnnounceGenusOrFamily(CZAVDoc& doc, bool silent) {
  doc.m_itemDone = 0;
  if (!doc.m_header.scientificNamesEnabled) {
    doc.m_genusDone = doc.m_familyDone = 1;
    return;
  }
  const SharedLevels shared = ScanRemaining(doc);
  if (shared.sameGenus && shared.genus != -1) {
    if (!doc.m_genusDone && !silent && shared.genus != doc.m_announcedGenus) {
      platform::Ui().ShowMessage(Identified(doc.GetGenusLabel(), TextAt(doc.m_genusNames, shared.genus)));
      doc.m_announcedGenus = shared.genus;
    }
    doc.m_genusDone = doc.m_familyDone = 1;
    return;
  }
  doc.m_genusDone = 0;
  if (!shared.sameFamily || shared.family == -1) {
    doc.m_familyDone = 0;
    return;
  }
  if (!doc.m_familyDone && !silent && shared.family != doc.m_announcedFamily) {
    platform::Ui().ShowMessage(Identified(doc.GetFamilyLabel(), TextAt(doc.m_familyNames, shared.family)));
    doc.m_announcedFamily = shared.family;
  }
  doc.m_familyDone = 1;
}

}  // namespace

void CZAVDoc::UpdateIdentifiedStatus(bool silent) {
  if (m_remainingCount > 1) m_announcedItem = -1;
  if (m_remainingCount == 1)
    AnnounceSingleItem(*this, silent);
  else
    AnnounceGenusOrFamily(*this, silent);
}
