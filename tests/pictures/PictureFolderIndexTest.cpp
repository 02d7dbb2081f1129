// The folder index must find what the search by name finds, in the same order.
#include <gtest/gtest.h>

#include "PictureFolders.h"
#include "database/PictureFolderIndex.h"
#include "database/UtilityFunction.h"

namespace pictures_test {
namespace {

using PictureFolderIndexTest = PictureFolders;

TEST_F(PictureFolderIndexTest, AgreesWithTheSearchByName) {
  const std::vector<std::string> files = {"a.jpg",   "z/a.jpg",     "b/a.jpg", "b/c/a.jpg", "b/c/b.jpg",
                                          "b/b.jpg", "m/n/o/c.gif", "m/a.jpg", "only.png"};
  for (const auto& file : files) WriteFile(import / file, file);
  fs::create_directories(root / "elsewhere");
  WriteFile(root / "elsewhere" / "a.jpg", "behind a link");
  fs::create_directory_symlink(root / "elsewhere", import / "link");

  const PictureFolderIndex index(import);
  EXPECT_EQ(index.FileCount(), files.size());
  for (const std::string name : {"a.jpg", "b.jpg", "c.gif", "only.png", "none.jpg"}) {
    std::vector<std::string> searched;
    FindFileInSubfolders(import, ".\\", name, searched);
    EXPECT_EQ(index.FoldersHolding(name), searched) << name;
  }
  EXPECT_EQ(index.FoldersHolding("a.jpg"),
            (std::vector<std::string>{".\\", ".\\b\\", ".\\b\\c\\", ".\\m\\", ".\\z\\"}));
}

TEST_F(PictureFolderIndexTest, AFileLookedAtAgainIsListedAsAFreshWalkWouldList) {
  for (const std::string file : {"a.jpg", "m/a.jpg", "b/c/a.jpg"}) WriteFile(import / file, file);
  fs::create_directories(root / "elsewhere");
  fs::create_directory_symlink(root / "elsewhere", import / "link");
  PictureFolderIndex index(import);
  // A move to a new folder between two listed ones, a copy into the root's
  // subfolder, a file gone, and one that appears only behind a folder link.
  fs::create_directories(import / "d");
  fs::rename(import / "a.jpg", import / "d" / "a.jpg");
  WriteFile(import / "b" / "a.jpg", "copy");
  fs::remove(import / "m" / "a.jpg");
  WriteFile(root / "elsewhere" / "a.jpg", "behind a link");
  for (const std::string file : {"a.jpg", "d/a.jpg", "b/a.jpg", "m/a.jpg", "link/a.jpg", "none/a.jpg"})
    index.Update(file);
  std::vector<std::string> searched;
  FindFileInSubfolders(import, ".\\", "a.jpg", searched);
  EXPECT_EQ(index.FoldersHolding("a.jpg"), searched);
  EXPECT_EQ(index.FoldersHolding("a.jpg"), (std::vector<std::string>{".\\b\\", ".\\b\\c\\", ".\\d\\"}));
  EXPECT_EQ(index.FileCount(), 3u);
}

TEST_F(PictureFolderIndexTest, MissingFolderIndexesNothing) {
  const PictureFolderIndex index(root / "absent");
  EXPECT_EQ(index.FileCount(), 0u);
  EXPECT_TRUE(index.FoldersHolding("a.jpg").empty());
}

}  // namespace
}  // namespace pictures_test
