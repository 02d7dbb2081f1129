#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "SmallKey.h"
#include "shell/ColourContrast.h"
#include "shell/TreeContextMenus.h"

namespace {

// Which channels lead a colour: the hue a user reads a row's state from.
std::string Hue(std::uint32_t rgb) {
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  const int top = std::max({r, g, b});
  if (top - std::min({r, g, b}) < 8) return "grey";
  std::string hue;
  if (r > top - 8) hue += "r";
  if (g > top - 8) hue += "g";
  if (b > top - 8) hue += "b";
  return hue;
}

}  // namespace

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
  const std::uint32_t mismatch = style.text;
  style = CItemListRows::RowStyle(*f.doc, kCherry);
  EXPECT_EQ(style.icon, 1);
  EXPECT_NE(style.text, mismatch);
  EXPECT_EQ(style.name, "Cherry");
  f.doc->SetItemState(kLime, STATE_ELIMINATED);
  style = CItemListRows::RowStyle(*f.doc, kLime);
  EXPECT_TRUE(style.italic);
  EXPECT_EQ(style.icon, 0);
}

TEST(ColourContrast, FollowsRelativeLuminance) {
  EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(0x73C268, 0x73C268), 1.0);
  EXPECT_NEAR(ContrastRatio(0x73C268, 0xAAAA78), 1.10, 0.01);  // green on the old selection box
  EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);  // the darkest grey still short of black
  EXPECT_TRUE(IsReadableOn(0x767676, 0xFFFFFF));
  EXPECT_FALSE(IsReadableOn(0x777777, 0xFFFFFF));
}

// Every colour a row's text is drawn in, for every state with and without
// mismatches, reads on white and on the selection's box, and keeps the hue
// that tells the state.
TEST(ItemListRows, EveryRowTextIsReadableSelectedOrNot) {
  TreeFixture f;
  f.doc->m_mismatchCounts.assign(f.doc->ItemCount(), 0);
  struct Case {
    BYTE state;
    unsigned mismatches;
    const char* hue;
  };
  const Case cases[] = {
      {STATE_ELIMINATED, 0, "r"},       {STATE_REMAINING, 0, "g"},           {STATE_REMAINING, 2, "r"},
      {STATE_USER_ELIMINATED, 0, "rg"}, {STATE_MISSING_DATA, 0, "b"},        {STATE_SELECTED, 0, "rb"},
      {STATE_SELECTED, 2, "r"},         {STATE_SELECTED_ELIMINATED, 0, "b"}, {STATE_FREE, 0, "grey"}};
  for (const Case& c : cases) {
    f.doc->SetItemState(kApple, c.state);
    f.doc->m_mismatchCounts[kApple] = c.mismatches;
    const ItemRowStyle style = CItemListRows::RowStyle(*f.doc, kApple);
    for (std::uint32_t background : {kRowBackground, kSelectedTextBackground}) {
      for (std::uint32_t colour : {style.text, style.firstPart}) {
        EXPECT_GE(ContrastRatio(colour, background), kReadableContrast)
            << "state " << int(c.state) << " with " << c.mismatches << " mismatches: " << std::hex << colour << " on "
            << background;
      }
    }
    EXPECT_EQ(Hue(style.text), c.hue) << "state " << int(c.state) << " with " << c.mismatches << " mismatches";
  }
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
