// Loading and storing write debug dumps into the current folder; these
// tests run in a folder of their own so the dumps land there.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "database/XmlDump.h"

namespace {

class WorkingFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    m_previous = std::filesystem::current_path();
    m_folder = std::filesystem::temp_directory_path() / ("qor-archive-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    std::filesystem::current_path(m_folder);
  }
  void TearDown() override {
    WaitForXmlDump();  // the dump thread may still be writing into the folder
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    std::filesystem::remove_all(m_folder, ignored);
  }

 private:
  std::filesystem::path m_previous, m_folder;
};

const auto* const g_workingFolder = ::testing::AddGlobalTestEnvironment(new WorkingFolder);

}  // namespace
