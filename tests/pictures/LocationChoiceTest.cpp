// The chooser's rules: the first place selected at the start, OK gives the
// selected row, nothing selected keeps the chooser open.
#include <gtest/gtest.h>

#include "database/LocationChoice.h"

namespace {

const std::vector<std::string> kThree = {".\\a\\", ".\\b\\", ".\\c\\"};

TEST(LocationChoiceTest, FirstRowIsSelectedAndOkGivesIt) {
  LocationChoice choice("Robin", "robin.jpg", kThree);
  EXPECT_EQ(choice.ItemText(), "Robin");
  EXPECT_EQ(choice.StoredLocation(), "robin.jpg");
  EXPECT_EQ(choice.Candidates(), kThree);
  EXPECT_EQ(choice.SelectedRow(), 0);
  EXPECT_FALSE(choice.Choice().has_value());
  EXPECT_TRUE(choice.Accept());
  EXPECT_EQ(choice.Choice(), 0);
}

TEST(LocationChoiceTest, TheThirdRowChosen) {
  LocationChoice choice("Robin", "robin.jpg", kThree);
  choice.Select(2);
  EXPECT_TRUE(choice.Accept());
  EXPECT_EQ(choice.Choice(), 2);
}

TEST(LocationChoiceTest, NoSelectedRowKeepsTheChooserOpen) {
  LocationChoice empty("Robin", "robin.jpg", {});
  EXPECT_EQ(empty.SelectedRow(), -1);
  EXPECT_FALSE(empty.Accept());
  EXPECT_FALSE(empty.Choice().has_value());

  LocationChoice three("Robin", "robin.jpg", kThree);
  three.Select(3);
  EXPECT_EQ(three.SelectedRow(), -1);
  EXPECT_FALSE(three.Accept());
  EXPECT_FALSE(three.Choice().has_value());
}

}  // namespace
