// The region dialogs' view of a menu: its title, the full path of its first
// picture and its attributes in child-list order.
#pragma once

#include "database/RegionAttributes.h"

class CZAVDoc;

// Every attribute of the menu, none chosen.
MenuRegionAttributes CollectMenuRegions(const CZAVDoc& doc, int menu);

// For placing OR marks through the picture: the attributes marked OR now and
// the clicked one start chosen.
MenuRegionAttributes OrMarkRegions(const CZAVDoc& doc, int menu, int clickedAttribute);

// The region editor works on a menu of attributes with a picture, in a
// database that may be edited.
bool CanEditRegions(const CZAVDoc& doc, int menu);
