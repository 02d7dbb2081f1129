// The writer against a folder swapped for a link while it writes: another
// process exchanging a subfolder of the key with a link that leads out must
// not get a single file, finished or temporary, written outside.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>

#include <atomic>
#include <thread>

#include "HostileFolders.h"
#include "database/KeyFolderWriter.h"

namespace pictures_test {
namespace {

class KeyFolderWriterRaceTest : public HostileFolders {};

TEST_F(KeyFolderWriterRaceTest, AFolderExchangedWithALinkNeverLetsAWriteOut) {
  fs::create_directories(keys / "sub");
  fs::create_symlink("../home/outside", keys / "swap");
  const KeyFolderWriter writer(keys);
  std::atomic<bool> done{false};
  std::atomic<int> exchanges{0};
  // Bounded by count, so a writer that stops early cannot leave it spinning.
  std::thread swapper([&] {
    const std::string sub = (keys / "sub").string();
    const std::string swap = (keys / "swap").string();
    for (int i = 0; i < 2'000'000 && !done; ++i)
      if (::renameat2(AT_FDCWD, sub.c_str(), AT_FDCWD, swap.c_str(), RENAME_EXCHANGE) == 0) ++exchanges;
  });
  std::string error;
  for (int i = 0; i < 2000; ++i)
    writer.WriteFile(keys / "sub" / ("picture" + std::to_string(i) + ".jpg"), "bytes", Replacing::Never, error);
  done = true;
  swapper.join();
  if (exchanges == 0) GTEST_SKIP() << "this file system cannot exchange names";
  EXPECT_EQ(Listing(home / "outside"), std::set<std::string>{});
  ExpectHomeUntouched();
}

}  // namespace
}  // namespace pictures_test
