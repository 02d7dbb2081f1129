// The item side of the region dialog without windows: which menus an item's
// dialog shows, how its checks reach the item's row, and the owner's
// answers to store, step, mark all and clear all.
#include <gtest/gtest.h>

#include "database/UtilityFunction.h"
#include "editors/ImageRegionSelectModel.h"
#include "shell/ItemRegions.h"
#include "shell/RegionMenus.h"
#include "tree/SmallKey.h"

namespace {
constexpr int kColour = 1, kSize = 2;

struct ItemRegionsFixture : TreeFixture {
  ItemRegionsFixture() : owner(*doc), dialog(&owner) {
    Evaluate(*doc);
    list.FillList();
  }
  ItemRegionOwner owner;
  ImageRegionSelectModel dialog;
};
}  // namespace

TEST(ItemRegions, EveryAttributeMenuIsCollectedWithTheItemsChecks) {
  auto doc = MakeSmallKey();
  std::vector<MenuRegionAttributes> menus;
  CollectRegionAttributes(menus, *doc, 0, doc->GetItemAttributeBits(kPlum));
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0].title, "Colour");
  EXPECT_EQ(menus[1].menu, kSize);
  EXPECT_EQ(menus[0].attributes[2].name, "Blue");
  EXPECT_EQ(menus[0].attributes[2].selected, 1);
  EXPECT_EQ(menus[0].attributes[0].selected, 0);
  EXPECT_EQ(menus[1].attributes[0].selected, 1) << "a plum is small";

  menus[0].attributes[2].selected = 0;
  menus[0].attributes[0].selected = 1;
  ApplyRegionAttributes(menus, doc->GetItemAttributeBits(kPlum));
  EXPECT_TRUE(TestBit(doc->GetItemAttributeBits(kPlum), kRed));
  EXPECT_FALSE(TestBit(doc->GetItemAttributeBits(kPlum), kBlue));
}

TEST(ItemRegions, TheOrDialogStartsWithTheClickedAndTheOrMarkedAttributes) {
  auto doc = MakeSmallKey();
  doc->SetAttributeMark(kBlue, MARK_OR);
  const MenuRegionAttributes menu = OrMarkRegions(*doc, kColour, kRed);
  ASSERT_EQ(menu.attributes.size(), 3u);
  EXPECT_EQ(menu.attributes[0].selected, 1);
  EXPECT_EQ(menu.attributes[1].selected, 0);
  EXPECT_EQ(menu.attributes[2].selected, 1);
}

TEST(ItemRegions, OnlyAMenuOfAttributesWithAPictureInAnEditableDatabaseIsEdited) {
  auto doc = MakeSmallKey();
  doc->m_pathName = "/keys/fruit.qor";
  doc->m_header.lockWord = 1;
  EXPECT_FALSE(CanEditRegions(*doc, kColour)) << "no picture";
  doc->GetMenu(kColour).pictures = "colour.png";
  EXPECT_TRUE(CanEditRegions(*doc, kColour));
  EXPECT_EQ(CollectMenuRegions(*doc, kColour).picturePath, "/keys/colour.png");
  doc->GetMenu(0).pictures = "root.png";
  EXPECT_FALSE(CanEditRegions(*doc, 0)) << "a menu of menus has no attributes to bind";
  doc->m_header.lockWord = 0;
  EXPECT_FALSE(CanEditRegions(*doc, kColour));
}

TEST(ItemRegions, StoreWritesTheCurrentItemsRowAndStepsRefillTheDialog) {
  ItemRegionsFixture f;
  const int first = f.list.GetSelectedItemOrNone();
  FillItemRegions(f.dialog, *f.doc, first);
  f.dialog.Init();
  EXPECT_EQ(f.dialog.Title(), "Select Region Attributes for: " + GetItemDisplayName(*f.doc, first));
  const bool had = f.dialog.RowChecked(1);
  f.dialog.SetRowChecked(1, !had);
  f.dialog.Next();
  EXPECT_EQ(TestBit(f.doc->GetItemAttributeBits(first), kGreen), !had);
  EXPECT_TRUE(f.doc->IsModified());
  const int second = f.dialog.currentItem;
  EXPECT_NE(second, first);
  EXPECT_EQ(f.list.GetSelectedItemOrNone(), second);
  EXPECT_EQ(f.dialog.Title(), ItemRegionsTitle(*f.doc, second));
}

TEST(ItemRegions, MarkAllWantsAFocusedRowAndAYes) {
  ItemRegionsFixture f;
  FillItemRegions(f.dialog, *f.doc, kApple);
  f.dialog.Init();
  f.dialog.FocusRow(2);  // Blue
  f.ui.yesNoAnswers = {false};
  f.dialog.MarkAll();
  EXPECT_FALSE(f.dialog.RowChecked(2));
  EXPECT_FALSE(TestBit(f.doc->GetItemAttributeBits(kApple), kBlue));
  f.ui.yesNoAnswers = {true};
  f.dialog.MarkAll();
  EXPECT_TRUE(f.dialog.RowChecked(2));
  for (int item = 0; item < f.doc->ItemCount(); ++item) EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(item), kBlue));
  f.dialog.menus.clear();
  f.dialog.LoadMenu(0);
  f.dialog.ClearAll();
  EXPECT_EQ(f.ui.Messages().back(), "For Mark/Clear All to work, the focus must not be on the OK or Cancel buttons");
}

TEST(ItemRegions, CancelRefreshesOnlyAfterChangesWereApplied) {
  ItemRegionsFixture f;
  FillItemRegions(f.dialog, *f.doc, kApple);
  f.dialog.Init();
  const int fills = f.list.fills;
  f.owner.Finish(f.dialog, false);
  EXPECT_EQ(f.list.fills, fills) << "nothing was stored";
  f.dialog.SetRowChecked(2, true);
  f.dialog.Next();
  f.owner.Finish(f.dialog, false);
  EXPECT_EQ(f.list.fills, fills + 1);
  EXPECT_GT(f.treeView.refreshes, 0);
}
