// The debug dumps a load, a save and the region editor write into the
// current folder, which may be a key's folder the user started the program
// in: whatever the key put under a dump's name (a link to the user's files,
// a dangling link, a FIFO, a folder) is left as it was and nothing outside
// changes, and no step waits on a FIFO.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <map>

#include "editors/ImageRegionEditorModel.h"
#include "fakes/HangGuard.h"
#include "fakes/ScriptedUi.h"
#include "items/ItemsTestSupport.h"

namespace {

namespace fs = std::filesystem;

const char* const kDumpNames[] = {"before_sorting.txt", "after_sorting.txt", "TEST.qorx", "testRegions.html"};

// Every entry below folder: "L<target>", "D", "P" (a FIFO) or "F<bytes>".
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    if (entry.is_symlink())
      entries[name] = "L" + fs::read_symlink(entry.path()).string();
    else if (entry.is_directory())
      entries[name] = "D";
    else if (entry.is_fifo())
      entries[name] = "P";
    else
      entries[name] = "F" + ReadFile(entry.path().string());
  }
  return entries;
}

// A step that waits on a FIFO would never return: the guard fails the test
// and ends the program instead of hanging the run.
void FinishesOrFails(const std::function<void()>& step) { hang_guard::ReturnsWithinBound("the step", step); }

class CurrentFolderDumpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = temp.path() / "home";
    key = temp.path() / "key";
    fs::create_directories(home);
    fs::create_directories(key);
    WriteFile((home / ".bashrc").string(), "# the user's own\n");
    fs::current_path(key);
  }

  // A load and a save of a key in the current folder, the dump thread done,
  // and the region editor's save of a picture's regions.
  void LoadSaveAndEditRegions() {
    FinishesOrFails([this] {
      auto doc = MakeDocument(true, true);
      Add(*doc, "Wren", "Troglodytes", "troglodytes", "Troglodytidae");
      Add(*doc, "Robin", "Erithacus", "rubecula", "Muscicapidae");
      const std::string path = (key / "birds.qor").string();
      ASSERT_TRUE(doc->OnSaveDocument(path));
      CZAVDoc opened;
      ASSERT_TRUE(opened.OnOpenDocument(path));
      ASSERT_TRUE(opened.OnSaveDocument(path));
      WaitForXmlDump();
      ImageRegionEditorModel editor;
      editor.attributeNames = {"Red"};
      editor.picturePath = (key / "bird.jpg").string();
      editor.keyFolder = key.string();
      editor.Init();
      editor.Control().Regions().rectangles.push_back({1, 2, 30, 40});
      editor.Control().Regions().rectangleIds.push_back("Red");
      editor.Ok();
    });
  }

  std::set<std::string> LeftInKey() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(key)) names.insert(entry.path().filename().string());
    return names;
  }

  TempFolder temp;
  ScriptedUi ui;
  fs::path home, key;
};

TEST_F(CurrentFolderDumpsTest, InAPlainFolderEveryDumpIsWritten) {
  LoadSaveAndEditRegions();
  for (const char* name : kDumpNames) EXPECT_TRUE(fs::is_regular_file(key / name)) << name;
  EXPECT_NE(ReadFile((key / "after_sorting.txt").string()).find("Robin"), std::string::npos);
}

TEST_F(CurrentFolderDumpsTest, WhatTheKeyPutUnderADumpsNameIsLeftAsItWasAndNothingOutsideChanges) {
  const std::map<std::string, std::function<void(const fs::path&)>> hostile = {
      {"a link to the user's file", [](const fs::path& at) { fs::create_symlink("../home/.bashrc", at); }},
      {"a dangling link", [](const fs::path& at) { fs::create_symlink("../home/pwned.txt", at); }},
      {"a FIFO", [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
      {"a folder", [](const fs::path& at) { fs::create_directory(at); }},
  };
  for (const auto& [kind, make] : hostile) {
    SCOPED_TRACE(kind);
    for (const auto& entry : fs::directory_iterator(key)) fs::remove_all(entry.path());
    for (const char* name : kDumpNames) make(key / name);
    const auto homeBefore = Snapshot(home);
    const auto dumpsBefore = Snapshot(key);
    LoadSaveAndEditRegions();
    EXPECT_EQ(Snapshot(home), homeBefore);
    for (const char* name : kDumpNames) EXPECT_EQ(Snapshot(key)[name], dumpsBefore.at(name)) << name;
    EXPECT_EQ(LeftInKey(), (std::set<std::string>{"TEST.qorx", "after_sorting.txt", "before_sorting.txt",
                                                  "bird.jpg.regions", "birds.htm", "birds.qor", "testRegions.html"}));
  }
}

}  // namespace
