// The records stored in a ".qor" database file. Every index is a position
// in one of the document's arrays; -1 (items, names) and 65535 (menus,
// attributes) stand for "none".
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;

inline constexpr WORD kNoIndex16 = 65535;

// Whether index is a position in an array of that size; "none" never is.
constexpr bool IsValidIndex(long long index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) < size;
}

// Marks one attribute can carry.
enum MarkCode : BYTE { MARK_CLEAR = 0, MARK_YES = 1, MARK_OR = 2, MARK_NO = 3, MARK_NEVER = 4, MARK_ONLY = 5 };

// States one item can be in.
enum ItemStateCode : BYTE {
  STATE_ELIMINATED = 0,
  STATE_REMAINING = 1,
  STATE_USER_ELIMINATED = 2,
  STATE_MISSING_DATA = 3,
  STATE_SELECTED = 4,
  STATE_SELECTED_ELIMINATED = 5,
  STATE_FREE = 255,
};

// Still a candidate: neither eliminated nor a free slot.
constexpr bool IsRemainingState(BYTE state) {
  return state == STATE_REMAINING || state == STATE_MISSING_DATA || state == STATE_SELECTED;
}
// Selected by the user, whether or not the marks have eliminated it since.
constexpr bool IsSelectedState(BYTE state) { return state == STATE_SELECTED || state == STATE_SELECTED_ELIMINATED; }

// Menu kinds.
enum MenuKind : BYTE { MENU_FREE = 0, MENU_OF_MENUS = 1, MENU_OF_ATTRIBUTES = 2 };

struct CQDochdr {
  BYTE commonNamesEnabled = 1;
  BYTE scientificNamesEnabled = 0;
  BYTE showCommonNames = 0;
  WORD reservedWord = 0;
  DWORD reserved[4] = {0, 11, 0, 0};
  DWORD lockWord = 0;  // set to the description's token by the document
  std::string title;
  std::string dbVersion;
  std::string menuVersion;
  std::string description;
};

struct CQItemrec {
  std::int32_t nameIndex = -1;
  std::int32_t speciesIndex = -1;
  std::int32_t genusIndex = -1;
  std::int32_t familyIndex = -1;
  std::string description;
  std::string pictures;
  std::vector<std::string> referencePages;  // element r: page of reference r ("" = not cited)

  bool IsFreeSlot() const { return nameIndex == -1 && speciesIndex == -1; }
};

struct CQItemname {
  std::int32_t itemIndex = -1;  // -1: entry not linked to an item
  std::string name;
};

struct CQAttdata {
  WORD menuIndex = kNoIndex16;  // 65535: free slot
  BYTE flag = 0;
  std::string name;
  std::string secondText;
  std::string helpText;
  std::string pictures;

  bool IsFreeSlot() const { return menuIndex == kNoIndex16; }
};

struct CQMenudata {
  BYTE kind = MENU_FREE;
  BYTE difficulty = 1;
  WORD parent = kNoIndex16;
  std::string title;
  std::string helpText;
  std::string pictures;
  std::vector<WORD> children;  // sub-menus (kind 1) or attributes (kind 2), display order
};

// An array of 32-bit words that stores itself as a count and the words.
using CQDwordArray = std::vector<DWORD>;

// One stored block of rows of the item x attribute bit matrix.
struct CQDatablock {
  CQDwordArray words;
};

// Picture-name lists are ";"-separated; every store and load normalises them:
// trailing ";" removed, ";;" replaced by ";" in one pass, a lone ";" emptied.
std::string NormalizePictureList(const std::string& pictures);

// Removes leading and trailing white space in place.
void TrimSpaces(std::string& text);

// Index of the first element equal to text, else of the first empty one,
// else the array size (never -1).
int FindStringSlot(const std::vector<std::string>& array, const std::string& text);
// The same, but an empty slot is taken only when mayReuse(slot) agrees: an
// empty text that an item still points at must not become another name.
int FindStringSlot(const std::vector<std::string>& array, const std::string& text,
                   const std::function<bool(int)>& mayReuse);
