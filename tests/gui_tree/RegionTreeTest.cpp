// The tree's region commands with the real dialogs: OR marks placed by
// clicking regions, and "Edit Region" on a menu with a picture.
#include <gtest/gtest.h>

#include <QPushButton>

#include "database/BitMatrix.h"
#include "database/MarkLog.h"
#include "database/UtilityFunction.h"
#include "editors/qt/ImageRegionEditor.h"
#include "editors/qt/ImageRegionSelectDlg.h"
#include "editors/qt/RegionDialogSupport.h"
#include "gui_regions/RegionGuiSupport.h"
#include "gui_tree/TreeGuiFixture.h"
#include "platform/qt/DialogRunner.h"
#include "regions/RegionTestSupport.h"
#include "shell/qt/RegionCommands.h"

using namespace regions_gui;

namespace {
constexpr int kColourMenu = 1;

// The small key saved in a folder, its colour menu with a picture and regions.
struct RegionTreeFixture : TreeGuiFixture {
  RegionTreeFixture() : current(folder.path()) {
    doc->m_pathName = folder.File("fruit.qor");
    doc->m_header.lockWord = 1;  // an author's database
    doc->GetMenu(kColourMenu).pictures = "colour.png";
    WritePicture(folder, "colour.png", 300, 200);
    folder.Write("colour.png.regions", "Red\r\nrect\r\n10,10,60,60\r\nBlue\r\npoly\r\n100,10,200,10,150,90\r\n");
    InstallRegionCommands(*tree);
  }
  ~RegionTreeFixture() { platform::qt::SetModalHook(nullptr); }
  std::vector<std::string> PopupOf(HTREEITEM node) {
    std::vector<std::string> texts;
    if (auto menu = tree->BuildContextMenu(node))
      for (QAction* action : menu->actions())
        if (!action->isSeparator()) texts.push_back(action->text().toStdString());
    return texts;
  }
  static void PressOk(QDialog& dialog) { QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton); }

  TempFolder folder;
  regions_test::CurrentFolder current;
};
}  // namespace

TEST(RegionTree, OrMarksChosenOnThePictureBecomeOneMarkRecord) {
  RegionTreeFixture f;
  EXPECT_TRUE(f.tree->OffersRegionCommand(kCmdMarkOr));
  platform::qt::SetModalHook([](QDialog& dialog) {
    auto& select = dynamic_cast<CImageRegionSelectDlg&>(dialog);
    EXPECT_EQ(select.windowTitle(), "Place Or marks on Region attributes");
    select.show();
    Hover(select.Control(), {150, 30});
    Click(select.Control(), {150, 30});
    RegionTreeFixture::PressOk(dialog);
    return dialog.result();
  });
  const size_t records = f.doc->m_markLog.size();
  f.tree->ApplyRegionMark(MARK_OR, f.Node(kRed));
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_OR) << "the clicked attribute starts chosen";
  EXPECT_EQ(f.doc->GetAttributeMark(kBlue), MARK_OR);
  EXPECT_EQ(f.doc->GetAttributeMark(kGreen), MARK_CLEAR);
  ASSERT_EQ(f.doc->m_markLog.size(), records + 1);
  const auto* group = dynamic_cast<const MARKUNDO_Object*>(f.doc->m_markLog.back().get());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->attributes, (std::vector<std::int32_t>{kRed, kBlue}));
  EXPECT_EQ(f.Image(kBlue), IMAGE_OR_GROUP);
}

TEST(RegionTree, CancelLeavesEveryMark) {
  RegionTreeFixture f;
  platform::qt::SetModalHook([](QDialog& dialog) {
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>("cancel"), Qt::LeftButton);
    return dialog.result();
  });
  f.tree->ApplyRegionMark(MARK_OR, f.Node(kRed));
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_CLEAR);
}

TEST(RegionTree, EditRegionIsOfferedOnlyOnAMenuWithAPicture) {
  RegionTreeFixture f;
  auto has = [&](HTREEITEM node) {
    const auto texts = f.PopupOf(node);
    return std::find(texts.begin(), texts.end(), "Edit Region") != texts.end();
  };
  const HTREEITEM colour = f.tree->Tree().Nodes().Parent(f.Node(kRed));
  const HTREEITEM size = f.tree->Tree().Nodes().Parent(f.Node(kLarge));
  EXPECT_TRUE(has(colour));
  EXPECT_TRUE(has(f.Node(kRed)));
  EXPECT_FALSE(has(size)) << "a menu without a picture has no regions";
  f.doc->m_header.lockWord = 0;
  EXPECT_FALSE(has(f.Node(kRed))) << "a locked database is not edited";
}

TEST(RegionTree, EditRegionDrawsAndSavesThroughThePopup) {
  RegionTreeFixture f;
  platform::qt::SetModalHook([](QDialog& dialog) {
    auto& editor = dynamic_cast<CImageRegionEditor&>(dialog);
    editor.show();
    QTest::mouseClick(editor.findChild<QPushButton*>("rectangle"), Qt::LeftButton);
    Drag(editor.Control(), {200, 120}, {260, 180});
    auto* list = editor.findChild<RegionAttributeList*>("attributeList");
    list->setCurrentRow(1);
    QTest::keyClick(list->viewport(), Qt::Key_Space);
    RegionTreeFixture::PressOk(dialog);
    return dialog.result();
  });
  const QRect rect = f.tree->visualRect(f.Index(f.Node(kGreen)));
  f.chosen = "Edit Region";
  f.Mouse(QEvent::MouseButtonPress, Qt::RightButton, {rect.left() + 8, rect.center().y()});
  EXPECT_EQ(regions_test::ReadBytes(f.folder.File("colour.png.regions")),
            "Blue\r\npoly\r\n100,10,200,10,150,90\r\nRed\r\nrect\r\n10,10,60,60\r\n"
            "Green\r\nrect\r\n200,120,260,180\r\n");
}

namespace {
// The list's popup answers with "Edit item regions" on the row's item.
void EditRegionsOfRow(RegionTreeFixture& f, int row) {
  CItemListBox& box = f.list->ListBox();
  box.SetPopupRunner([](QMenu& menu, const QPoint&) { return TreeGuiFixture::Find(menu, "Edit item regions"); });
  f.ListClick(Qt::RightButton, box.visualRect(box.model()->index(row, 0)).center());
}

void CheckRow(QDialog& dialog, int row) {
  auto* list = dialog.findChild<RegionAttributeList*>("attributeList");
  list->setCurrentRow(row);
  QTest::keyClick(list->viewport(), Qt::Key_Space);
}
}  // namespace

TEST(RegionTree, ItemRegionsStoreOnNextAndStayAfterCancel) {
  RegionTreeFixture f;
  const int first = f.list->ListBox().GetItemAtRow(0);
  std::string title;
  platform::qt::SetModalHook([&](QDialog& dialog) {
    title = dialog.windowTitle().toStdString();
    dialog.show();
    CheckRow(dialog, 2);  // Blue
    QTest::mouseClick(dialog.findChild<QPushButton*>("nextItem"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cancel"), Qt::LeftButton);
    return dialog.result();
  });
  EditRegionsOfRow(f, 0);
  EXPECT_EQ(title, "Select Region Attributes for: " + GetItemDisplayName(*f.doc, first));
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(first), kBlue)) << "stored before the step";
  EXPECT_TRUE(f.doc->IsModified());
  const int second = f.list->ListBox().GetItemAtRow(1);
  EXPECT_EQ(f.list->GetSelectedItemOrNone(), second) << "the step selected the next item; the refill keeps it";
  EXPECT_FALSE(TestBit(f.doc->GetItemAttributeBits(second), kBlue)) << "Cancel writes nothing more";
}

TEST(RegionTree, ItemRegionsOkWritesTheCurrentItemsRowAndMarkAllAsksFirst) {
  RegionTreeFixture f;
  const int first = f.list->ListBox().GetItemAtRow(0);
  f.ui.yesNoAnswers = {true};
  platform::qt::SetModalHook([&](QDialog& dialog) {
    dialog.show();
    CheckRow(dialog, 1);  // Green, for this item only
    auto* list = dialog.findChild<RegionAttributeList*>("attributeList");
    list->setCurrentRow(2);
    QTest::mouseClick(dialog.findChild<QPushButton*>("markAll"), Qt::LeftButton);
    EXPECT_TRUE(list->IsChecked(2));
    RegionTreeFixture::PressOk(dialog);
    return dialog.result();
  });
  EditRegionsOfRow(f, 0);
  ASSERT_FALSE(f.ui.shown.empty());
  EXPECT_EQ(f.ui.shown.back().text, "Mark all items in the list as having the attribute Colour: Blue?");
  EXPECT_FALSE(f.ui.shown.back().defaultYes);
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(first), kGreen));
  for (int item = 0; item < f.doc->ItemCount(); ++item)
    EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(item), kBlue)) << "item " << item;
}
