// The vector passes over the item states against the rules item by item,
// on lengths around the vector width and past the lane sums' overflow.
#include <gtest/gtest.h>

#include <random>

#include "database/ItemStateScan.h"

namespace {

std::vector<BYTE> RandomStates(int count, unsigned seed, bool withSelected) {
  static const BYTE kStates[] = {STATE_ELIMINATED,   STATE_REMAINING, STATE_USER_ELIMINATED,
                                 STATE_MISSING_DATA, STATE_SELECTED,  STATE_SELECTED_ELIMINATED,
                                 STATE_FREE};
  std::mt19937 rng(seed);
  std::vector<BYTE> states(static_cast<std::size_t>(count));
  for (BYTE& s : states) {
    s = kStates[rng() % (withSelected ? 7 : 5)];
    if (!withSelected && s == STATE_SELECTED) s = STATE_FREE;
  }
  return states;
}

const int kLengths[] = {0, 1, 15, 16, 17, 31, 255 * 16 + 5, 9001};

TEST(ItemStateScan, ResetsAndCountsAsItemByItem) {
  for (int count : kLengths)
    for (bool keepUser : {false, true}) {
      const std::vector<BYTE> before = RandomStates(count, static_cast<unsigned>(count) + keepUser, true);
      std::vector<BYTE> marks = before, passes = before;
      int broughtBack = 0, inPlay = 0;
      std::vector<BYTE> wantMarks = before, wantPasses = before;
      for (BYTE& s : wantMarks) {
        if (s == STATE_FREE || (keepUser && s == STATE_USER_ELIMINATED)) continue;
        broughtBack += !IsRemainingState(s);
        s = IsSelectedState(s) ? STATE_SELECTED : STATE_REMAINING;
      }
      for (BYTE& s : wantPasses) {
        if (s == STATE_SELECTED_ELIMINATED)
          s = STATE_SELECTED;
        else if (s != STATE_USER_ELIMINATED && s != STATE_FREE && s != STATE_SELECTED)
          s = STATE_REMAINING;
        inPlay += s != STATE_USER_ELIMINATED && s != STATE_FREE;
      }
      EXPECT_EQ(item_states::ResetForMarks(marks.data(), count, keepUser), broughtBack) << count;
      EXPECT_EQ(marks, wantMarks) << count;
      EXPECT_EQ(item_states::ResetForPasses(passes.data(), count), inPlay) << count;
      EXPECT_EQ(passes, wantPasses) << count;
    }
}

TEST(ItemStateScan, CandidatesAreTheSelectedWhileAnyIsElseTheRemaining) {
  for (int count : kLengths)
    for (bool withSelected : {false, true}) {
      const std::vector<BYTE> states = RandomStates(count, 7u * static_cast<unsigned>(count), withSelected);
      bool anySelected = false;
      for (BYTE s : states) anySelected = anySelected || IsSelectedState(s);
      std::vector<BYTE> want;
      std::vector<int> wantSet;
      for (int i = 0; i < count; ++i) {
        want.push_back(anySelected ? IsSelectedState(states[i]) : IsRemainingState(states[i]));
        if (want.back()) wantSet.push_back(i);
      }
      const std::vector<BYTE> flags = item_states::Candidates(states.data(), count);
      EXPECT_EQ(flags, want) << count;
      std::vector<int> set;
      item_states::AppendSet(flags.data(), count, set);
      EXPECT_EQ(set, wantSet) << count;
      for (int from = 0; from <= count; from += 1 + count / 7) {
        int next = from;
        while (next < count && !IsRemainingState(states[next])) ++next;
        EXPECT_EQ(item_states::NextRemaining(states.data(), from, count), next) << count << " from " << from;
      }
    }
}

TEST(ItemStateScan, ChangedFlagsSplitIntoEnteredAndLeft) {
  for (int count : kLengths) {
    std::vector<BYTE> before(static_cast<std::size_t>(count)), now(static_cast<std::size_t>(count));
    std::mt19937 rng(static_cast<unsigned>(count));
    std::vector<int> wantEntered, wantLeft;
    for (int i = 0; i < count; ++i) {
      before[i] = rng() % 2;
      now[i] = rng() % 9 == 0 ? !before[i] : before[i];
      if (before[i] != now[i]) (now[i] ? wantEntered : wantLeft).push_back(i);
    }
    std::vector<int> entered, left;
    item_states::AppendChanged(before.data(), now.data(), count, entered, left);
    EXPECT_EQ(entered, wantEntered) << count;
    EXPECT_EQ(left, wantLeft) << count;
  }
}

}  // namespace
