// A command's output file at a name in a hostile folder: the checks before
// the question, the question, and the write that never follows a link even
// when one appears after the checks. A fake home beside the key folder is
// the witness that nothing outside changed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "database/OutputFile.h"
#include "fakes/ScriptedUi.h"
#include "fakes/TempFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBashrc = "alias ls='ls --color'\n";

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class OutputFile : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(key);
    fs::create_directories(home);
    scratch.Write("home/.bashrc", kBashrc);
  }
  void TearDown() override { EXPECT_EQ(Read(bashrc), kBashrc) << "the file outside the key changed"; }

  bool Write(const std::string& bytes, std::string& error) {
    return WriteOutputFile(
        target, [&](std::ostream& out) { return static_cast<bool>(out << bytes); }, error);
  }
  // The names in the key folder, so a temporary file left behind shows.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(key)) names.push_back(entry.path().filename().string());
    return names;
  }

  TempFolder scratch;
  ScriptedUi ui;
  const fs::path key = scratch.path() / "key";
  const fs::path home = scratch.path() / "home";
  const fs::path bashrc = home / ".bashrc";
  const fs::path target = key / "out.xml";
};

TEST_F(OutputFile, WhatStandsUnderTheNameIsRefusedBeforeTheQuestion) {
  EXPECT_EQ(OutputFileRefusal(target), "");
  fs::create_symlink(bashrc, target);
  EXPECT_EQ(OutputFileRefusal(target), "it is a symbolic link");
  EXPECT_FALSE(ConfirmOutputFile(target.string(), "Nothing was exported."));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Cannot write \"" + target.string() +
                                                    "\": it is a symbolic link. Nothing was exported."});
  fs::remove(target);
  ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
  EXPECT_EQ(OutputFileRefusal(target), "it is not a plain file");
  fs::remove(target);
  fs::create_directory(target);
  EXPECT_EQ(OutputFileRefusal(target), "it is a folder");
  EXPECT_EQ(OutputFileRefusal(key / ".."), "it names no file");
  fs::remove(target);
  scratch.Write("key/out.xml", "old");
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_EQ(OutputFileRefusal(target), "the file is read-only");
  for (const auto& shown : ui.shown) EXPECT_NE(shown.kind, "question");
}

TEST_F(OutputFile, APlainFileIsReplacedOnlyWhenTheUserSaysYes) {
  EXPECT_TRUE(ConfirmOutputFile(target.string(), "Nothing was exported.")) << "nothing to replace, nothing asked";
  EXPECT_TRUE(ui.shown.empty());
  scratch.Write("key/out.xml", "old");
  EXPECT_FALSE(ConfirmOutputFile(target.string(), "Nothing was exported."));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].kind, "question");
  EXPECT_EQ(ui.shown[0].text, target.string() + " already exists.\nDo you want to replace it?");
  EXPECT_FALSE(ui.shown[0].defaultYes);
  ui.yesNoAnswers = {true};
  EXPECT_TRUE(ConfirmOutputFile(target.string(), "Nothing was exported."));
}

TEST_F(OutputFile, TheWriteReplacesALinkThatAppearedButNeverItsTarget) {
  std::string error;
  ASSERT_TRUE(Write("first", error)) << error;
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(Write("second", error)) << error;
  EXPECT_EQ(Read(target), "second");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::remove(target);
  fs::create_symlink(bashrc, target);
  EXPECT_FALSE(Write("through the link", error));
  EXPECT_EQ(error, "it is a symbolic link");
  EXPECT_TRUE(fs::is_symlink(target));
  fs::remove(target);
  ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
  EXPECT_FALSE(Write("into the pipe", error)) << "and never blocks";
  EXPECT_EQ(error, "it is not a plain file");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.xml"}) << "no temporary file left";
}

TEST_F(OutputFile, AWriterThatFailsLeavesTheOldFileAndNoTemporary) {
  scratch.Write("key/out.xml", "old");
  std::string error;
  EXPECT_FALSE(WriteOutputFile(
      target,
      [&](std::ostream& out) {
        out << "half";
        error = "the contents ran out";
        return false;
      },
      error));
  EXPECT_EQ(error, "the contents ran out");
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.xml"});
}

}  // namespace
