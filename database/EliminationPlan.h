// The marks of one evaluation turned into 32-bit word masks, built once so
// that the passes over the items allocate nothing and test 32 attributes at
// a time. Marks on freed attributes (menu 65535) are left out.
#pragma once

#include <cstdint>
#include <vector>

#include "database/Records.h"

class CZAVDoc;

struct WordMask {
  DWORD word;
  DWORD mask;
};

// A menu's NO group in one word: the NO-marked attributes and the others.
struct NoWordMask {
  DWORD word;
  DWORD no;
  DWORD others;
};

// A run of entries of one of the word lists: one ONLY, OR or NO group.
struct GroupRange {
  std::uint32_t begin;
  std::uint32_t end;
};

struct EliminationPlan {
  std::vector<WordMask> yesOnlyWords;  // pass 1, in word order
  std::vector<WordMask> neverWords;    // pass 2, in word order
  std::vector<WordMask> onlyWords;     // pass 3: per ONLY mark, the other attributes of its menu
  std::vector<GroupRange> onlyGroups;
  std::vector<WordMask> orWords;  // pass 4: per menu, its OR-marked attributes (two or more)
  std::vector<GroupRange> orGroups;
  std::vector<NoWordMask> noWords;  // pass 5: per menu, every word the menu has attributes in
  std::vector<GroupRange> noGroups;

  // Every word the passes may read from a row, ascending, each once.
  std::vector<DWORD> wordsRead;
  // With missing data on: the menus of the attributes the passes test,
  // each with all of its words, so that the lenient bits the passes read
  // come from the row itself and not from a second row in memory.
  std::vector<WordMask> lenientWords;
  std::vector<GroupRange> lenientMenus;
  // The words read and the words of those menus, to fetch them ahead.
  std::vector<DWORD> wordsFetched;

  // The word the passes read first from every row.
  DWORD FirstWord() const {
    if (!yesOnlyWords.empty()) return yesOnlyWords.front().word;
    if (!neverWords.empty()) return neverWords.front().word;
    if (!onlyWords.empty()) return onlyWords.front().word;
    if (!orWords.empty()) return orWords.front().word;
    return noWords.empty() ? 0 : noWords.front().word;
  }

  bool Empty() const {
    return yesOnlyWords.empty() && neverWords.empty() && onlyGroups.empty() && orGroups.empty() && noGroups.empty();
  }
};

EliminationPlan BuildEliminationPlan(const CZAVDoc& doc);
