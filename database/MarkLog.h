// The document's log of mark operations. Single marks (YES, NO, NEVER,
// ONLY) are logged with their tree node; OR marks placed through the
// regions of a menu's picture are logged as one group keyed by the menu's node.
#pragma once

#include <cstdint>
#include <vector>

struct MarkLogRecord {
  virtual ~MarkLogRecord() = default;
  std::int32_t mark = 0;
  std::int32_t key = 0;  // tree node of the attribute (single) or the menu (group)
  virtual bool IsGroup() const { return false; }
};

struct SingleMarkRecord : MarkLogRecord {
  std::int32_t attribute = -1;
};

struct MARKUNDO_Object : MarkLogRecord {
  MARKUNDO_Object(std::int32_t markCode, std::int32_t nodeKey) {
    mark = markCode;
    key = nodeKey;
  }
  bool IsGroup() const override { return true; }
  std::vector<std::int32_t> attributes;
};
