// Walks over the menu tree end on damaged data: a menu that is its own
// ancestor or its own descendant is visited once and never loops.
#include <gtest/gtest.h>

#include "SmallKey.h"

namespace {

// Menu 0 holds 1, menu 1 holds 0 and 2; the parents run 0 -> 1 -> 0.
std::unique_ptr<CZAVDoc> CyclicMenus() {
  auto doc = std::make_unique<CZAVDoc>();
  doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, 1, "Loop A", {1}));
  doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, 0, "Loop B", {0, 2, 77}));
  doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, 1, "Leaves", {0}));
  AddAttribute(*doc, 0, 2, "Leaf");
  return doc;
}

}  // namespace

TEST(MenuWalks, DepthOfACycleIsBounded) {
  auto doc = CyclicMenus();
  EXPECT_LE(doc->GetMenuDepth(0), doc->MenuCount());
  EXPECT_LE(doc->GetMenuDepth(2), doc->MenuCount());
  EXPECT_EQ(doc->GetMenuDepth(99), -1);
}

TEST(MenuWalks, CollectingACycleListsEachMenuOnce) {
  auto doc = CyclicMenus();
  std::vector<WORD> list;
  doc->CollectMenuTree(0, list);
  EXPECT_EQ(list, (std::vector<WORD>{0, 1, 2}));
}

TEST(MenuWalks, ClearingACycleFreesEveryMenuOnce) {
  auto doc = CyclicMenus();
  doc->ClearMenu(0);
  for (int m = 0; m < doc->MenuCount(); ++m) EXPECT_EQ(doc->GetMenu(m).kind, MENU_FREE) << m;
  EXPECT_EQ(doc->GetAttribute(0).menuIndex, kNoIndex16);
}
