#include <gtest/gtest.h>

#include "platform/ErrorBox.h"
#include <QPushButton>

#include "shell/qt/ProgDlg.h"
#include "shell/qt/ToolTipTrack.h"
#include "shell/qt/mylistctrl.h"
#include "tree/SmallKey.h"

TEST(MyListCtrl, RowListAndDragging) {
  CMyListCtrl list;
  EXPECT_EQ(list.SetItemList("a.jpg;b.jpg;c.jpg;"), 1);
  ASSERT_EQ(list.Rows().size(), 3u);
  for (const auto& row : list.Rows()) list.AddItem(row.number, row.text, row.flag);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_FALSE(list.DropRow(0, 1));
  EXPECT_TRUE(list.DropRow(0, 3));
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"b.jpg", "c.jpg", "a.jpg"}));
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_EQ(list.DeleteItems(list.GetCount()), 0);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ProgressDlg, StepsAndStop) {
  ScriptedUi ui;
  CProgressSteps::SharedCounter() = 0;
  QWidget owner;
  CProgressDlg dialog;
  dialog.SetTotalSteps(25);
  ASSERT_TRUE(dialog.Create(&owner));
  EXPECT_FALSE(owner.isEnabled());
  std::vector<QString> texts;
  for (int step = 1; step <= 25; ++step) {
    dialog.CheckCancelButton();
    if (texts.empty() || texts.back() != dialog.PercentText()) texts.push_back(dialog.PercentText());
  }
  EXPECT_EQ(texts, (std::vector<QString>{"0%", "40%", "80%"}));
  dialog.findChild<QPushButton*>("stopButton")->click();
  CProgressSteps::SharedCounter() = 0;
  EXPECT_THROW(dialog.CheckCancelButton(), UserAbort);
  EXPECT_EQ(ui.Messages().back(), "Operation canceled by user.");
}

TEST(ToolTipTrack, FollowsItsOwner) {
  QWidget owner;
  owner.move(100, 100);
  owner.show();
  CToolTipTrack tip;
  tip.Create(&owner);
  tip.SetText("Red");
  tip.SetPosition(10, 20);
  tip.Activate(true);
  EXPECT_EQ(tip.Text(), "Red");
  EXPECT_TRUE(tip.IsShown());
  EXPECT_EQ(tip.ScreenPosition(), owner.mapToGlobal(QPoint(10, 20)));
  tip.Activate(false);
  EXPECT_FALSE(tip.IsShown());
}
