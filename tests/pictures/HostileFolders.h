// A key's folder beside a stand-in for the user's home: what a downloaded
// key could aim at. The home's snapshot records every file's bytes and every
// link's target, so a test can see that nothing outside the key changed.
#pragma once

#include <sys/stat.h>

#include <map>

#include "PictureFolders.h"

namespace pictures_test {

// Each entry below the folder: "L<target>" for a link, "D" for a folder,
// "F<bytes>" for a file.
inline std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().lexically_relative(folder).generic_string();  // links not resolved
    if (it->is_symlink())
      entries[name] = "L" + fs::read_symlink(it->path()).string();
    else if (it->is_directory())
      entries[name] = "D";
    else
      entries[name] = "F" + ReadFile(it->path());
  }
  return entries;
}

class HostileFolders : public PictureFolders {
 protected:
  void SetUp() override {
    PictureFolders::SetUp();
    home = root / "home";
    WriteFile(home / ".bashrc", "# the user's own\n");
    WriteFile(home / "secret.png", "not for the key");
    fs::create_directories(home / "outside");
    before = Snapshot(home);
  }
  void ExpectHomeUntouched() const { EXPECT_EQ(Snapshot(home), before); }

  fs::path home;
  std::map<std::string, std::string> before;
};

}  // namespace pictures_test
