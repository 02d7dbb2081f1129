// Copying and moving one picture file and its region file.
#include <gtest/gtest.h>

#include "PictureFolders.h"
#include "database/KeyFolderWriter.h"
#include "database/PictureTransfer.h"

namespace pictures_test {
namespace {

class PictureTransferTest : public PictureFolders {
 protected:
  // source is below the scratch folder, which is both the folder the
  // pictures come from and the one written into.
  bool Transfer(const fs::path& source, const fs::path& destination, bool move) {
    return TransferFile(KeyFolderWriter(root), PictureSourceFolder(root), source.lexically_relative(root), destination,
                        move);
  }
  void Regions(const fs::path& source, const fs::path& destination, bool move) {
    CopyRegionFile(KeyFolderWriter(root), PictureSourceFolder(root), source.lexically_relative(root), destination,
                   move);
  }
};

TEST_F(PictureTransferTest, CopyKeepsTheSourceAndNeverReplacesAndMoveRemovesIt) {
  WriteFile(import / "a.jpg", "new");
  WriteFile(keys / "a.jpg", "old");
  EXPECT_FALSE(Transfer(import / "a.jpg", keys / "a.jpg", false));
  EXPECT_EQ(ReadFile(keys / "a.jpg"), "old");
  EXPECT_TRUE(Transfer(import / "a.jpg", keys / "c.jpg", false));
  EXPECT_EQ(ReadFile(keys / "c.jpg"), "new");
  EXPECT_TRUE(fs::exists(import / "a.jpg"));

  EXPECT_TRUE(Transfer(import / "a.jpg", keys / "b.jpg", true));
  EXPECT_EQ(ReadFile(keys / "b.jpg"), "new");
  EXPECT_FALSE(fs::exists(import / "a.jpg"));
  EXPECT_FALSE(Transfer(keys / "b.jpg", keys / "a.jpg", true));
  EXPECT_EQ(ReadFile(keys / "a.jpg"), "old");
}

TEST_F(PictureTransferTest, EmptyPictureCopiesAsEmpty) {
  WriteFile(import / "empty.jpg", "");
  EXPECT_TRUE(Transfer(import / "empty.jpg", keys / "empty.jpg", false));
  EXPECT_TRUE(fs::is_regular_file(keys / "empty.jpg"));
  EXPECT_EQ(fs::file_size(keys / "empty.jpg"), 0u);
}

TEST_F(PictureTransferTest, AFileIsNeverTransferredOntoItself) {
  WriteFile(keys / "a.jpg", "keep");
  for (bool move : {false, true}) {
    EXPECT_FALSE(Transfer(keys / "a.jpg", keys / "." / "a.jpg", move));
    EXPECT_EQ(ReadFile(keys / "a.jpg"), "keep");
  }
  EXPECT_FALSE(Transfer(import / "missing.jpg", keys / "missing.jpg", false));
  EXPECT_FALSE(fs::exists(keys / "missing.jpg"));
}

TEST_F(PictureTransferTest, MoveAcrossDevicesCopiesAndRemoves) {
  const fs::path other = "/dev/shm";
  std::error_code error;
  if (!fs::is_directory(other, error)) GTEST_SKIP() << "no second file system";
  const fs::path source = other / ("qor_move_" + std::to_string(::getpid()) + ".jpg");
  WriteFile(source, "travels");
  EXPECT_TRUE(TransferFile(KeyFolderWriter("/"), PictureSourceFolder(other), source.filename(), keys / "a.jpg", true));
  EXPECT_EQ(ReadFile(keys / "a.jpg"), "travels");
  EXPECT_FALSE(fs::exists(source));
  fs::remove(source, error);
}

TEST_F(PictureTransferTest, RegionFileFollowsOnlyWhenThereIsOne) {
  WriteFile(import / "a.jpg.regions", "regions");
  Regions(import / "a.jpg", keys / "a.jpg", true);
  EXPECT_EQ(ReadFile(keys / "a.jpg.regions"), "regions");
  EXPECT_FALSE(fs::exists(import / "a.jpg.regions"));
  Regions(import / "b.jpg", keys / "b.jpg", false);
  EXPECT_FALSE(fs::exists(keys / "b.jpg.regions"));
}

TEST_F(PictureTransferTest, RegionFileAlreadyThereIsKept) {
  WriteFile(import / "a.jpg.regions", "new");
  WriteFile(keys / "a.jpg.regions", "old");
  Regions(import / "a.jpg", keys / "a.jpg", false);
  EXPECT_EQ(ReadFile(keys / "a.jpg.regions"), "old");
}

TEST_F(PictureTransferTest, MakeFoldersCreatesEveryMissingLevel) {
  const KeyFolderWriter writer(keys);
  EXPECT_TRUE(writer.MakeFolders("a\\b/c"));
  EXPECT_TRUE(fs::is_directory(keys / "a" / "b" / "c"));
  EXPECT_TRUE(writer.MakeFolders(""));
  WriteFile(keys / "file", "x");
  EXPECT_FALSE(writer.MakeFolders("file\\d"));
}

}  // namespace
}  // namespace pictures_test
