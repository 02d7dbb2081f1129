// A plain, attribute-at-a-time model of the evaluation, written straight
// from the rules: word-major, pass after pass, sets of attributes as lists.
// Slow on purpose; the engine must give the same states and counts.
#pragma once

#include <algorithm>
#include <set>
#include <vector>

#include "database/ZAVDoc.h"

struct ModelResult {
  std::vector<BYTE> states;
  std::vector<DWORD> mismatches;
  int remaining = 0;
};

class EliminationModel {
 public:
  explicit EliminationModel(const CZAVDoc& doc)
      : m_doc(doc), A(doc.AttributeCount()), N(doc.ItemCount()), M(doc.MenuCount()), m_bits(N, std::vector<bool>(A)) {
    for (int i = 0; i < N; ++i) {
      const DWORD* row = doc.GetItemAttributeBits(i);
      for (int a = 0; a < A; ++a) m_bits[i][a] = row && ((row[a / 32] >> (a % 32)) & 1u);
    }
  }

  // The menu-data bit as the rules define it.
  bool HasData(int menu, int item) const {
    if (m_doc.GetItem(item).IsFreeSlot()) return false;
    for (int a = 0; a < A; ++a)
      if (Bit(item, a) && Menu(a) == menu) return true;
    return false;
  }

  // The item's lenient row: has the attribute, or has no data for its menu.
  std::vector<bool> LenientRow(int item) const {
    std::vector<bool> row(A, false);
    std::vector<bool> hasData(M);
    for (int m = 0; m < M; ++m) hasData[m] = HasData(m, item);
    for (int a = 0; a < A; ++a) {
      const int menu = Menu(a);
      row[a] = Bit(item, a) || (menu != 65535 && menu < M && !hasData[menu]);
    }
    return row;
  }

  ModelResult Run(std::vector<BYTE> startStates) {
    r.states = std::move(startStates);
    r.mismatches.assign(N, 0);
    missing = m_doc.m_missingData != 0;
    if (missing) CacheLenient();
    Reset();
    const int words = (A + 31) / 32;
    bool anyOrNoNever = false, anyOnly = false;
    for (int a = 0; a < A; ++a) {
      const int mark = Mark(a);
      anyOrNoNever = anyOrNoNever || mark == 2 || mark == 3 || mark == 4;
      anyOnly = anyOnly || (mark == 5 && Menu(a) != 65535);
    }
    for (int w = 0; w < words; ++w) Pass1(w);
    if (anyOrNoNever)
      for (int w = 0; w < words; ++w) Pass2(w);
    if (anyOnly)
      for (int a = 0; a < A; ++a)
        if (Mark(a) == 5 && Menu(a) != 65535) Pass3(a);
    if (anyOrNoNever) Pass4();
    if (anyOrNoNever) Pass5();
    return r;
  }

 private:
  bool Bit(int item, int a) const { return m_bits[item][a]; }
  int Menu(int a) const { return m_doc.GetAttribute(a).menuIndex; }
  int Mark(int a) const { return a < (int)m_doc.m_marks.size() ? m_doc.m_marks[a] : 0; }
  bool L(int item, int a) const { return m_lenient[item][a]; }
  static bool IsRemaining(BYTE s) { return s == 1 || s == 3 || s == 4; }
  bool Remaining(int i) const { return IsRemaining(r.states[i]); }

  // The item has the attribute, or has no data for the attribute's menu.
  void CacheLenient() {
    m_lenient.assign(N, std::vector<bool>(A, false));
    for (int i = 0; i < N; ++i) {
      if (m_doc.GetItem(i).IsFreeSlot()) continue;
      m_lenient[i] = LenientRow(i);
    }
  }

  void SetState(int i, BYTE s) {
    const BYTE old = r.states[i];
    const bool newOut = s == 0 || s == 2;
    if (newOut && IsRemaining(old))
      r.remaining--;
    else if (newOut && old == 5)
      r.remaining--;
    else if (!newOut && !IsRemaining(old))
      r.remaining++;
    r.states[i] = s;
  }

  void Reset() {
    for (int i = 0; i < N; ++i) {
      const BYTE s = r.states[i];
      if (s == 2 || s == 255) continue;
      SetState(i, s == 4 || s == 5 ? 4 : 1);
    }
    r.remaining = 0;
    for (int i = 0; i < N; ++i) r.remaining += r.states[i] != 2 && r.states[i] != 255;
    int marked = 0;
    for (int a = 0; a < (int)m_doc.m_marks.size(); ++a) marked += m_doc.m_marks[a] != 0;
    const int level = m_doc.m_forgivenessLevel;
    allowed = level == 0 || marked < 1 ? 0 : std::min(level, marked);
  }

  void AddMismatch(int i, int count) {
    r.mismatches[i] += count;
    if ((int)r.mismatches[i] > allowed) SetState(i, r.states[i] == 4 || r.states[i] == 5 ? 5 : 0);
  }

  void State3(int i) {
    if (r.states[i] != 4 && r.states[i] != 5) SetState(i, 3);
  }

  std::vector<int> InWord(int w, const std::vector<int>& set) const {
    std::vector<int> out;
    for (int a : set)
      if (a / 32 == w) out.push_back(a);
    return out;
  }
  std::vector<int> WordsOf(const std::vector<int>& set) const {
    std::set<int> words;
    for (int a : set) words.insert(a / 32);
    return {words.begin(), words.end()};
  }
  bool AnyBit(int i, const std::vector<int>& set) const {
    return std::any_of(set.begin(), set.end(), [&](int a) { return Bit(i, a); });
  }
  bool AnyL(int i, const std::vector<int>& set) const {
    return std::any_of(set.begin(), set.end(), [&](int a) { return L(i, a); });
  }
  std::vector<int> Where(auto predicate) const {
    std::vector<int> out;
    for (int a = 0; a < A; ++a)
      if (predicate(a)) out.push_back(a);
    return out;
  }

  void Pass1(int w) {
    const auto yes = Where([&](int a) { return a / 32 == w && (Mark(a) == 1 || Mark(a) == 5) && Menu(a) != 65535; });
    if (yes.empty()) return;
    for (int i = 0; i < N; ++i) {
      if (!Remaining(i)) continue;
      int lacking = 0;
      for (int a : yes) lacking += !Bit(i, a);
      if (!lacking) continue;
      if (missing && std::all_of(yes.begin(), yes.end(), [&](int a) { return L(i, a); }))
        State3(i);
      else
        AddMismatch(i, lacking);
    }
  }

  void Pass2(int w) {
    const auto never = Where([&](int a) { return a / 32 == w && Mark(a) == 4 && Menu(a) != 65535; });
    if (never.empty()) return;
    for (int i = 0; i < N; ++i) {
      if (!Remaining(i)) continue;
      int hit = 0;
      for (int a : never) hit += Bit(i, a);
      if (hit)
        AddMismatch(i, hit);
      else if (missing && AnyL(i, never))
        State3(i);
    }
  }

  void Pass3(int only) {
    const auto others = Where([&](int a) { return a != only && Menu(a) == Menu(only); });
    for (int i = 0; i < N; ++i) {
      if (!Remaining(i)) continue;
      for (int w : WordsOf(others)) {
        const auto o = InWord(w, others);
        if (!missing) {
          if (AnyBit(i, o)) {
            AddMismatch(i, 1);
            break;
          }
        } else if (AnyL(i, o)) {
          if (AnyBit(i, o)) {
            AddMismatch(i, 1);
            break;
          }
          State3(i);
        }
      }
    }
  }

  void Pass4() {
    std::set<int> seen;
    for (int first = 0; first < A; ++first) {
      if (Mark(first) != 2 || Menu(first) == 65535 || !seen.insert(Menu(first)).second) continue;
      const auto group = Where([&](int a) { return Menu(a) == Menu(first) && Mark(a) == 2; });
      if (group.size() < 2) continue;
      for (int i = 0; i < N; ++i) {
        if (!Remaining(i)) continue;
        bool decided = false;
        for (int w : WordsOf(group)) {
          const auto g = InWord(w, group);
          if (!missing && AnyBit(i, g)) {
            decided = true;
            break;
          }
          if (missing && AnyL(i, g)) {
            if (!AnyBit(i, g)) State3(i);
            decided = true;
            break;
          }
        }
        if (!decided) AddMismatch(i, 1);
      }
    }
  }

  void Pass5() {
    std::set<int> seen;
    for (int first = 0; first < A; ++first) {
      if (Mark(first) != 3 || Menu(first) == 65535 || !seen.insert(Menu(first)).second) continue;
      const int menu = Menu(first);
      const auto no = Where([&](int a) { return Menu(a) == menu && Mark(a) == 3; });
      const auto others = Where([&](int a) { return Menu(a) == menu && Mark(a) != 3; });
      const auto all = Where([&](int a) { return Menu(a) == menu; });
      for (int i = 0; i < N; ++i) {
        if (!Remaining(i)) continue;
        bool acc = false, passed = false;
        for (int w : WordsOf(all)) {
          const auto o = InWord(w, others);
          if (!missing && AnyBit(i, o)) {
            passed = true;
            break;
          }
          if (missing && AnyL(i, o)) {
            if (!AnyBit(i, o)) State3(i);
            passed = true;
            break;
          }
          acc = acc || AnyBit(i, InWord(w, no));
        }
        if (!passed && acc) AddMismatch(i, 1);
      }
    }
  }

  const CZAVDoc& m_doc;
  const int A, N, M;
  ModelResult r;
  bool missing = false;
  int allowed = 0;
  std::vector<std::vector<bool>> m_bits;
  std::vector<std::vector<bool>> m_lenient;
};
