// The writer every authoring write of a key's content goes through, and the
// commands that use it, against key folders laid out to reach the home.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "HostileFolders.h"
#include "TestBitmap.h"
#include "database/KeyFolderWriter.h"
#include "database/PictureImport.h"
#include "fakes/ScriptedLocationChooser.h"
#include "fakes/ScriptedUi.h"
#include "reports/ThumbnailRun.h"

namespace pictures_test {
namespace {

class KeyFolderWriterTest : public HostileFolders {
 protected:
  ScriptedUi ui;
  ScriptedLocationChooser chooser;
};

TEST_F(KeyFolderWriterTest, LinksAndFoldersLeadingOutAreRefused) {
  fs::create_symlink(home / ".bashrc", keys / "to-file");
  fs::create_symlink(home / "absent", keys / "dangling");
  fs::create_symlink("../home/outside", keys / "sub");
  fs::create_directories(keys / "inner");
  fs::create_symlink("inner", keys / "alias");
  WriteFile(keys / "kept", "kept");
  const KeyFolderWriter writer(keys);
  std::string error;
  for (const fs::path& target : {keys / "to-file", keys / "dangling", keys / "sub" / "x", keys / ".." / "home" / "y",
                                 keys / "inner", keys / "kept"})
    EXPECT_FALSE(writer.WriteFile(target, "bytes", Replacing::Never, error)) << target;
  EXPECT_FALSE(writer.WriteFile(keys / "to-file", "bytes", Replacing::Allowed, error));
  EXPECT_FALSE(writer.MakeFolders("sub\\deeper"));
  EXPECT_TRUE(writer.WriteFile(keys / "kept", "new", Replacing::Allowed, error));
  EXPECT_TRUE(writer.WriteFile(keys / "alias" / "in", "in", Replacing::Never, error)) << error;
  EXPECT_EQ(ReadFile(keys / "inner" / "in"), "in");
  EXPECT_EQ(ReadFile(keys / "kept"), "new");
  ExpectHomeUntouched();
}

TEST_F(KeyFolderWriterTest, SourcesAreNeverReadOrMovedThroughALinkThatLeadsOut) {
  fs::create_symlink(home / "secret.png", import / "linked.png");
  fs::create_symlink("../home/secret.png", keys / "linked.png");
  ASSERT_EQ(::mkfifo((import / "pipe.png").c_str(), 0600), 0);
  WriteFile(keys / "inner" / "own.png", "own");
  fs::create_symlink("inner", keys / "alias");
  const KeyFolderWriter writer(keys);
  std::string error;
  EXPECT_FALSE(writer.CopyFile(import / "linked.png", keys / "a.png", Replacing::Never, error));
  EXPECT_FALSE(writer.CopyFile(import / "pipe.png", keys / "b.png", Replacing::Never, error));
  EXPECT_FALSE(writer.CopyFile(keys / "linked.png", keys / "c.png", Replacing::Never, error));
  EXPECT_FALSE(writer.MoveFile(keys / "linked.png", keys / "d.png", error));
  EXPECT_TRUE(fs::is_symlink(keys / "linked.png"));
  EXPECT_TRUE(writer.MoveFile(keys / "alias" / "own.png", keys / "moved.png", error)) << error;
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(keys)) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"alias", "inner", "linked.png", "moved.png"}));
  EXPECT_TRUE(fs::is_empty(keys / "inner"));
  EXPECT_EQ(ReadFile(keys / "moved.png"), "own");
  ExpectHomeUntouched();
}

TEST_F(KeyFolderWriterTest, ConvertLogIsNeverALinkAndKeepsOneLinePerEntry) {
  fs::create_directories(keys / "Thumbnails");
  fs::create_symlink("../../home/.bashrc", keys / "Thumbnails" / kConvertLogName);
  EXPECT_FALSE(AppendConvertLog(keys / "Thumbnails", "x\ncd;touch PWNED #.png"));
  fs::remove(keys / "Thumbnails" / kConvertLogName);
  fs::create_symlink("../../home/new-file", keys / "Thumbnails" / kConvertLogName);
  EXPECT_FALSE(AppendConvertLog(keys / "Thumbnails", "dangling"));
  fs::remove(keys / "Thumbnails" / kConvertLogName);
  ASSERT_EQ(::mkfifo((keys / "Thumbnails" / kConvertLogName).c_str(), 0600), 0);
  EXPECT_FALSE(AppendConvertLog(keys / "Thumbnails", "pipe"));
  fs::remove(keys / "Thumbnails" / kConvertLogName);
  ExpectHomeUntouched();

  EXPECT_TRUE(AppendConvertLog(keys / "Thumbnails", "x\ncd;touch PWNED #.png"));
  EXPECT_TRUE(AppendConvertLog(keys / "Thumbnails", std::string("a\\b\r\t\x01\x7F.png")));
  EXPECT_EQ(ReadFile(keys / "Thumbnails" / kConvertLogName),
            "x\\ncd;touch PWNED #.png\n"
            "a\\\\b\\r\\t\\x01\\x7F.png\n");
}

TEST_F(KeyFolderWriterTest, ThumbnailsNeverLeaveTheFolder) {
  WriteFile(keys / "pay.bmp", Bitmap(40, 30));
  WriteFile(keys / "good.bmp", Bitmap(40, 30));
  fs::create_directories(keys / "Thumbnails");
  fs::create_symlink("../../home/.bashrc", keys / "Thumbnails" / "pay.bmp");
  EXPECT_EQ(CreateThumbnails(keys, ListSupportedPictures(keys)), std::vector<std::string>{"pay.bmp"});
  EXPECT_TRUE(fs::is_regular_file(keys / "Thumbnails" / "good.bmp"));
  ExpectHomeUntouched();

  fs::remove_all(keys / "Thumbnails");
  fs::create_symlink("../home/outside", keys / "Thumbnails");
  EXPECT_EQ(CreateThumbnails(keys, ListSupportedPictures(keys)), (std::vector<std::string>{"good.bmp", "pay.bmp"}));
  ExpectHomeUntouched();
}

TEST_F(KeyFolderWriterTest, PictureImportWritesNeitherThroughLinksNorOverRegionFiles) {
  WriteFile(import / "alias.jpg", "alias");
  fs::create_symlink(home / ".bash_aliases", keys / "alias.jpg");
  WriteFile(import / "rc.png", "picture");
  WriteFile(import / "rc.png.regions", "A\r\nrect\r\n1,2,3,4\r\n");
  fs::create_symlink("../home/.bashrc", keys / "rc.png.regions");
  WriteFile(import / "sub" / "in.jpg", "through");
  fs::create_symlink("../home/outside", keys / "sub");
  WriteFile(import / "own.png", "picture");
  WriteFile(import / "own.png.regions", "new regions");
  WriteFile(keys / "own.png.regions", "kept regions");
  PictureImporter importer(import, keys);
  for (std::string name : {"alias.jpg", "sub\\in.jpg"})
    EXPECT_EQ(importer.ResolveImage("Robin", name), kImageCopied | kImageTransferFailed) << name;
  std::string rc = "rc.png";
  EXPECT_EQ(importer.ResolveImage("Robin", rc), kImageCopied);
  std::string own = "own.png";
  EXPECT_EQ(importer.ResolveImage("Robin", own), kImageCopied);
  EXPECT_EQ(ReadFile(keys / "own.png.regions"), "kept regions");
  EXPECT_TRUE(fs::is_symlink(keys / "rc.png.regions"));
  ExpectHomeUntouched();
}

TEST_F(KeyFolderWriterTest, ImportFromTheDatabaseFolderNeverTouchesTheDatabasesOwnFiles) {
  const std::vector<std::string> own = {"key.qor", "key.htm", "key.qor.levels.dat", "other.QOR"};
  for (const auto& name : own) WriteFile(keys / name, name);
  PictureImporter importer(keys, keys, "key.qor");
  for (std::string name :
       {"keep\\key.qor", "keep/KEY.HTM", "x\\key.qor.levels.dat", "keep\\other.qor", "Key.Qor", "a\\b\\key.QOR"}) {
    const std::string stored = name;
    EXPECT_EQ(importer.ResolveImage("Robin", name), kImageDatabaseFile) << stored;
    EXPECT_EQ(name, stored);
  }
  for (const auto& name : own) EXPECT_EQ(ReadFile(keys / name), name);
  EXPECT_EQ(Listing(keys), (std::set<std::string>(own.begin(), own.end())));
  EXPECT_EQ(ImageOutcomeText("keep\\key.qor", kImageDatabaseFile),
            " : image file keep\\key.qor is a file of the database itself, skipped.");
}

}  // namespace
}  // namespace pictures_test
