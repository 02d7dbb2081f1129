// A branch of the menu tree as the menu clipboard carries it: the stream's
// tags and the temporary tree a paste is read into before anything in the
// document changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "database/Records.h"

// The stream's leading word; a block with another one is not ours.
inline constexpr WORD kClipboardVersion = 3519;

// The largest block a paste reads: room for a branch of thousands of menus
// and attributes with their texts, while what the reading builds from it
// stays within tens of megabytes whatever another program put there.
inline constexpr std::size_t kMaxClipboardBlockBytes = std::size_t{16} << 20;

// Record tags, each a 32-bit word in the stream.
enum ClipboardTag : DWORD {
  CLIP_MENU_OF_MENUS = 1,
  CLIP_MENU_OF_ATTRIBUTES = 2,
  CLIP_ATTRIBUTE = 3,
  CLIP_DOWN = 10,  // the records that follow are children of the last one
  CLIP_UP = 11,    // the records that follow belong to the parent again
  CLIP_END = 100,
};

// One menu or attribute of the branch. The kind, parent, child list and the
// attribute's menu and flag come from the place of insertion, so they are
// not carried.
struct ClipboardRecord {
  DWORD tag = CLIP_ATTRIBUTE;
  BYTE difficulty = 1;  // menus only
  std::string text;     // a menu's title, an attribute's name
  std::string helpText;
  std::string pictures;
  int parent = -1;  // position of the parent record, -1 for the branch's top
  std::vector<int> children;

  bool IsMenu() const { return tag == CLIP_MENU_OF_MENUS || tag == CLIP_MENU_OF_ATTRIBUTES; }
};

// Records in stream order (depth first): a parent always comes before its
// children, record 0 is the top of the branch.
struct ClipboardBranch {
  std::vector<ClipboardRecord> records;

  int CountMenus() const;
  int CountAttributes() const;
  // How many levels of menus the branch spans (0 when its top is an attribute).
  int MenuLevels() const;
};

// Which records may stand below a record of the given tag (0: below the
// place of insertion, whose kind the paste checks itself).
bool MayStandBelow(DWORD childTag, DWORD parentTag);
