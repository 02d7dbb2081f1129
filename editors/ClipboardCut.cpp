#include "editors/ClipboardCut.h"

#include <algorithm>

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
