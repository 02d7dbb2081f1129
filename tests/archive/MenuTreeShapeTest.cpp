// A menu tree that passes the index and cycle checks can still be hostile:
// entries listed twice or by another menu than their own, or a tree deeper
// than any walk over it can afford. Such a file is refused as damaged.
#include <gtest/gtest.h>

#include "database/MenuDepth.h"
#include "tests/archive/MenuTreeKeys.h"
#include "tests/fakes/ScriptedUi.h"

namespace {

class MenuTreeShape : public ::testing::Test {
 protected:
  static std::string LoadError(CZAVDoc& stored) {
    const Bytes bytes = StoreFieldsOnly(stored);
    CZAVDoc doc;
    std::string error;
    if (doc.LoadFromBytes(bytes.data(), bytes.size(), &error) == CZAVDoc::LoadResult::Ok) return "loaded";
    EXPECT_EQ(doc.MenuCount(), 0) << "a refused file leaves nothing behind";
    return error;
  }

  ScriptedUi ui;
};

TEST_F(MenuTreeShape, AnEntryListedTwiceIsRefused) {
  // Twenty menus each listing the next one twice: a walk over the children
  // would meet Colour 2^21 times (and 2^41 times with forty menus).
  auto doubled = ChainedMenus(20, 2);
  EXPECT_NE(LoadError(*doubled).find("menus[0] children: expected each entry listed once, found menu 2 listed again"),
            std::string::npos)
      << LoadError(*doubled);
  auto attribute = MakeSmallDatabase(false);
  attribute->GetMenu(1).children = {0, 0};
  EXPECT_NE(LoadError(*attribute).find("menus[1] children: expected each entry listed once, found attribute 0"),
            std::string::npos);
}

TEST_F(MenuTreeShape, AnEntryListedByAnotherMenuThanItsOwnIsRefused) {
  // A second menu of menus below the root lists Colour, whose parent is the root.
  auto menu = MakeSmallDatabase(false);
  menu->m_menus.push_back(std::make_unique<CQMenudata>());
  menu->GetMenu(2).kind = MENU_OF_MENUS;
  menu->GetMenu(2).parent = 0;
  menu->GetMenu(2).children = {1};
  menu->GetMenu(0).children = {1, 2};
  EXPECT_NE(LoadError(*menu).find("menus[2] children: expected only entries whose record names this menu, found "
                                  "menu 1 of menu 0"),
            std::string::npos)
      << LoadError(*menu);
  // A second menu of attributes lists Red, which names Colour.
  auto attribute = MakeSmallDatabase(false);
  attribute->m_menus.push_back(std::make_unique<CQMenudata>());
  attribute->GetMenu(2).kind = MENU_OF_ATTRIBUTES;
  attribute->GetMenu(2).parent = 0;
  attribute->GetMenu(2).children = {0};
  attribute->GetMenu(0).children = {1, 2};
  EXPECT_NE(LoadError(*attribute).find("found attribute 0 of menu 1"), std::string::npos) << LoadError(*attribute);
  // The root lists a menu that names no parent.
  auto orphan = MakeSmallDatabase(false);
  orphan->GetMenu(1).parent = kNoIndex16;
  EXPECT_NE(LoadError(*orphan).find("found menu 1 of menu 65535"), std::string::npos) << LoadError(*orphan);
}

TEST_F(MenuTreeShape, AFreeSlotLeftInAListIsKeptOnce) {
  auto freed = MakeSmallDatabase(false);
  freed->GetMenu(1).children = {0, 1};  // attribute 1 is a free slot
  EXPECT_EQ(LoadError(*freed), "loaded");
  freed->GetMenu(1).children = {0, 1, 1};
  EXPECT_NE(LoadError(*freed).find("attribute 1 listed again"), std::string::npos) << LoadError(*freed);
}

TEST_F(MenuTreeShape, ATreeDeeperThanTheLimitIsRefused) {
  auto deepest = ChainedMenus(kMaxMenuDepth - 1);  // Colour has kMaxMenuDepth menus above it
  EXPECT_EQ(LoadError(*deepest), "loaded");
  auto deeper = ChainedMenus(kMaxMenuDepth);
  EXPECT_NE(LoadError(*deeper).find("parent: expected at most 1000 menus above a menu, found 1001"), std::string::npos)
      << LoadError(*deeper);
  // Sixty thousand nested menus overflowed the stack of the walks at once.
  auto nested = ChainedMenus(60000);
  EXPECT_NE(LoadError(*nested).find("expected at most 1000 menus above a menu"), std::string::npos);
  EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
