// Which attributes set one item apart from the other items in play: the
// attributes it has that not every remaining item shares, rarest first.
#pragma once

#include <vector>

#include "database/Records.h"

class CZAVDoc;

struct DistinctiveAttribute {
  DWORD count = 0;  // candidate items (the item included) that share the attribute
  int attribute = 0;
};

// Ordered by count, then menu index, then the attribute's place in its menu.
// Attributes without a (valid) menu and those shared by all `remaining`
// items are left out.
std::vector<DistinctiveAttribute> FindDistinctiveAttributes(const CZAVDoc& doc, int item,
                                                            const std::vector<int>& candidates, int remaining);
