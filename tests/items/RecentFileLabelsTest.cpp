#include <gtest/gtest.h>

#include "database/RecentFileLabels.h"

using Labels = std::vector<std::string>;

TEST(RecentFileLabels, DifferentNamesShowTheNameAlone) {
  EXPECT_EQ(RecentFileLabels({"/home/ann/keys/birds.qor", "/home/ann/fungi.qor"}), (Labels{"birds.qor", "fungi.qor"}));
  EXPECT_TRUE(RecentFileLabels({}).empty());
}

TEST(RecentFileLabels, SharedNamesShowTheFoldersThatTellThemApart) {
  EXPECT_EQ(RecentFileLabels({"/data/garden/birds.qor", "/data/coast/birds.qor", "/data/fungi.qor"}),
            (Labels{"garden/birds.qor", "coast/birds.qor", "fungi.qor"}));
  // The same last folder: one more folder up; a path whose folders are all
  // wanted shows whole.
  EXPECT_EQ(RecentFileLabels({"/a/keys/birds.qor", "/b/keys/birds.qor", "/c/birds.qor"}),
            (Labels{"/a/keys/birds.qor", "/b/keys/birds.qor", "/c/birds.qor"}));
  EXPECT_EQ(RecentFileLabels({"C:\\keys\\birds.qor", "D:\\keys\\birds.qor"}),
            (Labels{"C:\\keys\\birds.qor", "D:\\keys\\birds.qor"}));
}

TEST(RecentFileLabels, APathThatRunsOutOfFoldersShowsWhole) {
  EXPECT_EQ(RecentFileLabels({"/birds.qor", "/keys/birds.qor"}), (Labels{"/birds.qor", "/keys/birds.qor"}));
  // The same path twice stays as it is rather than growing without end.
  EXPECT_EQ(RecentFileLabels({"/k/birds.qor", "/k/birds.qor"}), (Labels{"birds.qor", "birds.qor"}));
}
