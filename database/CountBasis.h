// What the last candidate count was taken over, so that the next count
// after marks reads only the rows of the items whose candidacy changed:
// their rows are subtracted or added. The counts over every row are kept
// too once taken, so that a count over most of the items can be the whole
// minus the few left out. Any change of the bit matrix drops both.
#pragma once

#include <vector>

#include "database/Records.h"

struct CountBasis {
  bool valid = false;
  int items = 0;
  int attributes = 0;
  std::vector<BYTE> candidates;  // 1 for every item counted
  std::vector<DWORD> counts;     // the counts taken, 32 per row word
  std::vector<DWORD> allCounts;  // over every row 0..items-1; empty until taken
};
