// The list of an item's attributes by menu, shared by the item list and the
// item description page.
#pragma once

class CReport;

// show: list anything at all; all: every attribute, with a bullet before
// those the item has; menusWithout: also name menus in which it has none.
void AppendAttributeList(CReport& report, int item, bool show, bool all, bool menusWithout);
