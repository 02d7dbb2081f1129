#include <gtest/gtest.h>

#include "editors/ExportFileFilter.h"

namespace {

std::vector<std::pair<std::string, std::string>> Pairs(const std::string& filter) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const auto& entry : ParseExportFileFilter(filter)) pairs.emplace_back(entry.label, entry.patterns);
  return pairs;
}

TEST(ExportFileFilter, PairsOfDescriptionAndPatternUpToTheClosingBars) {
  using P = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(Pairs("XML Files|*.xml|All Files|*.*||"), (P{{"XML Files", "*.xml"}, {"All Files", "*.*"}}));
  EXPECT_EQ(Pairs("Text|*.txt;*.text|"), (P{{"Text", "*.txt;*.text"}}));
  EXPECT_EQ(Pairs("Data|*.dat||Later|*.x|"), (P{{"Data", "*.dat"}})) << "the empty part ends the filter";
  EXPECT_EQ(Pairs("No pattern||Data|*.dat||"), (P{{"Data", "*.dat"}})) << "a pair without pattern is dropped";
  EXPECT_TRUE(Pairs("").empty());
  EXPECT_TRUE(Pairs("dangling").empty());
}

}  // namespace
