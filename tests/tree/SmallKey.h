// A small key for the tree tests: a root menu of menus with "Colour" (Red,
// Green, Blue) and "Size" (Small, Large), and five fruits. Recording views
// stand in for the panes.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "database/BitMatrix.h"
#include "shell/ItemListRows.h"
#include "shell/MenuTree.h"
#include "database/ZAVDoc.h"
#include "fakes/ScriptedUi.h"
#include "platform/DocumentViews.h"
#include "platform/ErrorBox.h"
#include "reports/Action.h"

enum { kRed, kGreen, kBlue, kSmall, kLarge };
enum { kApple, kCherry, kLime, kPine, kPlum };

inline std::unique_ptr<CQMenudata> MakeMenu(BYTE kind, WORD parent, const std::string& title,
                                            std::vector<WORD> children) {
  auto menu = std::make_unique<CQMenudata>();
  menu->kind = kind;
  menu->parent = parent;
  menu->title = title;
  menu->children = std::move(children);
  return menu;
}

inline void AddAttribute(CZAVDoc& doc, int index, WORD menu, const std::string& name) {
  auto record = std::make_unique<CQAttdata>();
  record->menuIndex = menu;
  record->name = name;
  doc.SetAttributeAt(index, std::move(record));
}

inline void AddFruit(CZAVDoc& doc, int index, const std::string& name) {
  auto entry = std::make_unique<CQItemname>();
  entry->itemIndex = index;
  entry->name = name;
  doc.m_itemNames.push_back(std::move(entry));
  auto record = std::make_unique<CQItemrec>();
  record->nameIndex = index;
  doc.InsertItem(index, std::move(record));
}

inline void GiveAttribute(CZAVDoc& doc, int item, int attribute) { SetBit(doc.GetItemAttributeBits(item), attribute); }

// Puts the item states back and evaluates, as opening a database does.
inline void Evaluate(CZAVDoc& doc) {
  doc.ResetItemStates(false);
  doc.UpdateRemainingItems();
  doc.UpdateAttributeCounts();
}

inline std::unique_ptr<CZAVDoc> MakeSmallKey(bool withItems = true) {
  auto doc = std::make_unique<CZAVDoc>();
  doc->m_header.commonNamesEnabled = 1;
  doc->m_header.scientificNamesEnabled = 0;
  doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, kNoIndex16, "Fruit", {1, 2}));
  doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, 0, "Colour", {kRed, kGreen, kBlue}));
  doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, 0, "Size", {kSmall, kLarge}));
  const char* names[] = {"Red", "Green", "Blue", "Small", "Large"};
  for (int a = 0; a < 5; ++a) AddAttribute(*doc, a, a < 3 ? 1 : 2, names[a]);
  if (!withItems) return doc;
  const char* fruits[] = {"Apple", "Cherry", "Lime", "Pine", "Plum"};
  for (int i = 0; i < 5; ++i) AddFruit(*doc, i, fruits[i]);
  CBitMatrix(doc->AttributeCount(), doc->ItemCount()).BuildBlocks(doc->m_dataBlocks);
  const int bits[][2] = {{kApple, kRed},  {kApple, kLarge}, {kCherry, kRed}, {kCherry, kSmall}, {kLime, kGreen},
                         {kLime, kSmall}, {kPine, kGreen},  {kPine, kLarge}, {kPlum, kBlue},    {kPlum, kSmall}};
  for (auto [item, attribute] : bits) GiveAttribute(*doc, item, attribute);
  Evaluate(*doc);
  return doc;
}

// The item list as the core sees it: rows, a selected row, fill counts.
class RecordingList : public IItemListView {
 public:
  explicit RecordingList(CZAVDoc& doc) : m_doc(doc) {}
  void FillList() override {
    rows.FillRows(m_doc);
    selectedRow = rows.RowCount() > 0 ? 0 : -1;
    ++fills;
  }
  void SelectItem(int item) override {
    for (int row : rows.RowsOfItem(item)) selectedRow = row;
  }
  int GetSelectedItemOrNone() override { return rows.ItemOrNone(selectedRow); }
  void SelectRow(int row) override { selectedRow = row; }
  int GetSelectedRow() override { return selectedRow; }
  int RowCount() override { return rows.RowCount(); }
  int ItemAtRow(int row) override { return rows.ItemOrNone(row); }
  void OnSelChange() override { pageRows.push_back(selectedRow); }

  CItemListRows rows;
  int selectedRow = -1;
  int fills = 0;
  std::vector<int> pageRows;  // the selected row each time the selection handling ran

 private:
  CZAVDoc& m_doc;
};

class RecordingTree : public ILeftView {
 public:
  explicit RecordingTree(CMenuTree& tree) : m_tree(tree) {}
  void RefreshTree() override {
    m_tree.RefreshTree();
    ++refreshes;
  }
  int refreshes = 0;

 private:
  CMenuTree& m_tree;
};

class RecordingHtml : public IHtmlView {
 public:
  struct Page {
    std::string html;
    bool withAction;
  };
  void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) override {
    pages.push_back({html, action != nullptr});
  }
  void NavigateTo(const std::string& path) override { navigated.push_back(path); }
  std::vector<Page> pages;
  std::vector<std::string> navigated;
};

// A document with its tree built and recording panes attached.
struct TreeFixture {
  explicit TreeFixture(bool withItems = true) : doc(MakeSmallKey(withItems)), tree(*doc), list(*doc), treeView(tree) {
    doc->AttachViews(&html, &treeView, &list);
    doc->m_showReportHook = [this](bool) { ++reportsShown; };
    tree.OnInitialUpdate();
    g_partialMatchWarned = false;
  }
  HTREEITEM Menu(int index) const { return tree.Nodes().Children(tree.MenuRoot()).at(index); }
  HTREEITEM Attribute(int attribute) const { return tree.FindAttributeNode(attribute); }
  int ImageOf(int attribute) const { return tree.Nodes().Image(Attribute(attribute)); }
  std::string LabelOf(int attribute) const { return tree.GetNodeLabel(Attribute(attribute)); }
  int PartialMatchMessages() const {
    const auto texts = ui.Messages();
    return static_cast<int>(
        std::count(texts.begin(), texts.end(),
                   "Only partial matches with missing data or\r\nselected but eliminated items remain."));
  }

  ScriptedUi ui;
  std::unique_ptr<CZAVDoc> doc;
  CMenuTree tree;
  RecordingHtml html;
  RecordingList list;
  RecordingTree treeView;
  int reportsShown = 0;
};
