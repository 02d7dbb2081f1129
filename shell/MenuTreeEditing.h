// The tree's editing commands: new, edited, deleted and sorted menus,
// attributes and references. Each keeps the document's child lists and the
// tree's nodes in step, then runs the common tail (data bits, modified flag,
// the current page again). The editors themselves are handed in, so the
// rules run without a window.
#pragma once

#include <functional>

#include "shell/MenuTree.h"

class CZAVDoc;

class CMenuTreeEditing {
 public:
  // Run an editor on a record; index -1 asks for a new one, which the editor
  // creates and reports through index. False: the author cancelled.
  using MenuEditor = std::function<bool(int& menu, int parent, bool attributeMenu)>;
  using AttributeEditor = std::function<bool(int& attribute, int parent)>;
  // Runs the reference title editor; index -1 adds a title at the end.
  using ReferenceEditor = std::function<bool(int reference)>;

  explicit CMenuTreeEditing(CMenuTree& tree);

  // The new node (kNoNode when cancelled). With an attribute selected the
  // new attribute stands right after it, else last in the selected menu.
  HTREEITEM InsertAttribute(HTREEITEM selected, const AttributeEditor& edit);
  // A new menu last below the selected menu of menus (or root).
  HTREEITEM InsertMenu(HTREEITEM selected, bool attributeMenu, const MenuEditor& edit);
  // A new reference last below "References" (selected: that node or a reference).
  HTREEITEM InsertReference(HTREEITEM selected, const ReferenceEditor& edit);
  bool EditMenu(HTREEITEM node, const MenuEditor& edit);
  bool EditReference(HTREEITEM node, const ReferenceEditor& edit);
  bool EditAttribute(HTREEITEM node, const AttributeEditor& edit);

  // Each asks "Are you sure" first; true when deleted.
  bool DeleteAttribute(HTREEITEM node);
  bool DeleteMenu(HTREEITEM node);
  bool DeleteReference(HTREEITEM node);

  // Orders a menu of attributes by name, in byte order; equal names keep
  // their order. False for any other node.
  bool SortAttributeMenu(HTREEITEM node);

  // Whether a popup offers these commands on a node of that kind.
  static bool CanInsertAttribute(int kind);
  static bool CanInsertMenu(int kind);
  static bool CanEditMenu(int kind);

  // "Too many Attributes!" / "Too many menues!" when the first free slot lies
  // beyond the limit; checked before an editor opens.
  static void CheckNewAttributeLimit(const CZAVDoc& doc);
  static void CheckNewMenuLimit(const CZAVDoc& doc);

  // The tail after a structural change.
  void SetModifiedAndRefresh();

 private:
  // The record index a node stands for (menu, attribute or reference).
  int IndexOf(HTREEITEM node) const { return static_cast<int>(m_tree.Nodes().Data(node)); }
  void RefreshTreeView();
  bool SubtreeHoldsAttributes(int menu) const;

  CMenuTree& m_tree;
  CZAVDoc& m_doc;
};
