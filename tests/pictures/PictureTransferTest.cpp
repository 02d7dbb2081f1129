// Copying and moving one picture file and its region file.
#include <gtest/gtest.h>

#include "PictureFolders.h"
#include "database/PictureTransfer.h"

namespace pictures_test {
namespace {

using PictureTransferTest = PictureFolders;

TEST_F(PictureTransferTest, CopyReplacesAndMoveRemovesTheSource) {
  WriteFile(import / "a.jpg", "new");
  WriteFile(keys / "a.jpg", "old");
  EXPECT_TRUE(TransferFile(import / "a.jpg", keys / "a.jpg", false));
  EXPECT_EQ(ReadFile(keys / "a.jpg"), "new");
  EXPECT_TRUE(fs::exists(import / "a.jpg"));

  EXPECT_TRUE(TransferFile(import / "a.jpg", keys / "b.jpg", true));
  EXPECT_EQ(ReadFile(keys / "b.jpg"), "new");
  EXPECT_FALSE(fs::exists(import / "a.jpg"));
}

TEST_F(PictureTransferTest, EmptyPictureCopiesAsEmpty) {
  WriteFile(import / "empty.jpg", "");
  EXPECT_TRUE(TransferFile(import / "empty.jpg", keys / "empty.jpg", false));
  EXPECT_TRUE(fs::is_regular_file(keys / "empty.jpg"));
  EXPECT_EQ(fs::file_size(keys / "empty.jpg"), 0u);
}

TEST_F(PictureTransferTest, AFileIsNeverTransferredOntoItself) {
  WriteFile(keys / "a.jpg", "keep");
  for (bool move : {false, true}) {
    EXPECT_FALSE(TransferFile(keys / "a.jpg", keys / "." / "a.jpg", move));
    EXPECT_EQ(ReadFile(keys / "a.jpg"), "keep");
  }
  EXPECT_FALSE(TransferFile(import / "missing.jpg", keys / "missing.jpg", false));
  EXPECT_FALSE(fs::exists(keys / "missing.jpg"));
}

TEST_F(PictureTransferTest, MoveAcrossDevicesCopiesAndRemoves) {
  const fs::path other = "/dev/shm";
  std::error_code error;
  if (!fs::is_directory(other, error)) GTEST_SKIP() << "no second file system";
  const fs::path source = other / ("qor_move_" + std::to_string(::getpid()) + ".jpg");
  WriteFile(source, "travels");
  EXPECT_TRUE(TransferFile(source, keys / "a.jpg", true));
  EXPECT_EQ(ReadFile(keys / "a.jpg"), "travels");
  EXPECT_FALSE(fs::exists(source));
  fs::remove(source, error);
}

TEST_F(PictureTransferTest, RegionFileFollowsOnlyWhenThereIsOne) {
  WriteFile(import / "a.jpg.regions", "regions");
  CopyRegionFile(import / "a.jpg", keys / "a.jpg", true);
  EXPECT_EQ(ReadFile(keys / "a.jpg.regions"), "regions");
  EXPECT_FALSE(fs::exists(import / "a.jpg.regions"));
  CopyRegionFile(import / "b.jpg", keys / "b.jpg", false);
  EXPECT_FALSE(fs::exists(keys / "b.jpg.regions"));
}

TEST_F(PictureTransferTest, MakeFoldersCreatesEveryMissingLevel) {
  EXPECT_TRUE(MakeFolders(keys, "a\\b/c"));
  EXPECT_TRUE(fs::is_directory(keys / "a" / "b" / "c"));
  EXPECT_TRUE(MakeFolders(keys, ""));
  WriteFile(keys / "file", "x");
  EXPECT_FALSE(MakeFolders(keys, "file\\d"));
}

}  // namespace
}  // namespace pictures_test
