// Reading a whole file in pieces side by side gives the bytes a plain read
// gives, and the reasons of a file that cannot be read.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "database/FileBytes.h"
#include "items/ItemsTestSupport.h"

namespace {

std::string Read(const std::string& path) {
  FileBytes bytes;
  std::string error;
  EXPECT_TRUE(bytes.Read(path, error)) << error;
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string RandomBytes(std::size_t size) {
  std::mt19937 random(5);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

}  // namespace

// Sizes around a 2 MB step and a file of many pieces, one that ends inside a
// piece among them.
TEST(FileBytes, GivesTheBytesOfAPlainReadWhateverTheSize) {
  TempFolder folder;
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{2} << 20, (std::size_t{2} << 20) + 1,
                                 (std::size_t{37} << 20) + 12345}) {
    const std::string path = folder.File("key.qor");
    WriteFile(path, RandomBytes(size));
    EXPECT_EQ(Read(path), ReadFile(path)) << size;
  }
}

// A file that tells no size, as those the system makes, is read to its end.
TEST(FileBytes, AFileLongerThanItsToldSizeIsReadToItsEnd) {
  const std::string text = Read("/proc/self/status");
  EXPECT_NE(text.find("Name:"), std::string::npos);
  EXPECT_EQ(text.back(), '\n');
}

TEST(FileBytes, SaysWhyAFileCannotBeRead) {
  TempFolder folder;
  FileBytes bytes;
  std::string error;
  EXPECT_FALSE(bytes.Read(folder.File("missing.qor"), error));
  EXPECT_EQ(error, "it does not exist");
  EXPECT_FALSE(bytes.Read(folder.path(), error));
  EXPECT_EQ(error, "it is a folder");
}
