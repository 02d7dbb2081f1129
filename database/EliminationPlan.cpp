#include "database/EliminationPlan.h"

#include <algorithm>
#include <unordered_map>

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

// The attributes of the menus that carry ONLY, OR or NO marks, collected
// in one scan over the attributes.
struct MarkedMenus {
  std::unordered_map<WORD, std::vector<int>> attributes;  // menu -> its attributes, index order
  std::vector<WORD> orOrder;                              // menus by their first OR mark
  std::vector<WORD> noOrder;                              // menus by their first NO mark
};

MarkedMenus CollectMarkedMenus(const CZAVDoc& doc, int count) {
  MarkedMenus menus;
  for (int a = 0; a < count; ++a) {
    const WORD menu = doc.GetAttribute(a).menuIndex;
    const BYTE mark = doc.m_marks[a];
    if (menu == kNoIndex16 || (mark != MARK_OR && mark != MARK_NO && mark != MARK_ONLY)) continue;
    menus.attributes.try_emplace(menu);
  }
  for (int a = 0; a < count; ++a) {
    const WORD menu = doc.GetAttribute(a).menuIndex;
    if (menu == kNoIndex16) continue;
    auto it = menus.attributes.find(menu);
    if (it == menus.attributes.end()) continue;
    const BYTE mark = doc.m_marks[a];
    const bool firstOr = mark == MARK_OR && std::find(menus.orOrder.begin(), menus.orOrder.end(), menu) == menus.orOrder.end();
    const bool firstNo = mark == MARK_NO && std::find(menus.noOrder.begin(), menus.noOrder.end(), menu) == menus.noOrder.end();
    if (firstOr) menus.orOrder.push_back(menu);
    if (firstNo) menus.noOrder.push_back(menu);
    it->second.push_back(a);
  }
  return menus;
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

}  // namespace

EliminationPlan BuildEliminationPlan(const CZAVDoc& doc) {
  EliminationPlan plan;
  const int count = std::min<int>(doc.AttributeCount(), static_cast<int>(doc.m_marks.size()));
  bool anyOnly = false;
  for (int a = 0; a < count; ++a) {
    const BYTE mark = doc.m_marks[a];
    if (mark == MARK_CLEAR || doc.GetAttribute(a).menuIndex == kNoIndex16) continue;
    if (mark == MARK_YES || mark == MARK_ONLY) AddToWords(plan.yesOnlyWords, a);
    if (mark == MARK_NEVER) AddToWords(plan.neverWords, a);
    anyOnly = anyOnly || mark == MARK_ONLY;
  }
  const MarkedMenus menus = CollectMarkedMenus(doc, count);
  if (anyOnly)
    for (int a = 0; a < count; ++a) {
      const WORD menu = doc.GetAttribute(a).menuIndex;
      if (doc.m_marks[a] == MARK_ONLY && menu != kNoIndex16) AddOnlyGroup(plan, menus.attributes.at(menu), a);
    }
  for (WORD menu : menus.orOrder) AddOrGroup(plan, doc, menus.attributes.at(menu));
  for (WORD menu : menus.noOrder) AddNoGroup(plan, doc, menus.attributes.at(menu));
  return plan;
}
