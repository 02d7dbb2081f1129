#include "database/ItemStateScan.h"

#include <cstdint>
#include <cstring>

namespace item_states {

namespace {

using Eight = std::uint64_t;  // eight flags or states at a time
constexpr Eight kOnes = 0x0101010101010101ull;
constexpr Eight kHighs = 0x8080808080808080ull;

Eight LoadEight(const BYTE* p) {
  Eight v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Nonzero when some byte of v is zero.
constexpr Eight AnyZeroByte(Eight v) { return (v - kOnes) & ~v & kHighs; }

// Nonzero when some byte of v equals value.
constexpr Eight AnyByteIs(Eight v, BYTE value) { return AnyZeroByte(v ^ (kOnes * value)); }

// Nonzero when some byte of v is a remaining state.
constexpr Eight AnyRemaining(Eight v) {
  return AnyByteIs(v, STATE_REMAINING) | AnyByteIs(v, STATE_MISSING_DATA) | AnyByteIs(v, STATE_SELECTED);
}

bool AnySelected(const BYTE* states, int count) {
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const Eight v = LoadEight(states + i);
    if (AnyByteIs(v, STATE_SELECTED) | AnyByteIs(v, STATE_SELECTED_ELIMINATED)) return true;
  }
  for (; i < count; ++i)
    if (IsSelectedState(states[i])) return true;
  return false;
}

// Appends the index of every flag equal to value, in ascending order,
// passing over eight flags at a time where none is.
void AppendWhere(const BYTE* flags, int count, BYTE value, std::vector<int>& out) {
  int i = 0;
  for (; i + 8 <= count; i += 8)
    if (AnyByteIs(LoadEight(flags + i), value))
      for (int k = i; k < i + 8; ++k)
        if (flags[k] == value) out.push_back(k);
  for (; i < count; ++i)
    if (flags[i] == value) out.push_back(i);
}

// Sixteen states side by side; a comparison gives 0xFF where it holds.
typedef BYTE Lanes __attribute__((vector_size(16)));
constexpr int kLanes = sizeof(Lanes);

Lanes Splat(BYTE v) { return Lanes{} + v; }
Lanes Is(Lanes s, BYTE v) { return reinterpret_cast<Lanes>(s == Splat(v)); }
Lanes IsSelected(Lanes s) { return Is(s, STATE_SELECTED) | Is(s, STATE_SELECTED_ELIMINATED); }
Lanes IsInPlay(Lanes s) { return Is(s, STATE_REMAINING) | Is(s, STATE_MISSING_DATA) | Is(s, STATE_SELECTED); }
Lanes Select(Lanes where, Lanes a, Lanes b) { return (where & a) | (~where & b); }

// The sum of the lanes.
int LanesSet(Lanes sums) {
  int n = 0;
  for (int k = 0; k < kLanes; ++k) n += sums[k];
  return n;
}

// Replaces every state by step(states).next and counts the lanes where
// step(states).counted is set. A short tail runs padded with free slots,
// which no step counts, and only its own lanes are written back.
template <typename Step>
int Transform(BYTE* states, int count, Step step) {
  int total = 0;
  int i = 0;
  Lanes sums{};  // per lane, emptied before it can overflow
  for (int inSums = 0; i + kLanes <= count; i += kLanes) {
    Lanes s;
    std::memcpy(&s, states + i, sizeof s);
    const auto [next, counted] = step(s);
    std::memcpy(states + i, &next, sizeof next);
    sums += counted & Splat(1);
    if (++inSums == 255) {
      total += LanesSet(sums);
      sums = Lanes{};
      inSums = 0;
    }
  }
  total += LanesSet(sums);
  if (i == count) return total;
  const int tail = count - i;
  Lanes s = Splat(STATE_FREE);
  std::memcpy(&s, states + i, static_cast<std::size_t>(tail));
  const auto [next, counted] = step(s);
  std::memcpy(states + i, &next, static_cast<std::size_t>(tail));
  return total + LanesSet(counted & Splat(1));
}

struct Step {
  Lanes next;
  Lanes counted;
};

}  // namespace

int ResetForMarks(BYTE* states, int count, bool keepUser) {
  const Lanes keepUsers = Splat(keepUser ? 0xFF : 0);
  return Transform(states, count, [&](Lanes s) {
    const Lanes stays = Is(s, STATE_FREE) | (keepUsers & Is(s, STATE_USER_ELIMINATED));
    const Lanes reset = Select(IsSelected(s), Splat(STATE_SELECTED), Splat(STATE_REMAINING));
    return Step{Select(stays, s, reset), ~stays & ~IsInPlay(s)};
  });
}

int ResetForPasses(BYTE* states, int count) {
  return Transform(states, count, [](Lanes s) {
    const Lanes stays = Is(s, STATE_USER_ELIMINATED) | Is(s, STATE_FREE) | Is(s, STATE_SELECTED);
    const Lanes next =
        Select(Is(s, STATE_SELECTED_ELIMINATED), Splat(STATE_SELECTED), Select(stays, s, Splat(STATE_REMAINING)));
    return Step{next, ~(Is(next, STATE_USER_ELIMINATED) | Is(next, STATE_FREE))};
  });
}

std::vector<BYTE> Candidates(const BYTE* states, int count) {
  std::vector<BYTE> flags(states, states + count);
  const bool selectedOnly = AnySelected(states, count);
  Transform(flags.data(), count, [&](Lanes s) {
    return Step{(selectedOnly ? IsSelected(s) : IsInPlay(s)) & Splat(1), Lanes{}};
  });
  return flags;
}

void AppendSet(const BYTE* flags, int count, std::vector<int>& out) { AppendWhere(flags, count, 1, out); }

void AppendUnset(const BYTE* flags, int count, std::vector<int>& out) { AppendWhere(flags, count, 0, out); }

void AppendChanged(const BYTE* before, const BYTE* now, int count, std::vector<int>& entered, std::vector<int>& left) {
  auto one = [&](int k) {
    if (before[k] != now[k]) (now[k] ? entered : left).push_back(k);
  };
  int i = 0;
  for (; i + 8 <= count; i += 8)
    if (LoadEight(before + i) != LoadEight(now + i))
      for (int k = i; k < i + 8; ++k) one(k);
  for (; i < count; ++i) one(i);
}

int NextRemaining(const BYTE* states, int from, int count) {
  int i = from;
  while (i + 8 <= count && !AnyRemaining(LoadEight(states + i))) i += 8;
  for (; i < count; ++i)
    if (IsRemainingState(states[i])) return i;
  return count;
}

}  // namespace item_states
