// Setting an item's attribute data through the region-selection dialog: the
// dialog shows every attribute menu with its checks from the item's row, and
// asks this owner to store, to step to another item and to mark or clear an
// attribute for every listed item.
#pragma once

#include <vector>

#include "database/RegionAttributes.h"
#include "database/Records.h"
#include "editors/RegionSelectOwner.h"

class CZAVDoc;

// Appends the attribute menus of the menu's subtree (itself when it is one
// with attributes), checked where the row has the attribute's bit.
void CollectRegionAttributes(std::vector<MenuRegionAttributes>& menus, const CZAVDoc& doc, int menu, const DWORD* row);
// Sets or clears every listed attribute's bit in the row by its check.
void ApplyRegionAttributes(const std::vector<MenuRegionAttributes>& menus, DWORD* row);

// The caption of the dialog for an item.
std::string ItemRegionsTitle(const CZAVDoc& doc, int item);
// Fills the dialog for the item: its menus, caption and current item.
void FillItemRegions(ImageRegionSelectModel& dialog, const CZAVDoc& doc, int item);

class ItemRegionOwner : public IRegionSelectOwner {
 public:
  explicit ItemRegionOwner(CZAVDoc& doc) : m_doc(doc) {}
  void OnRegionSelectRequest(RegionSelectRequest request, ImageRegionSelectModel& dialog) override;
  // After the run: OK writes the choices into the current item's row; both
  // OK and a Cancel after changes were stored re-evaluate, refresh the panes
  // and make the page shown again from the changed data.
  void Finish(ImageRegionSelectModel& dialog, bool accepted);

 private:
  void Store(const ImageRegionSelectModel& dialog);
  void Step(ImageRegionSelectModel& dialog, int direction);
  bool MarkAllInList(const ImageRegionSelectModel& dialog, bool set);

  CZAVDoc& m_doc;
};
