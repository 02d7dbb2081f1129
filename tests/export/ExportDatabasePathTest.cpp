#include <gtest/gtest.h>

#include "editors/ExportDatabasePath.h"

TEST(ExportDatabasePath, NameLosesOnlyTheLastExtensionFolderKeepsItsSeparator) {
  const auto windows = ExportDatabasePath::Split("C:\\keys\\birds.v2.qor");
  EXPECT_EQ(windows.folder, "C:\\keys\\");
  EXPECT_EQ(windows.name, "birds.v2");
  const auto plain = ExportDatabasePath::Split("/d/v1.2/birds");
  EXPECT_EQ(plain.folder, "/d/v1.2/");
  EXPECT_EQ(plain.name, "birds");
}

TEST(ExportDatabasePath, AnUnsavedDatabaseGivesAnEmptyNameAndFolder) {
  const auto unsaved = ExportDatabasePath::Split("");
  EXPECT_EQ(unsaved.folder, "");
  EXPECT_EQ(unsaved.name, "");
  const auto bare = ExportDatabasePath::Split("birds.qor");
  EXPECT_EQ(bare.folder, "birds.qor");
  EXPECT_EQ(bare.name, "");
}
