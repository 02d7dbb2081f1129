// Reading the files a key brings: what a crafted folder puts under a name
// (a pipe, a device, a link out, a sparse giant) is refused at once, with a
// reason, and costs no memory.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "database/FolderHandle.h"
#include "database/RegularFileRead.h"
#include "items/ItemsTestSupport.h"

namespace {

namespace fs = std::filesystem;

class RegularFileReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    key = scratch.path() / "key";
    home = scratch.path() / "home";
    fs::create_directories(key / "sub");
    fs::create_directories(home);
    WriteFile((home / "secret").string(), "the user's own");
    WriteFile((key / "names.dat").string(), "names");
  }
  std::string Read(const fs::path& path, std::size_t limit = 1024) {
    bytes.clear();
    error.clear();
    return ReadKeyFile(path, limit, bytes, error) ? bytes : "refused: " + error;
  }

  TempFolder scratch;
  fs::path key, home;
  std::string bytes, error;
};

TEST_F(RegularFileReadTest, ReadsAPlainFileAndALinkThatStaysInside) {
  fs::create_symlink("names.dat", key / "alias.dat");
  EXPECT_EQ(Read(key / "names.dat"), "names");
  EXPECT_EQ(Read(key / "alias.dat"), "names");
}

TEST_F(RegularFileReadTest, RefusesWhatIsNoFileOfTheFolder) {
  ASSERT_EQ(::mkfifo((key / "pipe.dat").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", key / "zero.dat");
  fs::create_symlink(home / "secret", key / "out.dat");
  fs::create_symlink("../../home/secret", key / "sub" / "climb.dat");
  EXPECT_EQ(Read(key / "pipe.dat"), "refused: it is not a plain file");
  EXPECT_EQ(Read(key / "zero.dat"), "refused: it is a link that leads out of its folder");
  EXPECT_EQ(Read(key / "out.dat"), "refused: it is a link that leads out of its folder");
  EXPECT_EQ(Read(key / "sub" / "climb.dat"), "refused: it is a link that leads out of its folder");
  EXPECT_EQ(Read(key / "sub"), "refused: it is a folder");
  EXPECT_EQ(Read(key / "absent.dat"), "refused: it does not exist");
}

TEST_F(RegularFileReadTest, BoundsTheSizeBeforeReading) {
  const fs::path sparse = key / "sparse.dat";
  const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 8LL << 30), 0);  // 8 GB that take no room on disk
  ::close(fd);
  EXPECT_EQ(Read(sparse), "refused: it is larger than 1024 bytes");
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(Read(key / "names.dat", 5), "names");
  EXPECT_EQ(Read(key / "names.dat", 4), "refused: it is larger than 4 bytes");
}

TEST_F(RegularFileReadTest, NamesBeneathAHandleNeverLeaveTheFolder) {
  const FolderHandle folder(key);
  ASSERT_TRUE(folder.IsOpen());
  fs::create_symlink(home, key / "sub" / "home");
  for (const fs::path& name : {fs::path("../home/secret"), fs::path("sub/home/secret"), home / "secret"}) {
    EXPECT_FALSE(ReadRegularFileBeneath(folder, name, 1024, bytes, error)) << name;
  }
  fs::create_symlink("sub", key / "alias");
  EXPECT_LT(folder.Open("alias/x", O_WRONLY | O_CREAT, LinksBeneath::Refused, 0600), 0);
  const int fd = folder.Open("alias/x", O_WRONLY | O_CREAT, LinksBeneath::Inside, 0600);
  EXPECT_GE(fd, 0);
  if (fd >= 0) ::close(fd);
  EXPECT_TRUE(fs::exists(key / "sub" / "x"));
}

}  // namespace
