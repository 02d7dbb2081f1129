// Adding menus and attributes: free slots first, child lists, the limits.
#include <gtest/gtest.h>

#include "fakes/ScriptedUi.h"
#include "merge/MergeFixtures.h"
#include "platform/ErrorBox.h"

TEST(DocumentStructure, NewMenusAndAttributesTakeTheFirstFreeSlotAndJoinTheirParent) {
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  b.AddMenu("Spare", 0);
  const int kept = b.AddAttribute(1, "kept");
  b.AddAttribute(-1, "");  // a freed attribute slot
  b.AddItem("Apple", {}, {}, {}, {kept});
  auto doc = b.Build();
  doc->ClearMenu(1);
  doc->GetMenu(0).children.clear();

  const int menu = doc->AddMenu("Shape", 0, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(menu, 1);
  EXPECT_EQ(doc->GetMenu(menu).parent, 0);
  EXPECT_EQ(doc->GetMenu(menu).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(doc->GetMenu(0).children, (std::vector<WORD>{1}));
  const int round = doc->AddAttribute("round", menu);
  EXPECT_EQ(round, 0);  // freed with its menu
  const int oval = doc->AddAttribute("oval", menu);
  EXPECT_EQ(oval, 1);
  EXPECT_EQ(doc->GetMenu(menu).children, (std::vector<WORD>{0, 1}));
  EXPECT_EQ(doc->GetAttribute(oval).menuIndex, menu);
  EXPECT_TRUE(AttributeNamesOf(*doc, 0).empty());  // a reused column is cleared
  const int third = doc->AddAttribute("long", menu);
  EXPECT_EQ(third, 2);
  EXPECT_TRUE(doc->IsModified());
}

TEST(DocumentStructure, NoNewIndexMayReachTheNoneValue) {
  ScriptedUi ui;
  CZAVDoc doc;
  for (int m = 0; m < kNoIndex16; ++m) {
    auto menu = std::make_unique<CQMenudata>();
    menu->kind = MENU_OF_MENUS;
    doc.m_menus.push_back(std::move(menu));
  }
  EXPECT_FALSE(RunCommand([&] { doc.AddMenu("One too many", 0, MENU_OF_MENUS); }));
  for (int a = 0; a < kNoIndex16; ++a) {
    auto attribute = std::make_unique<CQAttdata>();
    attribute->menuIndex = 1;
    doc.SetAttributeAt(a, std::move(attribute));
  }
  EXPECT_FALSE(RunCommand([&] { doc.AddAttribute("One too many", 1); }));
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Too many menues!", "Too many Attributes!"}));
  EXPECT_EQ(doc.MenuCount(), kNoIndex16);
  EXPECT_EQ(doc.AttributeCount(), kNoIndex16);
  EXPECT_TRUE(doc.GetMenu(0).children.empty());
}
