#include "editors/ClipboardPaste.h"

#include <memory>

#include "database/MenuDepth.h"
#include "database/ZAVDoc.h"
#include "editors/ClipboardChecks.h"
#include "platform/ErrorBox.h"

namespace {

// The slots that `needed` new records would take, in the order they are
// taken: the free ones first, then new ones at the end. Refuses through the
// error box when one lies beyond the limit.
template <typename IsFree>
std::vector<int> PlanSlots(int needed, int count, IsFree isFree, const char* tooMany) {
  std::vector<int> slots;
  for (int i = 0; i < count && static_cast<int>(slots.size()) < needed; ++i)
    if (isFree(i)) slots.push_back(i);
  const int appended = needed - static_cast<int>(slots.size());
  if (needed > 0 && (appended > 0 ? count + appended - 1 : slots.back()) > kMaxAttributesOrMenus)
    ThrowErrorMessage(tooMany);
  for (int i = 0; i < appended; ++i) slots.push_back(count + i);
  return slots;
}

void CheckPlace(const CZAVDoc& doc, int parentMenu, const ClipboardBranch& branch) {
  RequireEditable(doc);
  RequireMenu(doc, parentMenu);
  if (branch.records.empty()) ThrowErrorMessage("The clipboard holds no menu.");
  const BYTE kind = doc.GetMenu(parentMenu).kind;
  if (branch.records.front().IsMenu() && kind != MENU_OF_MENUS)
    ThrowErrorMessage("A menu can only be pasted into a menu of menus.");
  if (!branch.records.front().IsMenu() && kind != MENU_OF_ATTRIBUTES)
    ThrowErrorMessage("An attribute can only be pasted into a menu of attributes.");
  if (!BranchFitsBelow(doc, parentMenu, branch.MenuLevels())) ThrowErrorMessage(TooDeepMessage());
}

void Attach(std::vector<WORD>& children, int slot, int position) {
  const bool inside = position >= 0 && position < static_cast<int>(children.size());
  children.insert(inside ? children.begin() + position : children.end(), static_cast<WORD>(slot));
}

void FillMenu(CZAVDoc& doc, int slot, int parent, const ClipboardRecord& record) {
  if (slot == doc.MenuCount()) doc.m_menus.push_back(std::make_unique<CQMenudata>());
  CQMenudata& menu = doc.GetMenu(slot);
  menu.kind = record.tag == CLIP_MENU_OF_ATTRIBUTES ? MENU_OF_ATTRIBUTES : MENU_OF_MENUS;
  menu.parent = static_cast<WORD>(parent);
  menu.children.clear();
  menu.difficulty = record.difficulty;
  menu.title = record.text;
  menu.helpText = record.helpText;
  menu.pictures = record.pictures;
}

// The second text is not carried and stays as the slot has it.
// The second text is not carried and stays as the slot has it.
void FillAttribute(CZAVDoc& doc, int slot, int menu, const ClipboardRecord& record) {
  CQAttdata& attribute = doc.GetAttribute(slot);
  attribute.menuIndex = static_cast<WORD>(menu);
  attribute.flag = 0;
  attribute.name = record.text;
  attribute.helpText = record.helpText;
  attribute.pictures = record.pictures;
  doc.m_attributesChanged = 1;
}

// The lenient rows of "Allow Missing Data" follow every menu and attribute;
// they are built once when the whole branch is in, not after each record.
class MissingDataRowsDeferred {
 public:
  explicit MissingDataRowsDeferred(CZAVDoc& doc) : m_doc(doc), m_missingData(doc.m_missingData) {
    doc.m_missingData = 0;
  }
  ~MissingDataRowsDeferred() { m_doc.m_missingData = m_missingData; }
  MissingDataRowsDeferred(const MissingDataRowsDeferred&) = delete;
  MissingDataRowsDeferred& operator=(const MissingDataRowsDeferred&) = delete;

 private:
  CZAVDoc& m_doc;
  BYTE m_missingData;
};

// Fills the planned slots in stream order; returns the slot of the top record.
int InsertRecords(CZAVDoc& doc, int parentMenu, const ClipboardBranch& branch, int position,
                  const PastedBranch& slots) {
  MissingDataRowsDeferred deferred(doc);
  std::vector<int> slotOf(branch.records.size());
  // Room for every attribute at once: the items' rows change in one pass.
  doc.GetOrCreateAttributes(slots.attributes);
  std::size_t nextMenu = 0, nextAttribute = 0;
  for (std::size_t i = 0; i < branch.records.size(); ++i) {
    const ClipboardRecord& record = branch.records[i];
    const int parent = record.parent < 0 ? parentMenu : slotOf[record.parent];
    const int slot = record.IsMenu() ? slots.menus[nextMenu++] : slots.attributes[nextAttribute++];
    if (record.IsMenu())
      FillMenu(doc, slot, parent, record);
    else
      FillAttribute(doc, slot, parent, record);
    slotOf[i] = slot;
    Attach(doc.GetMenu(parent).children, slot, record.parent < 0 ? position : -1);
  }
  return slotOf.front();
}

}  // namespace

PastedBranch PasteBranch(CZAVDoc& doc, int parentMenu, const ClipboardBranch& branch, int position) {
  CheckPlace(doc, parentMenu, branch);
  PastedBranch pasted;
  pasted.menus = PlanSlots(
      branch.CountMenus(), doc.MenuCount(), [&](int m) { return doc.GetMenu(m).kind == MENU_FREE; },
      "Too many menues!");
  pasted.attributes = PlanSlots(
      branch.CountAttributes(), doc.AttributeCount(), [&](int a) { return doc.GetAttribute(a).IsFreeSlot(); },
      "Too many Attributes!");
  pasted.top = InsertRecords(doc, parentMenu, branch, position, pasted);
  pasted.topIsMenu = branch.records.front().IsMenu();
  doc.UpdateMissingDataBits();  // before the evaluation that reads them
  doc.ResetMarks();
  doc.SetModifiedFlag();
  return pasted;
}
