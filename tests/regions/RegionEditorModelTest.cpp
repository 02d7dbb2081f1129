// The region editor's rules: rows checked for the regions on file, checks
// binding and removing regions, and OK rewriting the file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "RegionTestSupport.h"
#include "editors/ImageRegionEditorModel.h"
#include "fakes/HangGuard.h"
#include "fakes/ScriptedUi.h"
#include "platform/ErrorBox.h"

using namespace regions_test;

namespace {

const std::string kRedPolygon = "Red\r\npoly\r\n10,10,50,10,30,40\r\n";

struct EditorFixture {
  explicit EditorFixture(const std::string& regionsText = kRedPolygon,
                         std::vector<std::string> names = {"Red", "Blue"}) {
    editor.attributeNames = std::move(names);
    editor.picturePath = folder.File("Legs.jpg");
    editor.menuTitle = "Legs";
    if (!regionsText.empty()) folder.Write("Legs.jpg.regions", regionsText);
    editor.Init();
  }
  std::string RegionsFile() const { return ReadBytes(folder.File("Legs.jpg.regions")); }

  ScriptedUi ui;
  TempFolder folder;
  ImageRegionEditorModel editor;
};

}  // namespace

TEST(RegionEditor, RowsMatchRegionIdsWhateverTheirLetterCaseAndOrphansStay) {
  EditorFixture f("Red\r\npoly\r\n1,1,9,1,5,9\r\nblue\r\nrect\r\n0,0,4,4\r\nWing\r\nrect\r\n5,5,8,8\r\n",
                  {"Red", "Blue", "Green"});
  EXPECT_TRUE(f.editor.RowChecked(0));
  EXPECT_TRUE(f.editor.RowChecked(1)) << "\"blue\" checks \"Blue\"";
  EXPECT_FALSE(f.editor.RowChecked(2));
  EXPECT_FALSE(f.editor.RowChecked(7));
  EXPECT_EQ(f.editor.OrphanIds(), (std::vector<std::string>{"Wing"}));
  EXPECT_FALSE(f.editor.IsReadOnly());
  EXPECT_EQ(f.editor.Control().Usage(), USAGE_EDIT);
  TempFolder debugFolder;
  CurrentFolder here(debugFolder.path());
  f.editor.Ok();
  EXPECT_EQ(f.RegionsFile(), "Red\r\npoly\r\n1,1,9,1,5,9\r\nblue\r\nrect\r\n0,0,4,4\r\nWing\r\nrect\r\n5,5,8,8\r\n")
      << "regions without a row are saved as they were";
}

TEST(RegionEditor, CheckingBindsTheDrawnShapeAndOkWritesPolygonsFirst) {
  EditorFixture f;
  f.editor.SelectRow(0);
  EXPECT_EQ(f.editor.Control().HighlightedId(), "Red");
  ClickPolygon(f.editor.Control(), {{60, 60}, {90, 60}, {75, 90}});
  EXPECT_TRUE(f.editor.SetRowChecked(1, true));
  TempFolder debugFolder;
  {
    CurrentFolder here(debugFolder.path());
    f.editor.Ok();
  }
  EXPECT_EQ(f.RegionsFile(), kRedPolygon + "Blue\r\npoly\r\n60,60,90,60,75,90\r\n");
  // The debug map shows the file as it stood before the rewrite.
  const std::string map = ReadBytes(debugFolder.File("testRegions.html"));
  EXPECT_NE(map.find("<MAP NAME=\"MapName\">"), std::string::npos);
  EXPECT_NE(map.find("qorattr:Red"), std::string::npos);
  EXPECT_EQ(map.find("qorattr:Blue"), std::string::npos);
}

TEST(RegionEditor, ACheckWithoutAFinishedShapeDoesNotHold) {
  EditorFixture f;
  ClickPolygon(f.editor.Control(), {{1, 1}, {5, 1}});
  EXPECT_FALSE(f.editor.SetRowChecked(1, true));
  EXPECT_FALSE(f.editor.RowChecked(1));
  EXPECT_EQ(f.editor.Control().CurrentPolygon().size(), 2u);
  // In rectangle mode only the rectangle is bound; the polygon being drawn stays.
  f.editor.Control().SetShapeKind(SHAPE_RECTANGLE);
  Drag(f.editor.Control(), {0, 0}, {20, 10});
  EXPECT_TRUE(f.editor.SetRowChecked(1, true));
  EXPECT_EQ(f.editor.Control().CurrentPolygon().size(), 2u);
  EXPECT_EQ(f.editor.Control().Regions().rectangleIds, std::vector<std::string>{"Blue"});
}

TEST(RegionEditor, UncheckingRemovesTheRegionFromTheFileOnOk) {
  EditorFixture f(kRedPolygon + "Blue\r\nrect\r\n1,2,3,4\r\n");
  EXPECT_TRUE(f.editor.RowChecked(1));
  EXPECT_FALSE(f.editor.SetRowChecked(0, false));
  TempFolder debugFolder;
  CurrentFolder here(debugFolder.path());
  f.editor.Ok();
  EXPECT_EQ(f.RegionsFile(), "Blue\r\nrect\r\n1,2,3,4\r\n");
  EXPECT_NE(ReadBytes(debugFolder.File("testRegions.html")).find("qorattr:Red"), std::string::npos);
}

TEST(RegionEditor, AFailedWriteKeepsTheOldFileAndSaysSo) {
  // A picture name so long that no temporary file fits beside its region
  // file: the write fails for every user, root included.
  const std::string picture(235, 'p');
  EditorFixture f("", {"Red", "Blue"});
  f.folder.Write(picture + ".regions", kRedPolygon);
  f.editor.picturePath = f.folder.File(picture);
  f.editor.Init();
  ClickPolygon(f.editor.Control(), {{60, 60}, {90, 60}, {75, 90}});
  ASSERT_TRUE(f.editor.SetRowChecked(1, true));
  TempFolder debugFolder;
  CurrentFolder here(debugFolder.path());
  EXPECT_THROW(f.editor.Ok(), UserAbort);
  EXPECT_EQ(f.ui.Messages(), std::vector<std::string>{"Couldn't create the file!"});
  EXPECT_EQ(ReadBytes(f.folder.File(picture + ".regions")), kRedPolygon);
  EXPECT_EQ(f.editor.Control().Regions().polygonIds.size(), 2u) << "the drawn regions stay for another try";
}

TEST(RegionEditor, AMenuWithoutAPictureWritesNoRegionFile) {
  ScriptedUi ui;
  TempFolder folder;
  ImageRegionEditorModel editor;
  editor.attributeNames = {"Red"};
  editor.picturePath = folder.path().string() + "/";
  editor.Init();
  EXPECT_TRUE(editor.IsReadOnly());
  EXPECT_FALSE(IsRegionPicturePath(""));
  EXPECT_FALSE(IsRegionPicturePath("C:\\Keys\\"));
  EXPECT_TRUE(IsRegionPicturePath("C:\\Keys\\wing.jpg"));
  ClickPolygon(editor.Control(), {{60, 60}, {90, 60}, {75, 90}});
  EXPECT_FALSE(editor.SetRowChecked(0, true));
  CurrentFolder here(folder.path());
  editor.Ok();
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(RegionEditor, APolygonOfTwoThousandPointsSurvivesOk) {
  EditorFixture f("");
  RegionPolygon circle;
  for (int k = 0; k < 2000; ++k) circle.push_back({1000 + (k % 2 ? 900 : 800) * k / 2000, k});
  circle.push_back({0, 1999});
  for (const RegionPoint& point : circle) Click(f.editor.Control(), point);
  ASSERT_EQ(f.editor.Control().CurrentPolygon().size(), circle.size());
  ASSERT_TRUE(f.editor.SetRowChecked(0, true));
  TempFolder debugFolder;
  CurrentFolder here(debugFolder.path());
  f.editor.Ok();
  RegionSet back;
  ReadRegions(f.folder.File("Legs.jpg.regions"), back);
  ASSERT_EQ(back.polygons.size(), 1u);
  EXPECT_EQ(back.polygons[0], circle);
}

// A key's folder may link its region files and subfolders elsewhere; OK
// writes neither through a link nor out of the database's folder, and the
// debug map is no link either.
TEST(RegionEditor, SaveNeverWritesThroughALinkOrOutOfTheKeysFolder) {
  ScriptedUi ui;
  TempFolder scratch;
  const std::filesystem::path home = scratch.path() / "home";
  const std::filesystem::path keys = scratch.path() / "keys";
  scratch.Write("home/.bashrc", "# the user's own\n");
  std::filesystem::create_directories(home / "outside");
  std::filesystem::create_directories(keys);
  std::filesystem::create_symlink("../home/.bashrc", keys / "rc.png.regions");
  std::filesystem::create_symlink("../home/outside", keys / "sub");
  std::filesystem::create_symlink("../home/.bashrc", keys / "testRegions.html");
  CurrentFolder here(keys);
  for (const std::string picture : {"rc.png", "sub/leg.png"}) {
    ImageRegionEditorModel editor;
    editor.attributeNames = {"Red"};
    editor.picturePath = (keys / picture).string();
    editor.keyFolder = keys.string();
    editor.Init();
    if (picture == "rc.png") {
      // A region file linked out is not even read: the editor stays read-only.
      EXPECT_TRUE(editor.RegionsRefused());
      editor.Ok();
      continue;
    }
    ClickPolygon(editor.Control(), {{60, 60}, {90, 60}, {75, 90}});
    ASSERT_TRUE(editor.SetRowChecked(0, true));
    EXPECT_THROW(editor.Ok(), UserAbort) << picture;
  }
  EXPECT_EQ(ReadBytes((home / ".bashrc").string()), "# the user's own\n");
  EXPECT_TRUE(std::filesystem::is_empty(home / "outside"));
}

// A region file that a key's folder made into a FIFO or a link out of the
// picture's folder: the editor opens at once, names the file and why, and
// OK can no longer replace what is there.
TEST(RegionEditor, ARefusedRegionFileIsNamedAndTheEditorTurnsReadOnly) {
  for (const std::string kind : {"fifo", "out"}) {
    ScriptedUi ui;
    TempFolder scratch;
    scratch.Write("home/secret", "Red\r\nrect\r\n1,2,3,4\r\n");
    std::filesystem::create_directories(scratch.path() / "key");
    const std::string regions = scratch.File("key/Legs.jpg.regions");
    if (kind == "fifo") {
      ASSERT_EQ(::mkfifo(regions.c_str(), 0600), 0);
    } else {
      std::filesystem::create_symlink("../home/secret", regions);
    }
    ImageRegionEditorModel editor;
    editor.attributeNames = {"Red", "Blue"};
    editor.picturePath = scratch.File("key/Legs.jpg");
    hang_guard::ReturnsWithinBound("the region editor's start", [&] { editor.Init(); });
    const std::string why = kind == "fifo" ? "it is not a plain file" : "it is a link that leads out of its folder";
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Cannot read the region file \"" + regions + "\": " + why + "."});
    EXPECT_TRUE(editor.IsReadOnly()) << kind;
    EXPECT_FALSE(editor.RowChecked(0)) << kind;
    ClickPolygon(editor.Control(), {{60, 60}, {90, 60}, {75, 90}});
    EXPECT_FALSE(editor.SetRowChecked(1, true)) << kind;
    CurrentFolder here(scratch.path());
    hang_guard::ReturnsWithinBound("the region editor's OK", [&] { editor.Ok(); });
    EXPECT_TRUE(kind == "fifo" ? std::filesystem::is_fifo(regions) : std::filesystem::is_symlink(regions)) << kind;
    EXPECT_EQ(ReadBytes(scratch.File("home/secret")), "Red\r\nrect\r\n1,2,3,4\r\n");
  }
}
