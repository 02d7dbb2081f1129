// What the last candidate count was taken over, so that the next count
// after marks reads only the rows of the items whose candidacy changed:
// their rows are subtracted or added. Any change of the bit matrix drops it.
#pragma once

#include <vector>

#include "database/Records.h"

struct CountBasis {
  bool valid = false;
  int items = 0;
  int attributes = 0;
  std::vector<BYTE> candidates;  // 1 for every item counted
  std::vector<DWORD> counts;     // the counts taken, 32 per row word
};
