// The reading side of the menu clipboard. The clipboard is input from any
// program, so the whole block is read and checked into a temporary branch
// before a paste changes anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/ClipboardBranch.h"

struct ClipboardDecodeResult {
  bool ok = false;
  ClipboardBranch branch;  // complete when ok
  std::string error;       // the message for the user when not ok
};

// Reads the version word, one branch and the end tag; bytes after the end
// tag are ignored. Refuses a block larger than kMaxClipboardBlockBytes
// before reading it, a branch of more menus or attributes than a database
// holds as soon as the count is passed, and a block whose lengths run past its end, whose
// down and up tags do not pair, that climbs above its top record, or that
// puts a record where the tree allows none (a menu below a menu of
// attributes, an attribute below a menu of menus or below an attribute).
ClipboardDecodeResult DecodeClipboardBranch(const std::uint8_t* data, std::size_t size);
