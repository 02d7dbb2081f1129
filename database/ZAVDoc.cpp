#include "database/ZAVDoc.h"

#include <utility>

#include "database/LevelNames.h"
#include "database/MarkLog.h"

CZAVDoc::CZAVDoc() : m_levelNames(std::make_unique<LevelNames>()) {
  m_header.lockWord = LockTokenFor(m_header.description);
  InstallReportDriver();
}

CZAVDoc::~CZAVDoc() { WritePendingXmlDump(); }

DWORD CZAVDoc::LockTokenFor(const std::string& description) {
  // FNV-1a over the description; never 0, because 0 is the locked state.
  DWORD hash = 2166136261u;
  for (unsigned char c : description) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash ? hash : 1u;
}

void CZAVDoc::InsertItem(int index, std::unique_ptr<CQItemrec> record) {
  const auto at = static_cast<std::size_t>(index);
  if (at >= m_items.size()) m_items.resize(at + 1);
  CQItemrec* raw = record.get();
  m_items[at] = std::move(record);
  if (at >= m_itemStates.size()) m_itemStates.resize(at + 1, STATE_REMAINING);
  m_itemStates[at] = STATE_REMAINING;
  if (at < m_mismatchCounts.size()) m_mismatchCounts[at] = 0;  // a new item has failed no mark yet
  SetDocItem(index, std::make_unique<CZAVDocItem>(raw));
}

void CZAVDoc::SetDocItem(int index, std::unique_ptr<CZAVDocItem> docItem) {
  const auto at = static_cast<std::size_t>(index);
  if (at >= m_docItems.size()) m_docItems.resize(at + 1);
  m_docItems[at] = std::move(docItem);
}

void CZAVDoc::SetAttributeAt(int index, std::unique_ptr<CQAttdata> record) {
  const auto at = static_cast<std::size_t>(index);
  if (at >= m_attributes.size()) m_attributes.resize(at + 1);
  m_attributes[at] = std::move(record);
  if (at >= m_marks.size()) m_marks.resize(at + 1, MARK_CLEAR);
  m_marks[at] = MARK_CLEAR;
}

DWORD* CZAVDoc::GetItemAttributeBits(int item) {
  InvalidateCountBasis();  // the caller may write the row
  return const_cast<DWORD*>(std::as_const(*this).GetItemAttributeBits(item));
}

const DWORD* CZAVDoc::GetItemAttributeBits(int item) const {
  if (m_items.empty() || m_attributes.empty() || item < 0) return nullptr;
  CBitMatrix layout(AttributeCount(), ItemCount());
  return layout.GetRowWordsIn(item, m_dataBlocks);
}

int CZAVDoc::FindFreeAttribute() const {
  for (int i = m_addingOnly.active ? m_addingOnly.attributesFrom : 0; i < AttributeCount(); ++i)
    if (m_attributes[i]->IsFreeSlot()) return i;
  return AttributeCount();
}

int CZAVDoc::FindFreeItem() const {
  for (int i = m_addingOnly.active ? m_addingOnly.itemsFrom : 0; i < ItemCount(); ++i)
    if (m_items[i]->IsFreeSlot()) return i;
  return ItemCount();
}

int CZAVDoc::FindFreeMenu() const {
  for (int i = 0; i < MenuCount(); ++i)
    if (m_menus[i]->kind == MENU_FREE) return i;
  return MenuCount();
}

int CZAVDoc::GetMenuDepth(int menu) const {
  // Bounded by the menu count so that a cycle in damaged data cannot hang.
  int depth = -1;
  for (int steps = 0; menu >= 0 && menu < MenuCount() && steps <= MenuCount(); ++steps) {
    const WORD parent = m_menus[menu]->parent;
    if (parent == kNoIndex16) return depth;
    ++depth;
    menu = parent;
  }
  return depth;
}

void CZAVDoc::CollectMenuTree(int menu, std::vector<WORD>& list) const {
  // Iterative walk in the recursive order; each menu is visited at most once.
  std::vector<bool> seen(MenuCount(), false);
  std::vector<int> stack{menu};
  while (!stack.empty()) {
    const int m = stack.back();
    stack.pop_back();
    if (m < 0 || m >= MenuCount() || seen[m]) continue;
    seen[m] = true;
    list.push_back(static_cast<WORD>(m));
    const CQMenudata& data = *m_menus[m];
    if (data.kind != MENU_OF_MENUS) continue;
    for (auto it = data.children.rbegin(); it != data.children.rend(); ++it) stack.push_back(*it);
  }
}

bool CZAVDoc::IsMenuMarked(int menu) const {
  if (menu < 0 || menu >= MenuCount()) return false;
  const CQMenudata& data = *m_menus[menu];
  if (data.kind != MENU_OF_ATTRIBUTES) return false;
  for (WORD a : data.children)
    if (a < m_marks.size() && m_marks[a] != MARK_CLEAR) return true;
  return false;
}

bool CZAVDoc::IsGenusUnused(int genus) const {
  for (const auto& item : m_items)
    if (item->genusIndex == genus) return false;
  return true;
}

bool CZAVDoc::IsFamilyUnused(int family) const {
  for (const auto& item : m_items)
    if (item->familyIndex == family) return false;
  return true;
}

int CZAVDoc::FindItemNameInsertIndex(const std::string& name) const {
  for (std::size_t i = 0; i < m_itemNames.size(); ++i) {
    const CQItemname& entry = *m_itemNames[i];
    if (entry.itemIndex != -1 && entry.name.compare(name) > 0) return static_cast<int>(i);
  }
  return static_cast<int>(m_itemNames.size());
}

int CZAVDoc::FindSpeciesNameInsertIndex(const std::string& name) const {
  for (std::size_t i = 0; i < m_speciesNames.size(); ++i) {
    const CQItemname& entry = *m_speciesNames[i];
    if (entry.itemIndex < 0 || entry.itemIndex >= ItemCount()) continue;
    const CQItemrec& item = *m_items[entry.itemIndex];
    std::string scientific = entry.name;
    if (IsValidIndex(item.genusIndex, m_genusNames.size()) && !m_genusNames[item.genusIndex].empty())
      scientific = m_genusNames[item.genusIndex] + " " + entry.name;
    if (scientific.compare(name) > 0) return static_cast<int>(i);
  }
  return static_cast<int>(m_speciesNames.size());
}

int CZAVDoc::FindMenuByTitle(const std::string& title, bool topOnly) const {
  for (int i = 0; i < MenuCount(); ++i) {
    const CQMenudata& menu = *m_menus[i];
    if (menu.title != title) continue;
    if (topOnly && menu.parent != 0 && menu.parent != kNoIndex16) continue;
    return i;
  }
  return kNoIndex16;
}

int CZAVDoc::FindAttributeInMenu(const std::string& name, int menu) const {
  if (menu < 0 || menu >= MenuCount()) return kNoIndex16;
  for (WORD a : m_menus[menu]->children)
    if (a < m_attributes.size() && m_attributes[a]->name == name) return a;
  return kNoIndex16;
}

int CZAVDoc::FindChildByName(const std::string& name, int menu) const {
  if (menu < 0 || menu >= MenuCount()) return -1;
  const CQMenudata& data = *m_menus[menu];
  for (WORD child : data.children) {
    if (data.kind == MENU_OF_ATTRIBUTES && child < m_attributes.size() && m_attributes[child]->name == name)
      return child;
    if (data.kind == MENU_OF_MENUS && child < m_menus.size() && m_menus[child]->title == name) return child;
  }
  return -1;
}

void CZAVDoc::ClearAttribute(int attribute) {
  CQAttdata& a = GetAttribute(attribute);
  a.menuIndex = kNoIndex16;
  a.name.clear();
  a.secondText.clear();
  a.helpText.clear();
  a.pictures.clear();
  m_attributesChanged = 1;
}

void CZAVDoc::ClearMenu(int menu) {
  // Frees the subtree with an explicit stack, each menu once, so that a
  // cycle in damaged data cannot recurse without end.
  std::vector<bool> seen(MenuCount(), false);
  std::vector<std::pair<int, bool>> stack{{menu, false}};
  while (!stack.empty()) {
    auto [m, childrenDone] = stack.back();
    stack.pop_back();
    if (m < 0 || m >= MenuCount()) continue;
    CQMenudata& data = *m_menus[m];
    if (!childrenDone) {
      if (seen[m]) continue;
      seen[m] = true;
      stack.push_back({m, true});
      for (auto it = data.children.rbegin(); it != data.children.rend(); ++it) {
        if (data.kind == MENU_OF_MENUS) stack.push_back({*it, false});
      }
      if (data.kind == MENU_OF_ATTRIBUTES)
        for (WORD a : data.children)
          if (a < m_attributes.size()) ClearAttribute(a);
      continue;
    }
    data.kind = MENU_FREE;
    data.difficulty = 1;
    data.parent = kNoIndex16;
    data.title.clear();
    data.helpText.clear();
    data.pictures.clear();
    data.children.clear();
  }
}

void CZAVDoc::DeleteContents() {
  m_attributes.clear();
  m_menus.clear();
  m_itemNames.clear();
  m_speciesNames.clear();
  m_items.clear();
  m_dataBlocks.clear();
  m_mismatchCounts.clear();
  InvalidateCountBasis();
}
