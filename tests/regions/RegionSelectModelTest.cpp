// The region-selection dialog's rules with a fake owner: the message
// sequence of item steps and marking for all, clicks and checks changing
// the choices, and the choices placed in the tree as one OR group.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "RegionTestSupport.h"
#include "editors/ImageRegionSelectModel.h"
#include "editors/RegionPaintList.h"
#include "database/MarkLog.h"
#include "fakes/HangGuard.h"
#include "fakes/ScriptedUi.h"
#include "tree/SmallKey.h"

using namespace regions_test;

namespace {

// Stands in for the item list: every item has its own choices, which the
// owner hands to the dialog on each step and takes back on a store.
class FakeOwner : public IRegionSelectOwner {
 public:
  explicit FakeOwner(std::vector<MenuRegionAttributes> menus) : itemChoices(3, std::move(menus)) {}
  void OnRegionSelectRequest(RegionSelectRequest request, ImageRegionSelectModel& dialog) override {
    requests.push_back(request);
    switch (request) {
      case REQUEST_STORE:
        itemChoices[item] = dialog.menus;
        break;
      case REQUEST_NEXT:
        ShowItem(dialog, (item + 1) % 3);
        break;
      case REQUEST_PREVIOUS:
        ShowItem(dialog, (item + 2) % 3);
        break;
      case REQUEST_MARK_ALL:
        dialog.CheckSelectedItems(true);
        break;
      case REQUEST_CLEAR_ALL:
        dialog.CheckSelectedItems(false);
        break;
    }
  }
  void ShowItem(ImageRegionSelectModel& dialog, int next) {
    item = next;
    dialog.menus = itemChoices[item];
    dialog.currentItem = item;
    dialog.SetTitle("Item " + std::to_string(item));
  }

  std::vector<std::vector<MenuRegionAttributes>> itemChoices;
  std::vector<RegionSelectRequest> requests;
  int item = 0;
};

struct SelectFixture {
  SelectFixture() : owner(Menus()), dialog(&owner) {
    owner.ShowItem(dialog, 0);
    dialog.navigation = true;
    dialog.Init();
  }
  std::vector<MenuRegionAttributes> Menus() const {
    folder.Write("colour.jpg.regions",
                 "Red\r\npoly\r\n10,10,50,10,30,40\r\nBlue\r\nrect\r\n60,0,90,30\r\nStray\r\nrect\r\n0,60,9,70\r\n");
    folder.Write("size.jpg.regions", "Large\r\nrect\r\n0,0,100,100\r\n");
    return {{"Colour", folder.File("colour.jpg"), 1, {{"Red", 0, kRed}, {"Green", 0, kGreen}, {"Blue", 1, kBlue}}},
            {"Size", folder.File("size.jpg"), 2, {{"Small", 0, kSmall}, {"Large", 0, kLarge}}}};
  }
  void ClickAt(RegionPoint point) {
    dialog.Control().Move(point);
    Click(dialog.Control(), point);
    dialog.ClickPicture();
  }

  TempFolder folder;
  FakeOwner owner;
  ImageRegionSelectModel dialog;
};

std::vector<std::string> Outlined(const ImageRegionCtrlState& control) {
  return {control.SelectedIds().begin(), control.SelectedIds().end()};
}

}  // namespace

TEST(RegionSelect, OpensOnTheFirstMenuWithItsChoicesOutlined) {
  SelectFixture f;
  EXPECT_EQ(f.dialog.CurrentMenu(), 0);
  EXPECT_EQ(f.dialog.PicturePath(), f.folder.File("colour.jpg"));
  EXPECT_EQ(f.dialog.Control().Usage(), USAGE_SELECT);
  EXPECT_EQ(f.dialog.RowCount(), 3);
  EXPECT_EQ(f.dialog.RowText(2), "Blue");
  EXPECT_TRUE(f.dialog.RowChecked(2));
  EXPECT_EQ(f.dialog.FocusedRow(), 0);
  EXPECT_EQ(f.dialog.GetSelectedAttribute(), kRed);
  EXPECT_EQ(Outlined(f.dialog.Control()), std::vector<std::string>{"Blue"});
  EXPECT_EQ(BuildPaintList(f.dialog.Control()).size(), 1u);
  EXPECT_FALSE(f.dialog.Dirty());
  EXPECT_EQ(f.dialog.Title(), "Item 0");
}

TEST(RegionSelect, ClickingARegionTwiceSelectsAndDeselectsIt) {
  SelectFixture f;
  f.ClickAt({30, 20});
  EXPECT_TRUE(f.dialog.RowChecked(0));
  EXPECT_EQ(f.dialog.FocusedRow(), 0);
  EXPECT_EQ(Outlined(f.dialog.Control()), (std::vector<std::string>{"Blue", "Red"}));
  EXPECT_TRUE(f.dialog.Dirty());
  f.ClickAt({30, 20});
  EXPECT_FALSE(f.dialog.RowChecked(0));
  EXPECT_EQ(Outlined(f.dialog.Control()), std::vector<std::string>{"Blue"});
  f.ClickAt({70, 10});
  EXPECT_FALSE(f.dialog.RowChecked(2));
  EXPECT_EQ(f.dialog.FocusedRow(), 2);
}

TEST(RegionSelect, ClicksOutsideOrOnARegionOfNoAttributeChangeNothing) {
  SelectFixture f;
  f.ClickAt({200, 200});
  f.ClickAt({5, 65});  // "Stray" names no attribute of the menu
  EXPECT_EQ(f.dialog.Control().GetHoveredId(), "Stray");
  EXPECT_FALSE(f.dialog.Dirty());
  EXPECT_EQ(f.dialog.MarkingChoices()[2].selected, 1);
  EXPECT_EQ(f.dialog.MarkingChoices()[0].selected, 0);
}

TEST(RegionSelect, ChecksOutlineAtOnceAndMenusStepRound) {
  SelectFixture f;
  EXPECT_TRUE(f.dialog.SetRowChecked(1, true));
  EXPECT_FALSE(f.dialog.SetRowChecked(1, true));
  EXPECT_EQ(f.dialog.FocusedRow(), 1);
  EXPECT_EQ(Outlined(f.dialog.Control()), (std::vector<std::string>{"Blue", "Green"}));
  f.dialog.NextMenu();
  EXPECT_EQ(f.dialog.CurrentMenu(), 1);
  EXPECT_TRUE(f.dialog.Control().SelectedIds().empty()) << "the outlines of the other menu are gone";
  EXPECT_EQ(f.dialog.Control().Regions().rectangleIds, std::vector<std::string>{"Large"});
  f.dialog.NextMenu();
  EXPECT_EQ(f.dialog.CurrentMenu(), 0) << "after the last menu comes the first";
  f.dialog.PreviousMenu();
  EXPECT_EQ(f.dialog.CurrentMenu(), 1);
  EXPECT_EQ(f.dialog.FocusedRow(), 0);
}

TEST(RegionSelect, NextStoresOnlyWhenDirtyAndKeepsMenuAndRow) {
  SelectFixture f;
  f.dialog.Next();
  EXPECT_EQ(f.owner.requests, std::vector<RegionSelectRequest>{REQUEST_NEXT});
  EXPECT_EQ(f.dialog.currentItem, 1);
  EXPECT_EQ(f.dialog.Title(), "Item 1");
  f.dialog.NextMenu();
  f.dialog.SetRowChecked(1, true);  // Large for item 1
  f.dialog.Previous();
  EXPECT_EQ(f.owner.requests, (std::vector<RegionSelectRequest>{REQUEST_NEXT, REQUEST_STORE, REQUEST_PREVIOUS}));
  EXPECT_FALSE(f.dialog.Dirty());
  EXPECT_EQ(f.dialog.currentItem, 0);
  EXPECT_EQ(f.dialog.CurrentMenu(), 1);
  EXPECT_EQ(f.dialog.FocusedRow(), 1);
  EXPECT_FALSE(f.dialog.RowChecked(1)) << "item 0 does not have Large";
  EXPECT_EQ(f.owner.itemChoices[1][1].attributes[1].selected, 1);
  EXPECT_TRUE(f.dialog.ChangesApplied());
}

TEST(RegionSelect, MarkAllAndClearAllAskTheOwnerWhoChecksTheRow) {
  SelectFixture f;
  f.dialog.FocusRow(1);
  EXPECT_EQ(f.dialog.GetSelectedAttribute(), kGreen);
  f.dialog.MarkAll();
  EXPECT_TRUE(f.dialog.RowChecked(1));
  f.dialog.ClearAll();
  EXPECT_FALSE(f.dialog.RowChecked(1));
  EXPECT_EQ(f.owner.requests, (std::vector<RegionSelectRequest>{REQUEST_MARK_ALL, REQUEST_CLEAR_ALL}));
  EXPECT_TRUE(f.dialog.ChangesApplied()) << "Cancel must still evaluate and refresh";
}

TEST(RegionSelect, WithoutMenusOnlyTheMessagesGo) {
  FakeOwner owner({});
  ImageRegionSelectModel dialog(&owner);
  dialog.Init();
  dialog.NextMenu();
  dialog.SetRowChecked(0, true);
  EXPECT_FALSE(dialog.ClickPicture());
  dialog.Next();
  EXPECT_EQ(owner.requests, std::vector<RegionSelectRequest>{REQUEST_NEXT});
  EXPECT_EQ(dialog.CurrentMenu(), -1);
  EXPECT_EQ(dialog.RowCount(), 0);
  EXPECT_EQ(dialog.RowText(0), "");
  EXPECT_EQ(dialog.GetSelectedAttribute(), -1);
  EXPECT_FALSE(dialog.ChangesApplied());
}

TEST(RegionSelect, TheChoicesBecomeOneOrGroupInTheTree) {
  TreeFixture tree;
  SelectFixture f;
  f.ClickAt({30, 20});  // Red, besides Blue chosen before
  tree.tree.ApplyRegionOrMarks(tree.Menu(0), f.dialog.MarkingChoices());
  ASSERT_EQ(tree.doc->m_markLog.size(), 1u);
  const auto* group = dynamic_cast<const MARKUNDO_Object*>(tree.doc->m_markLog[0].get());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->attributes, (std::vector<std::int32_t>{kRed, kBlue}));
  EXPECT_EQ(tree.doc->GetAttributeMark(kRed), MARK_OR);
  EXPECT_EQ(tree.doc->GetAttributeMark(kGreen), MARK_CLEAR);
}

TEST(RegionSelect, ARegionFileThatIsAFifoShowsNoRegionsAndIsNamedOnce) {
  ScriptedUi ui;
  TempFolder folder;
  const std::string colour = folder.File("colour.jpg.regions");
  ASSERT_EQ(::mkfifo(colour.c_str(), 0600), 0);
  folder.Write("size.jpg.regions", "Large\r\nrect\r\n0,0,100,100\r\n");
  FakeOwner owner({{"Colour", folder.File("colour.jpg"), 1, {{"Red", 0, kRed}, {"Blue", 1, kBlue}}},
                   {"Size", folder.File("size.jpg"), 2, {{"Small", 0, kSmall}, {"Large", 0, kLarge}}}});
  ImageRegionSelectModel dialog(&owner);
  owner.ShowItem(dialog, 0);
  dialog.navigation = true;
  hang_guard::ReturnsWithinBound("the region dialog", [&] {
    dialog.Init();
    EXPECT_TRUE(dialog.Control().Regions().rectangleIds.empty());
    EXPECT_EQ(dialog.RowCount(), 2) << "the menu's attributes still list";
    dialog.Next();
    dialog.NextMenu();
    EXPECT_EQ(dialog.Control().Regions().rectangleIds, std::vector<std::string>{"Large"});
    dialog.PreviousMenu();
  });
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"Cannot read the region file \"" + colour + "\": it is not a plain file."});
}
