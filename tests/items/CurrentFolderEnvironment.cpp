// Loads, stores and compactions write dump files into the current folder:
// the whole test program runs inside a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "database/XmlDump.h"

namespace {

class TemporaryCurrentFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    m_previous = std::filesystem::current_path();
    std::random_device random;
    m_folder = std::filesystem::temp_directory_path() / ("qor-items-cwd-" + std::to_string(random()));
    std::filesystem::create_directories(m_folder);
    std::filesystem::current_path(m_folder);
  }
  void TearDown() override {
    WaitForXmlDump();  // the last dump goes into this folder
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }

 private:
  std::filesystem::path m_previous;
  std::filesystem::path m_folder;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new TemporaryCurrentFolder);

}  // namespace
