#include "editors/ClipboardCut.h"

#include <algorithm>

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"
#include "editors/ClipboardChecks.h"

namespace {

FreedBranch CollectBranch(const CZAVDoc& doc, int menu) {
  FreedBranch branch;
  std::vector<WORD> menus;
  doc.CollectMenuTree(menu, menus);
  for (WORD m : menus) {
    branch.menus.push_back(m);
    const CQMenudata& data = doc.GetMenu(m);
    if (data.kind != MENU_OF_ATTRIBUTES) continue;
    for (WORD a : data.children)
      if (a < doc.AttributeCount()) branch.attributes.push_back(a);
  }
  return branch;
}

// True when one of the attributes carried a mark.
bool ClearMarks(CZAVDoc& doc, const std::vector<int>& attributes) {
  bool cleared = false;
  for (int a : attributes) {
    if (doc.GetAttributeMark(a) == MARK_CLEAR) continue;
    doc.SetAttributeMark(a, MARK_CLEAR);
    doc.PurgeUndoRecords(MARK_CLEAR, 0, a);
    cleared = true;
  }
  return cleared;
}

}  // namespace

bool BranchHasItemData(const CZAVDoc& doc, int menu) {
  if (menu < 0 || menu >= doc.MenuCount()) return false;
  const std::vector<int> attributes = CollectBranch(doc, menu).attributes;
  for (int item = 0; item < doc.ItemCount(); ++item) {
    // A freed item's row keeps old bits until the slots are compacted.
    if (doc.GetItem(item).IsFreeSlot()) continue;
    const DWORD* bits = doc.GetItemAttributeBits(item);
    if (bits && std::any_of(attributes.begin(), attributes.end(),
                            [bits](int a) { return TestBit(bits, static_cast<WORD>(a)); }))
      return true;
  }
  return false;
}

const char* CutLosesItemDataQuestion() {
  return "Cut and Paste carry no item data: which items have the attributes of this menu will be lost. "
         "To move the menu with its item data, drag it in the tree instead.\n\nCut the menu anyway?";
}

FreedBranch FreeMenuBranch(CZAVDoc& doc, int menu) {
  RequireCuttable(doc, menu);
  const WORD parent = doc.GetMenu(menu).parent;
  FreedBranch freed = CollectBranch(doc, menu);
  doc.ClearMenu(menu);
  std::erase(doc.GetMenu(parent).children, static_cast<WORD>(menu));
  doc.UpdateMissingDataBits();  // before the evaluation that reads them
  if (ClearMarks(doc, freed.attributes)) doc.Reevaluate(true);
  doc.SetModifiedFlag();
  return freed;
}
