// Layout and growth of the item x attribute bits against a plain model:
// one vector of bits per item.
#include <gtest/gtest.h>

#include <random>

#include "database/BitMatrix.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "tests/fakes/ScriptedUi.h"

namespace {

using Model = std::vector<std::vector<bool>>;

// The layout by its definition: full blocks of 16000 / words rows, the rest last.
void ExpectLayout(DWORD attributes, DWORD items) {
  const CBitMatrix layout(attributes, items);
  const DWORD words = (attributes + 31) / 32;
  const DWORD perBlock = 16000 / words;
  ASSERT_EQ(layout.wordsPerRow(), words);
  ASSERT_EQ(layout.rowsPerBlock(), perBlock);
  ASSERT_EQ(layout.blockCount(), (items + perBlock - 1) / perBlock) << attributes << "x" << items;
  for (DWORD row = 0; row < items; row += 1 + row / 3) {
    const auto at = layout.Locate(row);
    EXPECT_EQ(at.block, row / perBlock);
    EXPECT_EQ(at.wordOffset, (row % perBlock) * words);
  }
  for (WORD b = 0; b < layout.blockCount(); ++b) {
    EXPECT_EQ(layout.firstRow(b), b * perBlock);
    EXPECT_EQ(layout.blockRows(b), std::min(perBlock, items - b * perBlock));
  }
}

TEST(BitMatrixLayout, BlocksFollowTheWordsPerRow) {
  ExpectLayout(40, 20000);  // 2 words, blocks of 8000, 8000 and 4000 rows
  ExpectLayout(32, 10000);
  ExpectLayout(33, 10000);
  ExpectLayout(1000, 1234);  // 32 words, 500 rows a block
  ExpectLayout(32, 16000);
  ExpectLayout(32, 16001);  // a second block of one row
  ExpectLayout(16000, 32000);
  ExpectLayout(1, 1);
  const CBitMatrix example(40, 20000);
  EXPECT_EQ(example.blockRows(0), 8000);
  EXPECT_EQ(example.blockRows(2), 4000);
}

TEST(BitMatrixLayout, NoAttributesIsRefusedThroughTheErrorBox) {
  ScriptedUi ui;
  EXPECT_THROW(CBitMatrix layout(0, 10), UserAbort);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Must be at least one attribute."});
}

class BitGrowth : public ::testing::Test {
 protected:
  void AddItems(int count) {
    for (int i = 0; i < count; ++i) {
      auto record = std::make_unique<CQItemrec>();
      record->nameIndex = doc.ItemCount();
      doc.InsertItem(doc.ItemCount(), std::move(record));
      doc.AddItemRow();
      model.emplace_back(doc.AttributeCount(), false);
    }
  }
  void AddAttribute() {
    doc.GetOrCreateAttribute(doc.AttributeCount()).menuIndex = 0;
    for (auto& row : model) row.push_back(false);
  }
  void SetRandomBits(int count) {
    for (int i = 0; i < count; ++i) {
      const int item = static_cast<int>(rng() % doc.ItemCount());
      const int attribute = static_cast<int>(rng() % doc.AttributeCount());
      SetBit(doc.GetItemAttributeBits(item), static_cast<WORD>(attribute));
      model[item][attribute] = true;
    }
  }
  void ExpectModel() {
    const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
    ASSERT_EQ(doc.m_dataBlocks.size(), layout.blockCount());
    for (WORD b = 0; b < layout.blockCount(); ++b)
      ASSERT_EQ(doc.m_dataBlocks[b].words.size(), std::size_t{layout.wordsPerRow()} * layout.blockRows(b));
    for (int item = 0; item < doc.ItemCount(); ++item) {
      const DWORD* row = doc.GetItemAttributeBits(item);
      ASSERT_NE(row, nullptr);
      for (int a = 0; a < doc.AttributeCount(); ++a)
        ASSERT_EQ(TestBit(row, static_cast<WORD>(a)), model[item][a]) << item << "," << a;
      // Spare bits of the last word stay clear.
      const DWORD spare = doc.AttributeCount() % 32;
      if (spare) {
        ASSERT_EQ(row[layout.wordsPerRow() - 1] >> spare, 0u);
      }
    }
  }

  ScriptedUi ui;
  CZAVDoc doc;
  Model model;
  std::mt19937 rng{99};
};

TEST_F(BitGrowth, ThirtyThirdAttributeReLaysTenThousandItemsIntoTwoBlocks) {
  for (int a = 0; a < 32; ++a) AddAttribute();
  AddItems(10000);
  SetRandomBits(60000);
  ASSERT_EQ(doc.m_dataBlocks.size(), 1u);
  ExpectModel();
  AddAttribute();
  EXPECT_EQ(doc.m_dataBlocks.size(), 2u);
  ExpectModel();
  SetRandomBits(5000);
  ExpectModel();
}

TEST_F(BitGrowth, AttributesAddedOneByOneKeepEveryBit) {
  AddItems(300);
  for (int a = 0; a < 70; ++a) {
    AddAttribute();
    SetRandomBits(200);
    ExpectModel();
  }
}

TEST_F(BitGrowth, ItemsAddedAcrossABlockBoundary) {
  for (int a = 0; a < 32; ++a) AddAttribute();
  AddItems(15999);
  SetRandomBits(3000);
  AddItems(2);  // the 16001st item starts a block of its own
  EXPECT_EQ(doc.m_dataBlocks.size(), 2u);
  EXPECT_EQ(doc.m_dataBlocks[1].words.size(), 1u);
  SetRandomBits(3000);
  ExpectModel();
}

TEST_F(BitGrowth, ReusedAttributeSlotStartsCleared) {
  for (int a = 0; a < 40; ++a) AddAttribute();
  AddItems(50);
  for (int item = 0; item < doc.ItemCount(); ++item) {
    SetBit(doc.GetItemAttributeBits(item), 5);
    model[item][5] = true;
  }
  SetRandomBits(500);
  doc.ClearAttribute(5);
  EXPECT_EQ(doc.FindFreeAttribute(), 5);
  doc.GetOrCreateAttribute(5).menuIndex = 0;
  for (auto& row : model) row[5] = false;
  ExpectModel();
}

TEST_F(BitGrowth, ClearedItemRowIsZero) {
  for (int a = 0; a < 64; ++a) AddAttribute();
  AddItems(20);
  SetRandomBits(600);
  doc.ClearItemBits(7);
  model[7].assign(model[7].size(), false);
  ExpectModel();
}

TEST(BitArray, GrowsToCoverTheBitAndRoundsTheCount) {
  CBitArray bits(40);
  EXPECT_EQ(bits.bitCount(), 64u);
  EXPECT_EQ(bits.words().size(), 2u);
  bits.SetBit(100);
  EXPECT_TRUE(bits.TestBit(100));
  EXPECT_EQ(bits.bitCount(), 128u);
  EXPECT_FALSE(bits.TestBit(99));
  EXPECT_FALSE(bits.TestBit(5000));
  bits.ClearBit(100);
  EXPECT_FALSE(bits.TestBit(100));
}

}  // namespace
