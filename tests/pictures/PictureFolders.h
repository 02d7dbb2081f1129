// A scratch folder per test with a database folder "keys" and an import
// folder "import" beside it, and small helpers to lay files out in them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace pictures_test {

namespace fs = std::filesystem;

inline void WriteFile(const fs::path& path, const std::string& contents) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << contents;
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every path below the folder, relative, so a test can see that nothing else changed.
inline std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> paths;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    paths.insert(fs::relative(entry.path(), folder).generic_string());
  return paths;
}

class PictureFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("qor_pictures_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    keys = root / "keys";
    import = root / "import";
    fs::create_directories(keys);
    fs::create_directories(import);
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(root, error);
  }

  fs::path root, keys, import;
};

}  // namespace pictures_test
