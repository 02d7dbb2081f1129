#include <gtest/gtest.h>

#include "SmallKey.h"
#include "shell/TreeContextMenus.h"

TEST(ItemListRows, RemainingFirstThenEliminatedInNameOrder) {
  TreeFixture f;
  f.doc->SetItemState(kApple, STATE_ELIMINATED);
  f.doc->SetItemState(kLime, STATE_USER_ELIMINATED);
  CItemListRows rows;
  rows.FillRows(*f.doc);
  EXPECT_EQ(rows.Rows(), (std::vector<int>{kCherry, kPine, kPlum, kApple, kLime}));
  EXPECT_EQ(rows.GetItemAtRow(-1), -1);
  EXPECT_THROW(rows.GetItemAtRow(5), UserAbort);
  EXPECT_EQ(f.ui.Messages().back(), "Wrong order index");
  EXPECT_THROW(rows.GetSelectedItem(-1), UserAbort);
  EXPECT_EQ(f.ui.Messages().back(), "Wrong item index");
}

TEST(ItemListRows, EmptyDatabaseAnswersZero) {
  TreeFixture f(false);
  CItemListRows rows;
  rows.FillRows(*f.doc);
  EXPECT_EQ(rows.GetSelectedItem(-1), 0);
}

TEST(ItemListRows, TypeAheadFindsAndWraps) {
  TreeFixture f;
  CItemListRows rows;
  rows.FillRows(*f.doc);
  EXPECT_EQ(rows.TypeAhead(*f.doc, 'p', 0), 3);  // Pine
  EXPECT_EQ(rows.TypeAhead(*f.doc, 'l', 3), 4);  // "PL": Plum
  rows.ClearTypeAhead();
  EXPECT_EQ(rows.TypeAhead(*f.doc, 'c', 4), 1);  // wraps to Cherry
  EXPECT_EQ(rows.TypedText(), "C");
  EXPECT_EQ(rows.TypeAhead(*f.doc, '-', 0), -1);
}

TEST(ItemListRows, CaptionCountsMissingData) {
  TreeFixture f;
  f.doc->m_header.scientificNamesEnabled = 1;
  f.doc->m_missingData = 1;
  f.doc->SetItemState(kPlum, STATE_MISSING_DATA);
  EXPECT_EQ(CItemListRows::Caption(*f.doc), f.doc->GetSpeciesLabel() + " 5 / 5 (1 missing data)");
}

TEST(ItemListRows, RowStyleByStateAndMismatches) {
  TreeFixture f;
  f.doc->m_mismatchCounts.assign(f.doc->ItemCount(), 0);
  f.doc->m_mismatchCounts[kApple] = 2;
  ItemRowStyle style = CItemListRows::RowStyle(*f.doc, kApple);
  EXPECT_TRUE(style.arial);
  EXPECT_FALSE(style.italic);
  EXPECT_EQ(style.icon, 4);
  EXPECT_EQ(style.text, 0xE68282u);
  style = CItemListRows::RowStyle(*f.doc, kCherry);
  EXPECT_EQ(style.icon, 1);
  EXPECT_EQ(style.text, 0x64C864u);
  EXPECT_EQ(style.name, "Cherry");
  f.doc->SetItemState(kLime, STATE_ELIMINATED);
  style = CItemListRows::RowStyle(*f.doc, kLime);
  EXPECT_TRUE(style.italic);
  EXPECT_EQ(style.icon, 0);
}

TEST(ContextMenus, LockedAttributeOffersFourMarks) {
  const auto& locked = ContextPopupEntries(KIND_ATTRIBUTE, false);
  ASSERT_EQ(locked.size(), 4u);
  EXPECT_STREQ(locked[3].text, "Mark Clear");
  const auto& editable = ContextPopupEntries(KIND_ATTRIBUTE, true);
  EXPECT_EQ(editable.size(), 11u);
  EXPECT_EQ(editable[6].text, nullptr);
  EXPECT_STREQ(ContextPopupName(kItemsPopup), "Items");
  EXPECT_STREQ(ContextPopupName(kMainItemsPopup), "MainItems");
  EXPECT_STREQ(ContextPopupEntries(KIND_MENU, false)[0].text, "View/Print menu");
}
