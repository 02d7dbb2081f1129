// Making room for many attributes at once must leave the items' rows as
// making room for them one by one does.
#include <gtest/gtest.h>

#include <random>

#include "ClipboardFixtures.h"

namespace {

// Items with random bits over `attributes` used attributes, every fifth freed.
std::unique_ptr<CZAVDoc> RandomKey(int items, int attributes, unsigned seed) {
  auto doc = std::make_unique<CZAVDoc>();
  doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, kNoIndex16, "All", {}));
  for (int a = 0; a < attributes; ++a) AddAttribute(*doc, a, 0, "A" + std::to_string(a));
  for (int i = 0; i < items; ++i) AddFruit(*doc, i, "Item " + std::to_string(i));
  CBitMatrix(doc->AttributeCount(), doc->ItemCount()).BuildBlocks(doc->m_dataBlocks);
  std::mt19937 rng(seed);
  for (int i = 0; i < items; ++i)
    for (int a = 0; a < attributes; ++a)
      if (rng() % 3 == 0) GiveAttribute(*doc, i, a);
  for (int a = 0; a < attributes; a += 5) doc->ClearAttribute(a);
  return doc;
}

void ExpectSameRoom(int items, int attributes, const std::vector<int>& slots) {
  auto together = RandomKey(items, attributes, 7);
  auto oneByOne = RandomKey(items, attributes, 7);
  together->GetOrCreateAttributes(slots);
  for (int slot : slots) oneByOne->GetOrCreateAttribute(slot);
  EXPECT_EQ(together->AttributeCount(), oneByOne->AttributeCount());
  ASSERT_EQ(together->m_dataBlocks.size(), oneByOne->m_dataBlocks.size());
  for (std::size_t b = 0; b < together->m_dataBlocks.size(); ++b)
    EXPECT_EQ(together->m_dataBlocks[b].words, oneByOne->m_dataBlocks[b].words) << "block " << b;
  for (int slot : slots)
    for (int i = 0; i < items; ++i) EXPECT_FALSE(HasItemAttribute(*together, i, slot));
}

TEST(AttributeRoom, ManySlotsAtOnceEqualOneAfterTheOther) {
  ScriptedUi ui;
  ExpectSameRoom(50, 20, {0, 5, 10, 20, 21, 22});        // reused and new within one word
  ExpectSameRoom(50, 30, {25, 30, 31, 32, 33, 34, 35});  // new ones cross into a second word
  std::vector<int> many{0, 35};
  for (int a = 70; a < 200; ++a) many.push_back(a);  // several words, and blocks of fewer rows
  ExpectSameRoom(3000, 70, many);
}

}  // namespace
