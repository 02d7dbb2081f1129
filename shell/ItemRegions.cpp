#include "shell/ItemRegions.h"

#include "database/BitMatrix.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "editors/ImageRegionSelectModel.h"
#include "platform/DocumentViews.h"
#include "platform/Ui.h"
#include "shell/ItemListCommands.h"
#include "shell/RegionMenus.h"

namespace {
const char* const kNoFocusedRow = "For Mark/Clear All to work, the focus must not be on the OK or Cancel buttons";

const MenuRegionAttributes* MenuOfAttribute(const std::vector<MenuRegionAttributes>& menus, int attribute) {
  for (const MenuRegionAttributes& menu : menus)
    for (const RegionAttribute& entry : menu.attributes)
      if (entry.attribute == attribute) return &menu;
  return nullptr;
}

}  // namespace

void CollectRegionAttributes(std::vector<MenuRegionAttributes>& menus, const CZAVDoc& doc, int menu, const DWORD* row) {
  if (menu < 0 || menu >= doc.MenuCount()) return;
  const CQMenudata& record = doc.GetMenu(menu);
  if (record.kind == MENU_OF_MENUS) {
    for (WORD child : record.children) CollectRegionAttributes(menus, doc, child, row);
    return;
  }
  if (record.kind != MENU_OF_ATTRIBUTES || record.children.empty()) return;
  MenuRegionAttributes regions = CollectMenuRegions(doc, menu);
  if (row)
    for (RegionAttribute& attribute : regions.attributes)
      attribute.selected = TestBit(row, static_cast<WORD>(attribute.attribute)) ? 1 : 0;
  menus.push_back(std::move(regions));
}

void ApplyRegionAttributes(const std::vector<MenuRegionAttributes>& menus, DWORD* row) {
  if (!row) return;
  for (const MenuRegionAttributes& menu : menus)
    for (const RegionAttribute& attribute : menu.attributes) {
      if (attribute.attribute < 0) continue;
      if (attribute.selected)
        SetBit(row, static_cast<WORD>(attribute.attribute));
      else
        ClearBit(row, static_cast<WORD>(attribute.attribute));
    }
}

std::string ItemRegionsTitle(const CZAVDoc& doc, int item) {
  return "Select Region Attributes for: " + GetItemDisplayName(doc, item);
}

void FillItemRegions(ImageRegionSelectModel& dialog, const CZAVDoc& doc, int item) {
  dialog.menus.clear();
  CollectRegionAttributes(dialog.menus, doc, 0, doc.GetItemAttributeBits(item));
  dialog.SetTitle(ItemRegionsTitle(doc, item));
  dialog.currentItem = item;
}

void ItemRegionOwner::OnRegionSelectRequest(RegionSelectRequest request, ImageRegionSelectModel& dialog) {
  switch (request) {
    case REQUEST_STORE:
      Store(dialog);
      break;
    case REQUEST_NEXT:
      Step(dialog, +1);
      break;
    case REQUEST_PREVIOUS:
      Step(dialog, -1);
      break;
    case REQUEST_MARK_ALL:
    case REQUEST_CLEAR_ALL: {
      const bool set = request == REQUEST_MARK_ALL;
      if (MarkAllInList(dialog, set)) dialog.CheckSelectedItems(set);
      break;
    }
  }
}

void ItemRegionOwner::Store(const ImageRegionSelectModel& dialog) {
  ApplyRegionAttributes(dialog.menus, m_doc.GetItemAttributeBits(dialog.currentItem));
  m_doc.SetModifiedFlag();
  m_doc.RequestRecount();
}

void ItemRegionOwner::Step(ImageRegionSelectModel& dialog, int direction) {
  const int next = GetNextInOrder(m_doc, dialog.currentItem, direction);
  if (next < 0 || next == dialog.currentItem) return;
  if (IItemListView* list = m_doc.GetItemListView()) list->SelectItem(next);
  FillItemRegions(dialog, m_doc, next);
}

bool ItemRegionOwner::MarkAllInList(const ImageRegionSelectModel& dialog, bool set) {
  const int attribute = dialog.GetSelectedAttribute();
  if (attribute < 0) {
    platform::Ui().ShowMessage(kNoFocusedRow);
    return false;
  }
  const MenuRegionAttributes* menu = MenuOfAttribute(dialog.menus, attribute);
  const std::string items = m_doc.m_header.scientificNamesEnabled ? m_doc.GetSpeciesLabel() : "items";
  const std::string question = "Mark all " + items + " in the list as " + (set ? "" : "not ") +
                               "having the attribute " + (menu ? menu->title : std::string()) + ": " +
                               m_doc.GetAttribute(attribute).name + "?";
  if (!platform::Ui().AskYesNo(question, false)) return false;
  for (int item = 0; item < m_doc.ItemCount(); ++item) {
    if (!m_doc.IsItemRemaining(item)) continue;
    DWORD* row = m_doc.GetItemAttributeBits(item);
    if (set)
      SetBit(row, static_cast<WORD>(attribute));
    else
      ClearBit(row, static_cast<WORD>(attribute));
  }
  m_doc.UpdateMissingDataBits();
  m_doc.SetModifiedFlag();
  m_doc.RequestRecount();
  return true;
}

void ItemRegionOwner::Finish(ImageRegionSelectModel& dialog, bool accepted) {
  if (accepted) {
    ApplyRegionAttributes(dialog.menus, m_doc.GetItemAttributeBits(dialog.currentItem));
    m_doc.SetModifiedFlag();
  } else if (!dialog.ChangesApplied()) {
    return;
  }
  item_list::ReevaluateAfterItemEdit(m_doc);
}
