// Whether an attribute splits the items in play: some but not all of the
// remaining items have it. The menu analysis and the document share it.
#pragma once

inline bool AttributeSplitsItems(long long candidatesWithAttribute, long long remainingCount) {
  return candidatesWithAttribute >= 1 && candidatesWithAttribute < remainingCount;
}
