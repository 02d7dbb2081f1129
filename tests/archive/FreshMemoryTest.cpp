// Memory mapped ahead of its first writes holds what it held: the mapping
// is advice about speed, never a change of the contents.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "database/FreshMemory.h"

TEST(FreshMemory, PrefaultKeepsTheBytesAroundAndInsideTheRange) {
  std::vector<std::uint8_t> bytes(10 * 4096 + 123);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{7});
  const std::vector<std::uint8_t> before = bytes;
  // From inside a page to inside another, and a range shorter than a page.
  PrefaultForWriting(bytes.data() + 5, bytes.size() - 50);
  PrefaultForWriting(bytes.data() + 100, 10);
  PrefaultForWriting(bytes.data(), 0);
  EXPECT_EQ(bytes, before);
}

TEST(FreshMemory, ResizeForWritingKeepsTheElementsAndClearsTheNewOnes) {
  std::vector<std::uint32_t> words = {1, 2, 3};
  ResizeForWriting(words, 50000);  // beyond the room it had: new memory
  ASSERT_EQ(words.size(), 50000u);
  EXPECT_EQ(words[0], 1u);
  EXPECT_EQ(words[2], 3u);
  EXPECT_EQ(std::count(words.begin() + 3, words.end(), 0u), 49997);

  words.assign(40000, 9u);
  ResizeForWriting(words, 30000);  // within the room it has
  EXPECT_EQ(words.size(), 30000u);
  EXPECT_EQ(std::count(words.begin(), words.end(), 9u), 30000);
}
