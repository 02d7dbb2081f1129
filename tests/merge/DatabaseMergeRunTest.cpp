// The whole merge command on files: refusals, the output file and what it holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "bench/GeneratedDatabase.h"
#include "database/DatabaseMergeRun.h"
#include "database/XmlDump.h"
#include "fakes/ScriptedUi.h"
#include "items/ItemsTestSupport.h"
#include "merge/MergeFixtures.h"

using Names = std::vector<std::string>;

namespace {

class MergeRun : public ::testing::Test {
 protected:
  void SetUp() override {
    FiveItems five;
    ASSERT_TRUE(five->OnSaveDocument(first));
    // The second key: Fig is new and red; Apple is now also green.
    MergeSide side;
    const int colour = side.Menu("Colour");
    const int red = side.Attribute(colour, "red");
    const int green = side.Attribute(colour, "green");
    side.Item("Apple", "Malus", "domestica", "Rosaceae", {green});
    side.Item("Fig", "Ficus", "carica", "Moraceae", {red});
    ASSERT_TRUE(side.Build()->OnSaveDocument(second));
    ui.shown.clear();
  }
  std::string Path(const std::string& name) const { return (folder.path() / name).string(); }
  bool OutputExists() const { return std::filesystem::exists(output); }

  TempFolder folder;
  ScriptedUi ui;
  const std::string first = Path("first.qor");
  const std::string second = Path("second.qor");
  const std::string output = Path("first_merge.qor");
};

// The common names of the items the marks leave, sorted.
Names RemainingNames(CZAVDoc& doc) {
  doc.ResetItemStates(false);
  doc.UpdateRemainingItems();
  Names names;
  for (int i = 0; i < doc.ItemCount(); ++i)
    if (doc.IsItemRemaining(i)) names.push_back(doc.m_itemNames[doc.GetItem(i).nameIndex]->name);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST_F(MergeRun, TheMergedFileReopensAndIdentifies) {
  const MergeRunResult result = RunDatabaseMerge(first, second, output);
  ASSERT_TRUE(result.written) << ::testing::PrintToString(ui.Messages());
  EXPECT_EQ(result.counts.itemsMatched, 1);
  EXPECT_EQ(result.counts.itemsAdded, 1);
  EXPECT_TRUE(ui.Messages().empty()) << ::testing::PrintToString(ui.Messages());

  CZAVDoc merged;
  ASSERT_TRUE(merged.OnOpenDocument(output));
  ASSERT_EQ(merged.ItemCount(), 6);
  int red = -1, green = -1;
  for (int a = 0; a < merged.AttributeCount(); ++a) {
    if (merged.GetAttribute(a).name == "red") red = a;
    if (merged.GetAttribute(a).name == "green") green = a;
  }
  ASSERT_GE(red, 0);
  ASSERT_GE(green, 0);
  merged.SetAttributeMark(red, MARK_YES);
  EXPECT_EQ(RemainingNames(merged), (Names{"Apple", "Cherry", "Fig"}));  // Fig is red in the second key
  merged.SetAttributeMark(red, MARK_CLEAR);
  merged.SetAttributeMark(green, MARK_NEVER);
  EXPECT_EQ(RemainingNames(merged), (Names{"Cherry", "Dill", "Fig"}));  // Apple is green in the second key
}

// The dump file shows the saved output, which holds items of both keys,
// not the load of either key.
TEST_F(MergeRun, TheDumpFileShowsTheSavedOutput) {
  ASSERT_TRUE(RunDatabaseMerge(first, second, output).written);
  WaitForXmlDump();
  const std::string dump = ReadFile(Path("TEST.qorx"));
  EXPECT_NE(dump.find("Cherry"), std::string::npos);
  EXPECT_NE(dump.find("Fig"), std::string::npos);
}

TEST_F(MergeRun, TheDatabasesPickedStayUnchanged) {
  const std::string firstBytes = ReadFile(first), secondBytes = ReadFile(second);
  ASSERT_TRUE(RunDatabaseMerge(first, second, output).written);
  EXPECT_EQ(ReadFile(first), firstBytes);
  EXPECT_EQ(ReadFile(second), secondBytes);
}

TEST_F(MergeRun, AMissingPathAsksForTheDatabases) {
  EXPECT_FALSE(RunDatabaseMerge(first, "", output).written);
  EXPECT_FALSE(RunDatabaseMerge(first, second, "").written);
  EXPECT_EQ(ui.Messages(), (Names{"Please choose databases", "Please choose databases"}));
  EXPECT_FALSE(OutputExists());
}

TEST_F(MergeRun, ADatabaseThatFailsToOpenIsNamedAndNothingIsWritten) {
  EXPECT_FALSE(RunDatabaseMerge(Path("none.qor"), second, output).written);
  EXPECT_EQ(ui.Messages().back(), "The first database could not be opened. Nothing was merged.");
  WriteFile(Path("bad.qor"), "not a database");
  EXPECT_FALSE(RunDatabaseMerge(first, Path("bad.qor"), output).written);
  EXPECT_EQ(ui.Messages().back(), "The second database could not be opened. Nothing was merged.");
  EXPECT_FALSE(OutputExists());
}

TEST_F(MergeRun, AFirstDatabaseWithoutRootMenuIsRefused) {
  DocBuilder empty;
  empty.AddItem("Apple", {}, {}, {}, {});
  ASSERT_TRUE(empty.Build()->OnSaveDocument(Path("bare.qor")));
  EXPECT_FALSE(RunDatabaseMerge(Path("bare.qor"), second, output).written);
  EXPECT_EQ(ui.Messages().back(), "The first database has no root menu. Nothing was merged.");
  EXPECT_FALSE(OutputExists());
}

TEST_F(MergeRun, TheOutputMayNotBeOneOfTheInputs) {
  const std::string before = ReadFile(first);
  EXPECT_FALSE(RunDatabaseMerge(first, second, first).written);
  EXPECT_EQ(ui.Messages().back(), "The output database must not be one of the databases merged. Nothing was merged.");
  EXPECT_EQ(ReadFile(first), before);
}

TEST_F(MergeRun, SkippedAttributesAreReportedAfterSaving) {
  MergeSide side;
  side.Menu("Colour", 0, MENU_OF_MENUS);
  side.Item("Apple", "Malus", "domestica", "Rosaceae", {});
  ASSERT_TRUE(side.Build()->OnSaveDocument(Path("menus.qor")));
  const MergeRunResult result = RunDatabaseMerge(Path("menus.qor"), second, output);
  EXPECT_TRUE(result.written);
  EXPECT_EQ(result.counts.attributesSkipped, 2);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text,
            "2 attribute(s) were not merged: a menu on their path has another kind in the first database.");
  EXPECT_EQ(ui.shown[0].caption, "Message");
}

// A first key at the largest attribute count the 16-bit indices allow: the
// merge ends at the limit, and the part merged is saved whole and reopens.
TEST_F(MergeRun, TheAttributeLimitSavesWhatWasMergedWithOneMessage) {
  ASSERT_TRUE(MakeGeneratedDatabase(3, kNoIndex16, 3, 0.01, 6)->OnSaveDocument(Path("full.qor")));
  ui.shown.clear();
  const MergeRunResult result = RunDatabaseMerge(Path("full.qor"), second, output);
  EXPECT_TRUE(result.written);
  EXPECT_EQ(ui.Messages(), (Names{"Too many Attributes!"}));
  CZAVDoc merged;
  ASSERT_TRUE(merged.OnOpenDocument(output));
  EXPECT_EQ(merged.AttributeCount(), kNoIndex16);
  EXPECT_GE(merged.ItemCount(), 4);
}
