// Whole-array passes over the item states, written without a branch per
// item so that the compiler runs them on vectors: they run after every
// mark, over every item of the largest keys.
#pragma once

#include <vector>

#include "database/Records.h"

namespace item_states {

// Before a new evaluation: free slots and selections stay (a failed
// selection becomes plain selected again), the user's own exclusions stay
// when keepUser is set, everything else becomes remaining. Returns how many
// items were brought back from out of play.
int ResetForMarks(BYTE* states, int count, bool keepUser);

// The evaluation's own reset (a user's exclusion always stays); returns
// how many items are left in play, neither excluded by the user nor free.
int ResetForPasses(BYTE* states, int count);

// 1 for every candidate: the selected items while any is selected, else
// the remaining ones.
std::vector<BYTE> Candidates(const BYTE* states, int count);

// Appends the index of every flag that is 1 (AppendSet) or 0 (AppendUnset),
// in ascending order; the flags are 0 or 1.
void AppendSet(const BYTE* flags, int count, std::vector<int>& out);
void AppendUnset(const BYTE* flags, int count, std::vector<int>& out);

// Appends every index whose flag differs between before and now, to
// entered (set now) or left (set before).
void AppendChanged(const BYTE* before, const BYTE* now, int count, std::vector<int>& entered, std::vector<int>& left);

// The first remaining item in [from, count), or count when there is none.
int NextRemaining(const BYTE* states, int from, int count);

}  // namespace item_states
