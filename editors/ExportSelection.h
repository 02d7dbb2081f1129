// What the tree view has selected, as the exporter's element tree tells it.
#pragma once

struct ExportSelection {
  int attribute = -1;      // the selected attribute; -1 when the selected node is no attribute
  int attributeMenu = -1;  // the menu of attributes looked at; -1 when it is no such menu

  // From the tree's node kinds (9 attribute, 10 menu of attributes; -1 for
  // no node) and node indices. The node looked at is the parent of a
  // selected attribute, else the selected node itself; a root menu of
  // attributes (kind 11) does not count as a menu of attributes.
  static ExportSelection FromTreeNodes(int selectedKind, int selectedIndex, int parentKind, int parentIndex);
};
