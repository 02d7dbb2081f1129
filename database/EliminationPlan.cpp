#include "database/EliminationPlan.h"

#include <algorithm>
#include <cstring>

#include "database/ZAVDoc.h"

namespace {

constexpr DWORD Bit(int attribute) { return DWORD{1} << (attribute % 32); }

// Sets the attribute's bit in a word list kept in increasing word order
// (attributes arrive in index order); entries before groupBegin belong to
// earlier groups and are never merged into.
void AddToWords(std::vector<WordMask>& words, int attribute, std::size_t groupBegin = 0) {
  const DWORD word = static_cast<DWORD>(attribute / 32);
  if (words.size() == groupBegin || words.back().word != word) words.push_back({word, 0});
  words.back().mask |= Bit(attribute);
}

// What the plan reads of the document: the marked attributes with their
// marks and menus, and the attributes of the menus that carry ONLY, OR or
// NO marks. Only the marks are read for every attribute: the attribute
// records lie apart in memory, and a menu's own list names its attributes
// (each listed by the menu its record names, as loading and every edit
// keep them).
struct MarkScan {
  struct Marked {
    int attribute;
    BYTE mark;
    WORD menu;
  };
  std::vector<Marked> marked;  // in index order
  // The attributes of each menu with a group mark, in index order, found
  // through a slot per menu index.
  std::vector<int> slotOfMenu;
  std::vector<std::vector<int>> groupAttributes;
  std::vector<WORD> orOrder;  // menus by their first OR mark
  std::vector<WORD> noOrder;  // menus by their first NO mark

  const std::vector<int>& AttributesOf(WORD menu) const { return groupAttributes[slotOfMenu[menu]]; }
};

bool IsGroupMark(BYTE mark) { return mark == MARK_OR || mark == MARK_NO || mark == MARK_ONLY; }

void NoteFirst(std::vector<WORD>& order, WORD menu) {
  if (std::find(order.begin(), order.end(), menu) == order.end()) order.push_back(menu);
}

// The attributes of a menu below `count`, in index order. A menu index past
// the menus has no list: its attributes are looked for one by one.
std::vector<int> AttributesOfMenu(const CZAVDoc& doc, WORD menu, int count) {
  std::vector<int> attributes;
  if (menu >= doc.MenuCount()) {
    for (int a = 0; a < count; ++a)
      if (doc.GetAttribute(a).menuIndex == menu) attributes.push_back(a);
    return attributes;
  }
  for (WORD child : doc.GetMenu(menu).children)
    if (child < count && doc.GetAttribute(child).menuIndex == menu) attributes.push_back(child);
  std::sort(attributes.begin(), attributes.end());
  attributes.erase(std::unique(attributes.begin(), attributes.end()), attributes.end());
  return attributes;
}

// The marks are read eight at a time: almost all of them are clear.
std::vector<int> MarkedAttributes(const std::vector<BYTE>& marks, int count) {
  std::vector<int> marked;
  int a = 0;
  for (; a + 8 <= count; a += 8) {
    std::uint64_t eight;
    std::memcpy(&eight, marks.data() + a, sizeof eight);
    if (!eight) continue;
    for (int k = a; k < a + 8; ++k)
      if (marks[k] != MARK_CLEAR) marked.push_back(k);
  }
  for (; a < count; ++a)
    if (marks[a] != MARK_CLEAR) marked.push_back(a);
  return marked;
}

MarkScan ScanMarks(const CZAVDoc& doc) {
  MarkScan scan;
  const int count = std::min<int>(doc.AttributeCount(), static_cast<int>(doc.m_marks.size()));
  for (int a : MarkedAttributes(doc.m_marks, count)) {
    const WORD menu = doc.GetAttribute(a).menuIndex;
    const BYTE mark = doc.m_marks[a];
    scan.marked.push_back({a, mark, menu});
    if (menu == kNoIndex16 || !IsGroupMark(mark)) continue;
    if (scan.slotOfMenu.size() <= menu) scan.slotOfMenu.resize(std::size_t{menu} + 1, -1);
    if (scan.slotOfMenu[menu] < 0) {
      scan.slotOfMenu[menu] = static_cast<int>(scan.groupAttributes.size());
      scan.groupAttributes.push_back(AttributesOfMenu(doc, menu, count));
    }
    if (mark == MARK_OR) NoteFirst(scan.orOrder, menu);
    if (mark == MARK_NO) NoteFirst(scan.noOrder, menu);
  }
  return scan;
}

void AddOnlyGroup(EliminationPlan& plan, const std::vector<int>& menuAttributes, int only) {
  const auto begin = static_cast<std::uint32_t>(plan.onlyWords.size());
  for (int a : menuAttributes)
    if (a != only) AddToWords(plan.onlyWords, a, begin);
  plan.onlyGroups.push_back({begin, static_cast<std::uint32_t>(plan.onlyWords.size())});
}

void AddOrGroup(EliminationPlan& plan, const CZAVDoc& doc, const std::vector<int>& menuAttributes) {
  std::vector<WordMask> group;
  int members = 0;
  for (int a : menuAttributes) {
    if (doc.m_marks[a] != MARK_OR) continue;
    AddToWords(group, a);
    ++members;
  }
  if (members < 2) return;  // a lone OR mark in a menu has no effect
  const auto begin = static_cast<std::uint32_t>(plan.orWords.size());
  plan.orWords.insert(plan.orWords.end(), group.begin(), group.end());
  plan.orGroups.push_back({begin, static_cast<std::uint32_t>(plan.orWords.size())});
}

void AddNoGroup(EliminationPlan& plan, const CZAVDoc& doc, const std::vector<int>& menuAttributes) {
  const auto begin = static_cast<std::uint32_t>(plan.noWords.size());
  for (int a : menuAttributes) {
    const DWORD word = static_cast<DWORD>(a / 32);
    if (plan.noWords.size() == begin || plan.noWords.back().word != word) plan.noWords.push_back({word, 0, 0});
    (doc.m_marks[a] == MARK_NO ? plan.noWords.back().no : plan.noWords.back().others) |= Bit(a);
  }
  plan.noGroups.push_back({begin, static_cast<std::uint32_t>(plan.noWords.size())});
}

// Ascending and each once.
void SortUnique(std::vector<DWORD>& words) {
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
}

template <typename Words>
void AddWordsOf(std::vector<DWORD>& out, const Words& words) {
  for (const auto& w : words) out.push_back(w.word);
}

// The menus (valid ones, as the lenient rows are built) of the attributes
// the passes test, each as a group of all its words: the passes look at
// no other bits of a lenient word.
void AddLenientMenus(EliminationPlan& plan, const CZAVDoc& doc) {
  std::vector<DWORD> tested;
  auto note = [&tested](DWORD word, DWORD mask) {
    if (tested.size() <= word) tested.resize(word + 1, 0u);
    tested[word] |= mask;
  };
  for (const auto* words : {&plan.yesOnlyWords, &plan.neverWords, &plan.onlyWords, &plan.orWords})
    for (const WordMask& w : *words) note(w.word, w.mask);
  for (const NoWordMask& w : plan.noWords) note(w.word, w.no | w.others);
  // The menus by their first tested attribute.
  const int count = doc.AttributeCount();
  std::vector<bool> seen(doc.MenuCount(), false);
  for (std::size_t word = 0; word < tested.size(); ++word)
    for (DWORD bits = tested[word]; bits; bits &= bits - 1) {
      const int a = static_cast<int>(word * 32) + __builtin_ctz(bits);
      if (a >= count) continue;
      const WORD menu = doc.GetAttribute(a).menuIndex;
      if (menu >= doc.MenuCount() || seen[menu]) continue;
      seen[menu] = true;
      const auto begin = static_cast<std::uint32_t>(plan.lenientWords.size());
      for (int b : AttributesOfMenu(doc, menu, count)) AddToWords(plan.lenientWords, b, begin);
      plan.lenientMenus.push_back({begin, static_cast<std::uint32_t>(plan.lenientWords.size())});
    }
}

}  // namespace

EliminationPlan BuildEliminationPlan(const CZAVDoc& doc) {
  EliminationPlan plan;
  const MarkScan scan = ScanMarks(doc);
  for (const MarkScan::Marked& m : scan.marked) {
    if (m.menu == kNoIndex16) continue;
    if (m.mark == MARK_YES || m.mark == MARK_ONLY) AddToWords(plan.yesOnlyWords, m.attribute);
    if (m.mark == MARK_NEVER) AddToWords(plan.neverWords, m.attribute);
    if (m.mark == MARK_ONLY) AddOnlyGroup(plan, scan.AttributesOf(m.menu), m.attribute);
  }
  for (WORD menu : scan.orOrder) AddOrGroup(plan, doc, scan.AttributesOf(menu));
  for (WORD menu : scan.noOrder) AddNoGroup(plan, doc, scan.AttributesOf(menu));
  AddWordsOf(plan.wordsRead, plan.yesOnlyWords);
  AddWordsOf(plan.wordsRead, plan.neverWords);
  AddWordsOf(plan.wordsRead, plan.onlyWords);
  AddWordsOf(plan.wordsRead, plan.orWords);
  AddWordsOf(plan.wordsRead, plan.noWords);
  SortUnique(plan.wordsRead);
  if (doc.m_missingData) AddLenientMenus(plan, doc);
  plan.wordsFetched = plan.wordsRead;
  AddWordsOf(plan.wordsFetched, plan.lenientWords);
  SortUnique(plan.wordsFetched);
  return plan;
}
