#include <gtest/gtest.h>

#include "database/MergeTexts.h"

using Pieces = std::vector<std::string>;

TEST(MergeTexts, SplitKeepsInnerEmptyPiecesButNoEmptyTail) {
  EXPECT_EQ(SplitAtChar("a.jpg;;b.jpg;", ';'), (Pieces{"a.jpg", "", "b.jpg"}));
  EXPECT_EQ(SplitAtChar("a.jpg;b.jpg", ';'), (Pieces{"a.jpg", "b.jpg"}));
  EXPECT_EQ(SplitAtChar("one", ';'), (Pieces{"one"}));
  EXPECT_EQ(SplitAtChar(";", ';'), (Pieces{""}));
  EXPECT_TRUE(SplitAtChar("", ';').empty());
}

TEST(MergeTexts, HelpTextGoesInFrontUnlessAlreadyContained) {
  std::string kept = "Kept help";
  MergeHelpText(kept, "New help");
  EXPECT_EQ(kept, "New help\r\nKept help");
  MergeHelpText(kept, "help");  // contained: unchanged
  EXPECT_EQ(kept, "New help\r\nKept help");
  MergeHelpText(kept, "");
  EXPECT_EQ(kept, "New help\r\nKept help");
}

TEST(MergeTexts, PictureListGetsEachMissingNameWithAClosingSeparator) {
  std::string kept = "a.jpg";
  MergePictureList(kept, "b.jpg");
  EXPECT_EQ(kept, "a.jpg;b.jpg;");
  MergePictureList(kept, "a.jpg;c.jpg;;b.jpg");
  EXPECT_EQ(kept, "a.jpg;b.jpg;c.jpg;");
  std::string empty;
  MergePictureList(empty, "x.png");
  EXPECT_EQ(empty, "x.png;");
}

TEST(MergeTexts, OutputPathReplacesOnlyTheFileNamesExtension) {
  EXPECT_EQ(ProposeMergeOutputPath("D:\\a\\birds.qor"), "D:\\a\\birds_merge.qor");
  EXPECT_EQ(ProposeMergeOutputPath("/d/v1.2/birds"), "/d/v1.2/birds_merge.qor");
  EXPECT_EQ(ProposeMergeOutputPath("/d/birds.v2.qor"), "/d/birds.v2_merge.qor");
  EXPECT_EQ(ProposeMergeOutputPath("birds"), "birds_merge.qor");
  EXPECT_EQ(ProposeMergeOutputPath(""), "");
}
