#include "database/EliminationPlan.h"

#include <algorithm>

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

// What the plan reads of the document, gathered in one scan: the marks
// and the menu of every attribute, and the attributes of the menus that
// carry ONLY, OR or NO marks.
struct MarkScan {
  std::vector<BYTE> marks;
  std::vector<WORD> menus;
  // The attributes of each menu with a group mark, in index order, found
  // through a slot per menu index (a table, not a hash: every attribute
  // is looked up).
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

MarkScan ScanMarks(const CZAVDoc& doc) {
  MarkScan scan;
  const int count = std::min<int>(doc.AttributeCount(), static_cast<int>(doc.m_marks.size()));
  scan.marks.assign(doc.m_marks.begin(), doc.m_marks.begin() + count);
  // Every attribute's menu, read once: the records lie apart in memory.
  scan.menus.resize(doc.AttributeCount());
  for (int a = 0; a < doc.AttributeCount(); ++a) scan.menus[a] = doc.GetAttribute(a).menuIndex;
  for (int a = 0; a < count; ++a) {
    const WORD menu = scan.menus[a];
    const BYTE mark = scan.marks[a];
    if (menu == kNoIndex16 || !IsGroupMark(mark)) continue;
    if (scan.slotOfMenu.size() <= menu) scan.slotOfMenu.resize(std::size_t{menu} + 1, -1);
    if (scan.slotOfMenu[menu] < 0) {
      scan.slotOfMenu[menu] = static_cast<int>(scan.groupAttributes.size());
      scan.groupAttributes.emplace_back();
    }
    if (mark == MARK_OR) NoteFirst(scan.orOrder, menu);
    if (mark == MARK_NO) NoteFirst(scan.noOrder, menu);
  }
  if (scan.groupAttributes.empty()) return scan;
  for (int a = 0; a < count; ++a) {
    const WORD menu = scan.menus[a];
    if (menu < scan.slotOfMenu.size() && scan.slotOfMenu[menu] >= 0)
      scan.groupAttributes[scan.slotOfMenu[menu]].push_back(a);
  }
  return scan;
}

void AddOnlyGroup(EliminationPlan& plan, const std::vector<int>& menuAttributes, int only) {
  const auto begin = static_cast<std::uint32_t>(plan.onlyWords.size());
  for (int a : menuAttributes)
    if (a != only) AddToWords(plan.onlyWords, a, begin);
  plan.onlyGroups.push_back({begin, static_cast<std::uint32_t>(plan.onlyWords.size())});
}

void AddOrGroup(EliminationPlan& plan, const MarkScan& scan, const std::vector<int>& menuAttributes) {
  std::vector<WordMask> group;
  int members = 0;
  for (int a : menuAttributes) {
    if (scan.marks[a] != MARK_OR) continue;
    AddToWords(group, a);
    ++members;
  }
  if (members < 2) return;  // a lone OR mark in a menu has no effect
  const auto begin = static_cast<std::uint32_t>(plan.orWords.size());
  plan.orWords.insert(plan.orWords.end(), group.begin(), group.end());
  plan.orGroups.push_back({begin, static_cast<std::uint32_t>(plan.orWords.size())});
}

void AddNoGroup(EliminationPlan& plan, const MarkScan& scan, const std::vector<int>& menuAttributes) {
  const auto begin = static_cast<std::uint32_t>(plan.noWords.size());
  for (int a : menuAttributes) {
    const DWORD word = static_cast<DWORD>(a / 32);
    if (plan.noWords.size() == begin || plan.noWords.back().word != word) plan.noWords.push_back({word, 0, 0});
    (scan.marks[a] == MARK_NO ? plan.noWords.back().no : plan.noWords.back().others) |= Bit(a);
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
void AddLenientMenus(EliminationPlan& plan, const MarkScan& scan, int menus) {
  std::vector<DWORD> tested;
  auto note = [&tested](DWORD word, DWORD mask) {
    if (tested.size() <= word) tested.resize(word + 1, 0u);
    tested[word] |= mask;
  };
  for (const auto* words : {&plan.yesOnlyWords, &plan.neverWords, &plan.onlyWords, &plan.orWords})
    for (const WordMask& w : *words) note(w.word, w.mask);
  for (const NoWordMask& w : plan.noWords) note(w.word, w.no | w.others);
  // The attributes of each menu needed, the menus by their first tested attribute.
  const int attributes = static_cast<int>(scan.menus.size());
  std::vector<int> slotOf(menus, -1);
  std::vector<std::vector<int>> attributesOf;
  for (int a = 0; a < attributes; ++a) {
    const WORD menu = scan.menus[a];
    const auto word = static_cast<std::size_t>(a / 32);
    if (menu >= menus || slotOf[menu] >= 0 || word >= tested.size() || !(tested[word] & Bit(a))) continue;
    slotOf[menu] = static_cast<int>(attributesOf.size());
    attributesOf.emplace_back();
  }
  for (int a = 0; a < attributes && !attributesOf.empty(); ++a) {
    const WORD menu = scan.menus[a];
    if (menu < menus && slotOf[menu] >= 0) attributesOf[slotOf[menu]].push_back(a);
  }
  for (const std::vector<int>& attributes : attributesOf) {
    if (attributes.empty()) continue;
    const auto begin = static_cast<std::uint32_t>(plan.lenientWords.size());
    for (int a : attributes) AddToWords(plan.lenientWords, a, begin);
    plan.lenientMenus.push_back({begin, static_cast<std::uint32_t>(plan.lenientWords.size())});
  }
}

}  // namespace

EliminationPlan BuildEliminationPlan(const CZAVDoc& doc) {
  EliminationPlan plan;
  const MarkScan scan = ScanMarks(doc);
  for (int a = 0; a < static_cast<int>(scan.marks.size()); ++a) {
    const BYTE mark = scan.marks[a];
    if (mark == MARK_CLEAR || scan.menus[a] == kNoIndex16) continue;
    if (mark == MARK_YES || mark == MARK_ONLY) AddToWords(plan.yesOnlyWords, a);
    if (mark == MARK_NEVER) AddToWords(plan.neverWords, a);
    if (mark == MARK_ONLY) AddOnlyGroup(plan, scan.AttributesOf(scan.menus[a]), a);
  }
  for (WORD menu : scan.orOrder) AddOrGroup(plan, scan, scan.AttributesOf(menu));
  for (WORD menu : scan.noOrder) AddNoGroup(plan, scan, scan.AttributesOf(menu));
  AddWordsOf(plan.wordsRead, plan.yesOnlyWords);
  AddWordsOf(plan.wordsRead, plan.neverWords);
  AddWordsOf(plan.wordsRead, plan.onlyWords);
  AddWordsOf(plan.wordsRead, plan.orWords);
  AddWordsOf(plan.wordsRead, plan.noWords);
  SortUnique(plan.wordsRead);
  if (doc.m_missingData) AddLenientMenus(plan, scan, doc.MenuCount());
  plan.wordsFetched = plan.wordsRead;
  AddWordsOf(plan.wordsFetched, plan.lenientWords);
  SortUnique(plan.wordsFetched);
  return plan;
}
