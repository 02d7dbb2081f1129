// The merge's output in a hostile key folder: what stands under the
// proposed name decides whether anything is asked or written, and a fake
// home beside the key shows that nothing outside the folder changed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "database/DatabaseMergeRun.h"
#include "database/MergeTexts.h"
#include "fakes/ScriptedUi.h"
#include "items/ItemsTestSupport.h"
#include "merge/MergeFixtures.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBashrc = "alias ls='ls --color'\n";

class MergeOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(key);
    fs::create_directories(home);
    WriteFile(bashrc, kBashrc);
    FiveItems five;
    ASSERT_TRUE(five->OnSaveDocument(first));
    MergeSide side;
    const int colour = side.Menu("Colour");
    side.Item("Fig", "Ficus", "carica", "Moraceae", {side.Attribute(colour, "red")});
    ASSERT_TRUE(side.Build()->OnSaveDocument(second));
    ui.shown.clear();
  }
  void TearDown() override { EXPECT_EQ(ReadFile(bashrc), kBashrc) << "the file outside the key changed"; }

  // The questions asked, in order.
  std::vector<ScriptedUi::Shown> Questions() const {
    std::vector<ScriptedUi::Shown> asked;
    for (const auto& shown : ui.shown)
      if (shown.kind == "question") asked.push_back(shown);
    return asked;
  }
  bool Merge() { return RunDatabaseMerge(first, second, output).written; }

  TempFolder scratch;
  ScriptedUi ui;
  const fs::path key = scratch.path() / "key";
  const fs::path home = scratch.path() / "home";
  const std::string bashrc = (home / ".bashrc").string();
  const std::string first = (key / "first.qor").string();
  const std::string second = (key / "second.qor").string();
  const std::string output = ProposeMergeOutputPath(first);
};

TEST_F(MergeOutput, ALinkUnderTheOutputNameIsRefusedAndNothingIsWrittenOrAsked) {
  fs::create_symlink(bashrc, output);
  EXPECT_FALSE(Merge());
  EXPECT_TRUE(fs::is_symlink(output)) << "the link itself stays as it was";
  EXPECT_TRUE(Questions().empty());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0], "Cannot write \"" + output + "\": it is a symbolic link. Nothing was merged.");
  // A dangling link, which would create the file it leads to, too.
  fs::remove(output);
  fs::create_symlink(home / "made-by-merge.qor", output);
  EXPECT_FALSE(Merge());
  EXPECT_FALSE(fs::exists(home / "made-by-merge.qor"));
  EXPECT_EQ(ui.Messages().size(), 2u);
}

TEST_F(MergeOutput, APipeADeviceOrAFolderUnderTheOutputNameIsRefused) {
  ASSERT_EQ(::mkfifo(output.c_str(), 0600), 0);
  EXPECT_FALSE(Merge()) << "and never blocks on the pipe";
  EXPECT_EQ(ui.Messages().back(), "Cannot write \"" + output + "\": it is not a plain file. Nothing was merged.");
  fs::remove(output);
  fs::create_symlink("/dev/null", output);
  EXPECT_FALSE(Merge());
  fs::remove(output);
  fs::create_directory(output);
  EXPECT_FALSE(Merge());
  EXPECT_EQ(ui.Messages().back(), "Cannot write \"" + output + "\": it is a folder. Nothing was merged.");
  EXPECT_TRUE(fs::is_empty(output));
  EXPECT_TRUE(Questions().empty());
}

TEST_F(MergeOutput, AnExistingOutputIsReplacedOnlyWhenTheUserAgrees) {
  WriteFile(output, "an older merge");
  EXPECT_FALSE(Merge()) << "the question's default is No";
  ASSERT_EQ(Questions().size(), 1u);
  EXPECT_EQ(Questions()[0].text, output + " already exists.\nDo you want to replace it?");
  EXPECT_FALSE(Questions()[0].defaultYes);
  EXPECT_EQ(ReadFile(output), "an older merge");
  ui.yesNoAnswers = {true};
  EXPECT_TRUE(Merge());
  CZAVDoc merged;
  ASSERT_TRUE(merged.OnOpenDocument(output));
  EXPECT_EQ(merged.ItemCount(), 6);
  // No temporary file is left beside it.
  for (const auto& entry : fs::directory_iterator(key))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(MergeOutput, ANewOutputIsWrittenWithoutAQuestion) {
  EXPECT_TRUE(Merge());
  EXPECT_TRUE(Questions().empty());
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(output)));
}

}  // namespace
