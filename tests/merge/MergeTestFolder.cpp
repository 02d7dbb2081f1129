// Loads and stores write dump files into the current folder: the whole test
// program runs inside a temporary folder.
#include <gtest/gtest.h>

#include "items/ItemsTestSupport.h"

namespace {

class MergeTestFolder : public ::testing::Environment {
 public:
  void SetUp() override { m_folder = std::make_unique<TempFolder>(); }
  void TearDown() override { m_folder.reset(); }

 private:
  std::unique_ptr<TempFolder> m_folder;
};

[[maybe_unused]] ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new MergeTestFolder);

}  // namespace
