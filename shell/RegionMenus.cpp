#include "shell/RegionMenus.h"

#include "database/ImageRegion.h"
#include "database/ZAVDoc.h"
#include "editors/RegionPicturePath.h"

MenuRegionAttributes CollectMenuRegions(const CZAVDoc& doc, int menu) {
  MenuRegionAttributes regions;
  if (menu < 0 || menu >= doc.MenuCount()) return regions;
  const CQMenudata& record = doc.GetMenu(menu);
  regions.title = record.title;
  regions.picturePath = MakeSiblingPath(doc.m_pathName, record.pictures);
  regions.menu = menu;
  for (WORD child : record.children) {
    if (child >= doc.AttributeCount()) continue;
    regions.attributes.push_back({doc.GetAttribute(child).name, 0, child});
  }
  return regions;
}

MenuRegionAttributes OrMarkRegions(const CZAVDoc& doc, int menu, int clickedAttribute) {
  MenuRegionAttributes regions = CollectMenuRegions(doc, menu);
  for (RegionAttribute& attribute : regions.attributes)
    attribute.selected =
        attribute.attribute == clickedAttribute || doc.GetAttributeMark(attribute.attribute) == MARK_OR;
  return regions;
}

bool CanEditRegions(const CZAVDoc& doc, int menu) {
  if (!doc.IsEditable() || menu < 0 || menu >= doc.MenuCount()) return false;
  const CQMenudata& record = doc.GetMenu(menu);
  return record.kind == MENU_OF_ATTRIBUTES && !record.pictures.empty() &&
         IsRegionPicturePath(MakeSiblingPath(doc.m_pathName, record.pictures));
}
