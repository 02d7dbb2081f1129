// What dropping one node of the tree onto another does to the key: a menu
// becomes a submenu of another menu or moves behind it, an attribute moves
// into another menu of attributes or behind another attribute, a reference
// moves behind another reference, and a node dropped onto its own parent
// becomes the parent's first child. The window only says which node was
// dropped where and answers the one question a drop may ask.
#pragma once

#include <functional>

#include "shell/TreeNodes.h"

class CMenuTree;

// The answer to "insert as submenu" or "place after" for a menu dropped on
// a menu of menus; Dismissed when the user closed the question.
enum class MenuDropChoice { Submenu, PlaceAfter, Dismissed };

class CTreeDropRules {
 public:
  using AskMenuDrop = std::function<MenuDropChoice()>;
  CTreeDropRules(CMenuTree& tree, AskMenuDrop ask) : m_tree(tree), m_ask(std::move(ask)) {}

  // A drag starts on any node below the top level of an editable database.
  bool CanDrag(HTREEITEM node) const;
  // True when ancestor is among the parents of node.
  bool IsAncestor(HTREEITEM node, HTREEITEM ancestor) const;

  // Drops dragged onto target. Returns the moved node's new handle (the
  // node is made again with its subtree), kNoNode when nothing moved; a
  // refused drop says why in a message and changes nothing.
  HTREEITEM Drop(HTREEITEM target, HTREEITEM dragged);
  HTREEITEM MoveToFirst(HTREEITEM node);
  HTREEITEM MoveNode(HTREEITEM target, HTREEITEM dragged);

 private:
  HTREEITEM MoveMenu(HTREEITEM dragged, int newParent, HTREEITEM parentNode, int afterEntry, HTREEITEM afterNode);
  HTREEITEM MoveAttribute(HTREEITEM dragged, int newMenu, HTREEITEM parentNode, int afterEntry, HTREEITEM afterNode);
  HTREEITEM MoveReference(int reference, int afterReference);
  HTREEITEM Finish(HTREEITEM moved);

  CMenuTree& m_tree;
  AskMenuDrop m_ask;
};
