#include <gtest/gtest.h>

#include "shell/PictureListRows.h"
#include "shell/ProgressSteps.h"

TEST(PictureListRows, SplitsAtEverySemicolon) {
  std::vector<ItemImageString> rows;
  EXPECT_EQ(SetItemListRows(rows, ""), 0);
  EXPECT_EQ(SetItemListRows(rows, "a.jpg;b.jpg;c.jpg;"), 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].number, 2);
  EXPECT_EQ(rows[2].text, "c.jpg");
  // Stored lists lose their final ";".
  SetItemListRows(rows, "a.jpg;b.jpg");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].text, "b.jpg");
  EXPECT_EQ(SetItemListRows(rows, ";"), 1);
  EXPECT_TRUE(rows.empty());
  // A name that ends another name is kept whole.
  SetItemListRows(rows, "ba.jpg;a.jpg;a.jpg;");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].text, "ba.jpg");
  EXPECT_EQ(rows[1].text, "a.jpg");
}

TEST(PictureListRows, DroppingRows) {
  std::vector<int> rows = {0, 1, 2, 3};
  EXPECT_FALSE(MoveDroppedRow(rows, 1, 1));
  EXPECT_FALSE(MoveDroppedRow(rows, 1, 2));
  EXPECT_FALSE(MoveDroppedRow(rows, -1, 2));
  EXPECT_TRUE(MoveDroppedRow(rows, 0, 4));
  EXPECT_EQ(rows, (std::vector<int>{1, 2, 3, 0}));
  EXPECT_TRUE(MoveDroppedRow(rows, 3, 0));
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3}));
}

TEST(ProgressSteps, RefreshesEveryTenthStep) {
  CProgressSteps::SharedCounter() = 0;
  CProgressSteps steps;
  steps.total = 25;
  std::vector<std::string> shown;
  std::vector<int> at;
  for (int step = 1; step <= 25; ++step)
    if (const int position = steps.Step(); position >= 0) {
      at.push_back(step);
      shown.push_back(steps.PercentText(position));
    }
  EXPECT_EQ(at, (std::vector<int>{1, 11, 21}));
  EXPECT_EQ(shown, (std::vector<std::string>{"0%", "40%", "80%"}));
  EXPECT_EQ(steps.PercentText(100), "100%");
}

TEST(ProgressSteps, NeverDividesByZero) {
  CProgressSteps::SharedCounter() = 0;
  CProgressSteps steps;
  steps.total = 0;
  steps.lower = steps.upper = 50;
  EXPECT_EQ(steps.Step(), 50);
  EXPECT_EQ(steps.PercentText(50), "100%");
}
