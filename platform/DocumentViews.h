// What the document and its link actions call on the views of its frame.
// The GUI implements these; core tests install recording fakes.
//
// The calls beyond the first of each view have safe defaults (nothing
// found, nothing chosen) so a view can grow into them; the program's views
// override every one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class ReportAction;

// A node of the tree pane (the tree's HTREEITEM); 0 is "no node".
using TreeNodeHandle = std::int32_t;

// Commands of the item-link popup (the "rw" popup has all seven, the
// "ronly" popup the first four).
enum ItemPopupCommand : int {
  kCmdFindItemInList = 32846,      // "Find item in the list"
  kCmdToggleEliminated = 32845,    // "Toggle eliminated"
  kCmdItemDescription = 32847,     // "Description"
  kCmdDistinctive = 32848,         // "Distinctive attributes"
  kCmdEditItem = 32849,            // "Edit item description"
  kCmdEditItemReferences = 32862,  // "Edit item references"
  kCmdEditItemAttributes = 32850,  // "Edit item attributes"
};

// Commands of the "Attribute" popup shown on a picture region.
enum RegionPopupCommand : int {
  kCmdMarkYes = 32796,
  kCmdMarkOr = 32799,
  kCmdMarkNo = 32797,
  kCmdMarkNever = 32798,
  kCmdMarkOnly = 32809,
  kCmdMarkClear = 32808,
};

// The HTML view (right pane).
class IHtmlView {
 public:
  virtual ~IHtmlView() = default;
  // Loads a finished page; the view takes the link action that serves it.
  // The view keeps the current and the previous action and must not destroy
  // an action while that action's handler runs (see reports/Action.h).
  virtual void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) = 0;
  // Opens the item-link popup at the mouse position of the last click and
  // returns the chosen command, 0 when the popup was closed. editable false
  // offers only the four viewing entries.
  virtual int PopupItemMenu(bool editable) {
    (void)editable;
    return 0;
  }
  // Opens the "Attribute" popup of a picture region; the chosen command or 0.
  virtual int PopupRegionMenu() { return 0; }
  // Opens a page file directly, without a report (the database's opening page).
  virtual void NavigateTo(const std::string& path) { (void)path; }
  // Prints the page now shown.
  virtual void Print() {}
};

// The tree of menus, attributes and references (top left).
class ILeftView {
 public:
  virtual ~ILeftView() = default;
  // Recounts the per-attribute candidate counts and redraws the labels.
  virtual void RefreshTree() = 0;
  // Searches the menu root's subtree for the attribute (or menu) node with
  // that index, expands the path, makes the node visible scrolled fully left
  // and selects it; no page is shown. For a menu found while firstVisible is
  // set, the node is also expanded and made the first visible node. Returns
  // the node, 0 when none.
  virtual TreeNodeHandle SelectAttributeNode(int attribute) {
    (void)attribute;
    return 0;
  }
  virtual TreeNodeHandle SelectMenuNode(int menu, bool firstVisible) {
    (void)menu;
    (void)firstVisible;
    return 0;
  }
  // Selects the node; 0 removes the selection.
  virtual void SelectNode(TreeNodeHandle node) { (void)node; }
  // The children of a node with their labels, in tree order.
  virtual std::vector<std::pair<TreeNodeHandle, std::string>> ChildNodes(TreeNodeHandle node) {
    (void)node;
    return {};
  }
  // Shows the page of a node in the HTML view.
  virtual void ShowNodeReport(TreeNodeHandle node) { (void)node; }
  // Refills the item list pane.
  virtual void RefreshItemList() {}
  // Collapses every node below the first top-level node ("Clear all marks").
  virtual void CollapseAll() {}
  // Repaints the control after the missing-data bits changed.
  virtual void RepaintTreeControl() {}
  // Asks, then sets (or clears) the attribute for the remaining items.
  // Returns true when the item data changed.
  virtual bool SetAttributeForAllItems(bool set, int attribute) {
    (void)set;
    (void)attribute;
    return false;
  }
  // Marks the attribute of a region node (OR goes through the region dialog).
  virtual void ApplyRegionMark(int mark, TreeNodeHandle attributeNode) {
    (void)mark;
    (void)attributeNode;
  }
  // Whether ApplyRegionMark can carry out the mark of this "Attribute" popup
  // command; the popup offers only the commands that do something.
  virtual bool OffersRegionCommand(int command) {
    (void)command;
    return true;
  }
  // Rebuilds the whole tree, the "References" subtree included.
  virtual void OnUpdate() {}
  // Inserts (last at the top level) or deletes the "Database Description" node.
  virtual void ShowDescriptionNode(bool shown) { (void)shown; }
};

// The item list (bottom left).
class IItemListView {
 public:
  virtual ~IItemListView() = default;
  virtual void FillList() = 0;
  // A refill while no item state and no order changed since the last one:
  // the rows stay as they are, the rest is done as a refill does it.
  virtual void RefillUnchangedRows() { FillList(); }
  // Selects every row of the item; shows no page.
  virtual void SelectItem(int item) { (void)item; }
  // The item of the selected row; -1 when no row is selected.
  virtual int GetSelectedItemOrNone() { return -1; }
  // Selects one row; shows no page.
  virtual void SelectRow(int row) { (void)row; }
  // The selected row, -1 when none; the selection handling that shows the
  // page of the selected row.
  virtual int GetSelectedRow() { return -1; }
  virtual void OnSelChange() {}
  // The number of rows and the item of one row (-1 for a row without item
  // or outside the list), for the editors that step through the list.
  virtual int RowCount() { return 0; }
  virtual int ItemAtRow(int row) {
    (void)row;
    return -1;
  }
  // Runs the item editor on the item; true when it ended with OK.
  virtual bool EditItemDescription(int item) {
    (void)item;
    return false;
  }
  // The list's own "Edit item references" and "Edit item attributes"
  // commands on its selected item.
  virtual void EditItemReferences() {}
  virtual void EditItemAttributes() {}
  // Whether the list can run this editing command of the item-link popup
  // (kCmdEditItem, kCmdEditItemReferences, kCmdEditItemAttributes); the
  // popup offers only the entries that do something.
  virtual bool OffersItemCommand(int command) {
    (void)command;
    return false;
  }
};

// Help pages, single pictures and picture-viewer pages outside the
// database frame. Program-wide, installed by the program at start.
class IHelpDisplay {
 public:
  virtual ~IHelpDisplay() = default;
  // The modal help dialog on an address (file URL with optional anchor).
  virtual void ShowHelpDialog(const std::string& address) = 0;
  // A window of its own (titled "Image Gallery") on an address or on HTML text.
  virtual void OpenHelpWindow(const std::string& address) = 0;
  virtual void OpenHtmlWindow(const std::string& html) = 0;
};

// The installed help display; a silent one until the program installs its own.
IHelpDisplay& HelpDisplay();
void SetHelpDisplay(IHelpDisplay* display);
