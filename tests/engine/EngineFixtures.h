// Small hand-built databases and recording views for the engine tests.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "database/LevelNames.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"

// Builds a document from menus, attributes, items and their bits.
class DocBuilder {
 public:
  DocBuilder() : m_doc(std::make_unique<CZAVDoc>()) {}

  int AddMenu(const std::string& title, int parent, BYTE kind = MENU_OF_ATTRIBUTES) {
    auto menu = std::make_unique<CQMenudata>();
    menu->kind = kind;
    menu->title = title;
    menu->parent = parent < 0 ? kNoIndex16 : static_cast<WORD>(parent);
    const int index = m_doc->MenuCount();
    if (parent >= 0) m_doc->m_menus[parent]->children.push_back(static_cast<WORD>(index));
    m_doc->m_menus.push_back(std::move(menu));
    return index;
  }

  // menu -1 makes a freed slot.
  int AddAttribute(int menu, const std::string& name) {
    auto record = std::make_unique<CQAttdata>();
    record->name = name;
    record->menuIndex = menu < 0 ? kNoIndex16 : static_cast<WORD>(menu);
    const int index = m_doc->AttributeCount();
    if (menu >= 0) m_doc->m_menus[menu]->children.push_back(static_cast<WORD>(index));
    m_doc->SetAttributeAt(index, std::move(record));
    return index;
  }

  // Empty common and species names make a free item slot.
  int AddItem(const std::string& common, const std::string& genus, const std::string& species,
              const std::string& family, std::vector<int> attributes) {
    auto record = std::make_unique<CQItemrec>();
    if (!common.empty()) record->nameIndex = Append(m_doc->m_itemNames, common, m_doc->ItemCount());
    if (!species.empty()) record->speciesIndex = Append(m_doc->m_speciesNames, species, m_doc->ItemCount());
    record->genusIndex = genus.empty() ? -1 : Slot(m_doc->m_genusNames, genus);
    record->familyIndex = family.empty() ? -1 : Slot(m_doc->m_familyNames, family);
    m_bits.push_back(std::move(attributes));
    m_doc->InsertItem(m_doc->ItemCount(), std::move(record));
    return m_doc->ItemCount() - 1;
  }

  std::unique_ptr<CZAVDoc> Build(bool missingData = false) {
    CZAVDoc& doc = *m_doc;
    for (auto& item : doc.m_docItems) *item = CZAVDocItem(item->item);
    if (doc.AttributeCount() > 0 && doc.ItemCount() > 0) {
      CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
      layout.BuildBlocks(doc.m_dataBlocks);
      for (int i = 0; i < doc.ItemCount(); ++i)
        for (int a : m_bits[i]) SetBit(layout.GetRowWordsIn(i, doc.m_dataBlocks), static_cast<WORD>(a));
    }
    doc.RecountItems();
    doc.m_missingData = missingData ? 1 : 0;
    doc.UpdateMissingDataBits();
    return std::move(m_doc);
  }

  CZAVDoc& doc() { return *m_doc; }

 private:
  static int Append(std::vector<std::unique_ptr<CQItemname>>& names, const std::string& name, int item) {
    auto entry = std::make_unique<CQItemname>();
    entry->name = name;
    entry->itemIndex = item;
    names.push_back(std::move(entry));
    return static_cast<int>(names.size()) - 1;
  }
  static int Slot(std::vector<std::string>& texts, const std::string& text) {
    for (std::size_t i = 0; i < texts.size(); ++i)
      if (texts[i] == text) return static_cast<int>(i);
    texts.push_back(text);
    return static_cast<int>(texts.size()) - 1;
  }

  std::unique_ptr<CZAVDoc> m_doc;
  std::vector<std::vector<int>> m_bits;
};

// Adds items whose attributes 0 .. attributes-1 are each set with the given
// chance in percent.
template <typename Rng>
void AddRandomItems(DocBuilder& b, Rng& rng, int items, int attributes, unsigned percent) {
  for (int i = 0; i < items; ++i) {
    std::vector<int> bits;
    for (int a = 0; a < attributes; ++a)
      if (rng() % 100 < percent) bits.push_back(a);
    b.AddItem("i", "", "s", "", bits);
  }
}

// The five-item database: menu 1 "Colour" (red, green, blue), menu 2
// "Size" (small, medium, large). Dill has no colour data, Elm no size data.
// With sizesInSecondWord the sizes sit at 32-34 behind freed slots, so the
// two menus lie in different 32-bit words.
struct FiveItems {
  enum Item { Apple, Bean, Cherry, Dill, Elm };
  int red, green, blue, small, medium, large;
  std::unique_ptr<CZAVDoc> doc;

  explicit FiveItems(bool missingData = false, bool sizesInSecondWord = false) {
    DocBuilder b;
    b.AddMenu("Root", -1, MENU_OF_MENUS);
    const int colour = b.AddMenu("Colour", 0);
    const int size = b.AddMenu("Size", 0);
    red = b.AddAttribute(colour, "red");
    green = b.AddAttribute(colour, "green");
    blue = b.AddAttribute(colour, "blue");
    while (sizesInSecondWord && b.doc().AttributeCount() < 32) b.AddAttribute(-1, "");
    small = b.AddAttribute(size, "small");
    medium = b.AddAttribute(size, "medium");
    large = b.AddAttribute(size, "large");
    b.AddItem("Apple", "Malus", "domestica", "Rosaceae", {red, small});
    b.AddItem("Bean", "Phaseolus", "vulgaris", "Fabaceae", {green, blue, medium});
    b.AddItem("Cherry", "Prunus", "avium", "Rosaceae", {red, blue, large});
    b.AddItem("Dill", "Anethum", "graveolens", "Apiaceae", {small});
    b.AddItem("Elm", "Ulmus", "minor", "Ulmaceae", {green});
    doc = b.Build(missingData);
  }

  CZAVDoc& operator*() { return *doc; }
  CZAVDoc* operator->() { return doc.get(); }

  void Mark(std::initializer_list<std::pair<int, BYTE>> marks) {
    for (auto [attribute, mark] : marks) doc->SetAttributeMark(attribute, mark);
  }
  // The evaluation every caller runs.
  void Evaluate(bool keepUser = true) {
    doc->ResetItemStates(keepUser);
    doc->UpdateRemainingItems();
  }
  std::vector<int> States() const {
    std::vector<int> states;
    for (int i = 0; i < doc->ItemCount(); ++i) states.push_back(doc->GetItemState(i));
    return states;
  }
  DWORD Mismatches(int item) const { return doc->GetMismatchCount(item); }
};

struct RecordingTree : ILeftView {
  int refreshes = 0, itemListRefreshes = 0, collapses = 0, repaints = 0;
  void RefreshTree() override { ++refreshes; }
  void RefreshItemList() override { ++itemListRefreshes; }
  void CollapseAll() override { ++collapses; }
  void RepaintTreeControl() override { ++repaints; }
};

struct RecordingList : IItemListView {
  int fills = 0, selChanges = 0, selectedRow = -1;
  std::vector<int> selectedItems;
  void FillList() override { ++fills; }
  void SelectItem(int item) override { selectedItems.push_back(item); }
  void SelectRow(int row) override { selectedRow = row; }
  int GetSelectedRow() override { return selectedRow; }
  void OnSelChange() override { ++selChanges; }
};

// Views and report hooks attached to a document, recording every call.
struct RecordingFrame {
  RecordingTree tree;
  RecordingList list;
  std::vector<bool> reports;  // saveOptions of every ShowReport
  std::vector<int> itemPages;

  explicit RecordingFrame(CZAVDoc& doc) {
    doc.AttachViews(nullptr, &tree, &list);
    doc.m_showReportHook = [this](bool save) { reports.push_back(save); };
    doc.m_showItemPageHook = [this](int item) { itemPages.push_back(item); };
  }
};
