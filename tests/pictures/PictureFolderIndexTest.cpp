// The folder index must find what the search by name finds, in the same order.
#include <gtest/gtest.h>

#include "PictureFolders.h"
#include "database/PictureFolderIndex.h"
#include "database/UtilityFunction.h"

namespace pictures_test {
namespace {

using PictureFolderIndexTest = PictureFolders;

TEST_F(PictureFolderIndexTest, AgreesWithTheSearchByName) {
  const std::vector<std::string> files = {"a.jpg", "z/a.jpg", "b/a.jpg", "b/c/a.jpg", "b/c/b.jpg",
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

TEST_F(PictureFolderIndexTest, MissingFolderIndexesNothing) {
  const PictureFolderIndex index(root / "absent");
  EXPECT_EQ(index.FileCount(), 0u);
  EXPECT_TRUE(index.FoldersHolding("a.jpg").empty());
}

}  // namespace
}  // namespace pictures_test
