// The region-selection dialog with a recording owner: clicks on regions,
// list checks, menu steps and the requests of item mode.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QPushButton>

#include "editors/qt/ImageRegionSelectDlg.h"
#include "editors/qt/RegionDialogSupport.h"
#include "gui_regions/RegionGuiSupport.h"

using namespace regions_gui;

namespace {
struct RecordingOwner : IRegionSelectOwner {
  void OnRegionSelectRequest(RegionSelectRequest request, ImageRegionSelectModel& dialog) override {
    requests.push_back(request);
    if (request == REQUEST_STORE) stored = dialog.menus[0].attributes[0].selected;
    if (request == REQUEST_NEXT) dialog.menus[0].attributes[0].selected = 0;  // the next item lacks it
    if (request == REQUEST_MARK_ALL) dialog.CheckSelectedItems(true);
  }
  std::vector<int> requests;
  int stored = -1;
};

struct SelectFixture : ::testing::Test {
  SelectFixture() : dialog(&owner) {
    const std::string wing = WritePicture(folder, "wing.png", 300, 200);
    folder.Write("wing.png.regions", "Red\r\nrect\r\n10,10,60,60\r\nBlue\r\npoly\r\n100,10,200,10,150,90\r\n");
    const std::string tail = WritePicture(folder, "tail.png", 200, 100);
    dialog.Model().menus = {{"Wing", wing, 0, {{"Red", 0, 4}, {"Blue", 0, 5}}}, {"Tail", tail, 1, {{"Long", 0, 6}}}};
  }
  void Open(bool navigation) {
    dialog.Model().navigation = navigation;
    dialog.OnInitDialog();
    dialog.show();
  }
  RegionAttributeList& List() { return *dialog.findChild<RegionAttributeList*>("attributeList"); }
  QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  void ClickRegion(const QPoint& at) {
    Hover(dialog.Control(), at);
    Click(dialog.Control(), at);
  }

  TempFolder folder;
  RecordingOwner owner;
  CImageRegionSelectDlg dialog;
};
}  // namespace

TEST_F(SelectFixture, ClickingARegionTwiceChecksAndUnchecksItsRow) {
  Open(false);
  ClickRegion({150, 30});
  EXPECT_TRUE(List().IsChecked(1));
  EXPECT_EQ(dialog.Model().menus[0].attributes[1].selected, 1);
  EXPECT_TRUE(dialog.Model().Dirty());
  EXPECT_EQ(dialog.Control().viewport()->grab().toImage().pixel(150, 10), qRgb(0, 0, 255)) << "outlined";
  ClickRegion({150, 30});
  EXPECT_FALSE(List().IsChecked(1));
  ClickRegion({250, 150});
  EXPECT_EQ(dialog.Model().menus[0].attributes[1].selected, 0) << "a click outside every region changes nothing";
  EXPECT_TRUE(owner.requests.empty());
  EXPECT_FALSE(Button("nextItem")->isVisible());
}

TEST_F(SelectFixture, CheckingARowOutlinesItsRegionAndNextStoresFirst) {
  Open(true);
  List().setCurrentRow(0);
  QTest::keyClick(List().viewport(), Qt::Key_Space);
  EXPECT_TRUE(dialog.Model().Control().SelectedIds().count("Red"));
  QTest::mouseClick(Button("nextItem"), Qt::LeftButton);
  EXPECT_EQ(owner.requests, (std::vector<int>{REQUEST_STORE, REQUEST_NEXT}));
  EXPECT_EQ(owner.stored, 1);
  EXPECT_FALSE(List().IsChecked(0)) << "the list shows the next item's data";
  QTest::mouseClick(Button("previousItem"), Qt::LeftButton);
  EXPECT_EQ(owner.requests.back(), REQUEST_PREVIOUS);
  EXPECT_EQ(owner.requests.size(), 3u) << "nothing changed, nothing stored";
}

TEST_F(SelectFixture, MarkAllAsksTheOwnerAndChecksTheRow) {
  Open(true);
  List().setCurrentRow(1);
  QTest::mouseClick(Button("markAll"), Qt::LeftButton);
  EXPECT_EQ(owner.requests, std::vector<int>{REQUEST_MARK_ALL});
  EXPECT_TRUE(List().IsChecked(1));
  QTest::mouseClick(Button("clearAll"), Qt::LeftButton);
  EXPECT_EQ(owner.requests.back(), REQUEST_CLEAR_ALL);
  EXPECT_TRUE(dialog.Model().ChangesApplied());
}

TEST_F(SelectFixture, MenuStepsWrapAndCtrlNInTheListStepsToo) {
  Open(true);
  auto* menus = dialog.findChild<QComboBox*>("menuCombo");
  QTest::mouseClick(Button("previousMenu"), Qt::LeftButton);
  EXPECT_EQ(menus->currentIndex(), 1);
  EXPECT_EQ(List().count(), 1);
  QTest::keyClick(List().viewport(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(menus->currentIndex(), 0);
  EXPECT_EQ(List().count(), 2);
}

TEST_F(SelectFixture, ResizingStretchesThePictureAndKeepsTheButtonsAtTheRight) {
  Open(false);
  const QRect control = dialog.Control().geometry();
  const QRect ok = Button("ok")->geometry();
  dialog.resize(dialog.width() + 40, dialog.height() + 30);
  EXPECT_EQ(dialog.Control().geometry().size(), control.size() + QSize(40, 30));
  EXPECT_EQ(Button("ok")->geometry().topLeft(), ok.topLeft() + QPoint(40, 0));
}

TEST_F(SelectFixture, EnlargingKeepsTheItemButtonsBelowTheGrowingList) {
  Open(true);
  const QRect next = Button("nextItem")->geometry();
  dialog.resize(dialog.width() + 100, dialog.height() + 50);
  EXPECT_LT(List().geometry().bottom(), Button("nextItem")->geometry().top());
  EXPECT_EQ(Button("nextItem")->geometry().topLeft(), next.topLeft() + QPoint(0, 50));
  for (const char* name : {"nextItem", "previousItem", "markAll", "clearAll"})
    EXPECT_LE(Button(name)->geometry().bottom(), dialog.height()) << name;
}

TEST_F(SelectFixture, TheDialogIsWideEnoughForTheItemInItsCaption) {
  const std::string caption = "Select Region Attributes for: Acrocephalus schoenobaenus (Sedge Warbler)";
  dialog.SetTitle(caption);
  Open(true);
  QFont bold = QApplication::font();
  bold.setBold(true);
  EXPECT_GT(dialog.width(), QFontMetrics(bold).horizontalAdvance(QString::fromStdString(caption)) + 100);
}

TEST_F(SelectFixture, AnUnreadablePictureHidesTheControlButTheListWorks) {
  folder.Write("wing.png", "broken");
  Open(false);
  EXPECT_FALSE(dialog.Control().isVisible());
  List().setCurrentRow(0);
  QTest::keyClick(List().viewport(), Qt::Key_Space);
  EXPECT_EQ(dialog.Model().menus[0].attributes[0].selected, 1);
}
