#include "editors/NameKindSwitch.h"

#include <memory>

#include "database/NameOrderSort.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"

namespace editors {

namespace {

bool TurnedOff(bool before, bool after) { return before && !after; }
bool TurnedOn(bool before, bool after) { return !before && after; }

void ShowDefaultNameNotices(const NameKinds& before, const NameKinds& after) {
  if (TurnedOn(before.scientific, after.scientific))
    platform::Ui().ShowMessage("All species will be given default genus and species names");
  if (TurnedOn(before.common, after.common))
    platform::Ui().ShowMessage(after.scientific ? "All species will be given default common names"
                                                : "All items will be given default names");
}

// n entries of the same default text; each is linked to its item below.
void FillDefaultNames(std::vector<std::unique_ptr<CQItemname>>& names, int count, const char* text) {
  // The table of a kind that was off is empty; clearing it first keeps entry
  // j and item j together even when a damaged file left entries behind.
  names.clear();
  names.reserve(static_cast<std::size_t>(count));
  for (int j = 0; j < count; ++j) {
    auto name = std::make_unique<CQItemname>();
    name->name = text;
    names.push_back(std::move(name));
  }
}

void RewriteTables(CZAVDoc& document, const NameKinds& before, const NameKinds& after, int inUse) {
  const bool scientificOff = TurnedOff(before.scientific, after.scientific);
  const bool commonOff = TurnedOff(before.common, after.common);
  const bool scientificOn = TurnedOn(before.scientific, after.scientific);
  const bool commonOn = TurnedOn(before.common, after.common);
  if (scientificOff) {
    document.m_speciesNames.clear();
    document.m_genusNames.clear();
    document.m_familyNames.clear();
  }
  if (commonOff) document.m_itemNames.clear();
  if (scientificOn) {
    FillDefaultNames(document.m_speciesNames, inUse, "species");
    document.m_genusNames = {"genus"};
    document.m_familyNames = {" "};
  }
  if (commonOn) FillDefaultNames(document.m_itemNames, inUse, "name");

  int j = 0;
  for (int item = 0; item < document.ItemCount(); ++item) {
    CQItemrec& record = document.GetItem(item);
    if (record.IsFreeSlot()) continue;
    if (scientificOff) record.speciesIndex = record.genusIndex = record.familyIndex = -1;
    if (commonOff) record.nameIndex = -1;
    if (scientificOn) {
      document.m_speciesNames[static_cast<std::size_t>(j)]->itemIndex = item;
      record.speciesIndex = j;
      record.genusIndex = 0;
      record.familyIndex = 0;
    }
    if (commonOn) {
      document.m_itemNames[static_cast<std::size_t>(j)]->itemIndex = item;
      record.nameIndex = j;
    }
    ++j;
  }
}

}  // namespace

int CountItemsInUse(const CZAVDoc& document) {
  int count = 0;
  for (int item = 0; item < document.ItemCount(); ++item)
    if (!document.GetItem(item).IsFreeSlot()) ++count;
  return count;
}

bool ConfirmNameKindSwitch(const NameKinds& before, const NameKinds& after) {
  if (TurnedOff(before.scientific, after.scientific) &&
      !platform::Ui().AskYesNo("Disabling scientific names will cause deletion all family, genus and species "
                               "names.  Do you wish to continue?",
                               false))
    return false;
  if (TurnedOff(before.common, after.common) &&
      !platform::Ui().AskYesNo("Disabling common names will cause deletion of all common names.  Do you wish to "
                               "continue?",
                               false))
    return false;
  return true;
}

void SwitchNameKinds(CZAVDoc& document, const NameKinds& before, const NameKinds& after) {
  if (before == after) return;
  const int inUse = CountItemsInUse(document);
  if (inUse == 0) return;
  ShowDefaultNameNotices(before, after);
  RewriteTables(document, before, after, inUse);
  // The order shown may now be the other kind's, under other display names.
  SortNameArrays(document);
}

}  // namespace editors
