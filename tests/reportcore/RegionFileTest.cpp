// Region files, image maps, link-id escaping and sibling paths.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ReportCoreFixtures.h"
#include "database/ImageRegion.h"
#include "fakes/HangGuard.h"

using namespace reportcore_test;

namespace {
std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(RegionFile, ReadsTheSixLinesAndWritesThemBackWithCrlf) {
  TempFolder folder;
  const std::string crlf = "A\r\npoly\r\n1,2,3,4,5,6\r\nB\r\nrect\r\n5,6,7,8\r\n";
  for (const std::string& text : {crlf, std::string("A\npoly\n1,2,3,4,5,6\nB\nrect\n5,6,7,8"),
                                  std::string("A\npoly\n1,2,3,4,5,6\nB\nrect\n5,6,7,8\n\n")}) {
    const std::string path = folder.Write("Legs.jpg.regions", text);
    RegionSet set;
    EXPECT_TRUE(ReadRegions(path, set));
    ASSERT_EQ(set.polygons.size(), 1u);
    EXPECT_EQ(set.polygons[0], (RegionPolygon{{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(set.polygonIds, std::vector<std::string>{"A"});
    EXPECT_EQ(set.rectangles, (std::vector<RegionRect>{{5, 6, 7, 8}}));
    EXPECT_EQ(set.rectangleIds, std::vector<std::string>{"B"});
    ASSERT_TRUE(WriteRegions(path, set));
    EXPECT_EQ(ReadBytes(path), crlf);
  }
}

TEST(RegionFile, MalformedRecordsAndNumbers) {
  TempFolder folder;
  const std::string path = folder.Write("a.regions", "R\nrect\n1,2,3\nP\npoly\n1,2,3\nQ\nPoly\n 7,-8,x,9\nE\npoly\n\n");
  RegionSet set;
  ReadRegions(path, set);
  EXPECT_EQ(set.polygonIds, (std::vector<std::string>{"P", "E"}));
  EXPECT_EQ(set.polygons[0], (RegionPolygon{{1, 2}}));
  EXPECT_TRUE(set.polygons[1].empty());
  EXPECT_EQ(set.rectangleIds, std::vector<std::string>{"Q"}) << "\"Poly\" reads as a rectangle";
  EXPECT_EQ(set.rectangles[0], (RegionRect{7, -8, 0, 9}));
  RegionSet none;
  EXPECT_TRUE(ReadRegions((folder.path() / "missing.regions").string(), none));
  EXPECT_TRUE(none.polygons.empty() && none.rectangles.empty());
}

TEST(RegionFile, CoordinatesBeyondAnyPictureAreClamped) {
  TempFolder folder;
  const std::string path = folder.Write(
      "huge.regions", "R\nrect\n-2147483648,-99999999999,2147483647,4194305\nP\npoly\n-4194304,4194304,-4194305,7\n");
  RegionSet set;
  ReadRegions(path, set);
  const int limit = kRegionCoordinateLimit;
  EXPECT_EQ(set.rectangles, (std::vector<RegionRect>{{-limit, -limit, limit, limit}}));
  EXPECT_EQ(set.polygons, (std::vector<RegionPolygon>{{{-limit, limit}, {-limit, 7}}}));
}

TEST(RegionFile, LongPolygonsSurviveWhole) {
  TempFolder folder;
  RegionSet set;
  RegionPolygon big;
  for (int i = 0; i < 3000; ++i) big.push_back({i * 1000 + 7, -i});
  set.polygons.push_back(big);
  set.polygonIds.push_back("big one");
  const std::string path = (folder.path() / "big.regions").string();
  ASSERT_TRUE(WriteRegions(path, set));
  RegionSet back;
  ReadRegions(path, back);
  EXPECT_EQ(back, set);
}

TEST(RegionFile, FailedWriteReportsFailureAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.Write("keep.regions", "old");
  RegionSet set;
  set.rectangles.push_back({1, 2, 3, 4});
  set.rectangleIds.push_back("X");
  EXPECT_FALSE(WriteRegions((folder.path() / "no" / "such" / "f.regions").string(), set));
  if (::geteuid() != 0) {  // root writes anywhere
    std::filesystem::permissions(folder.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(WriteRegions(path, set));
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
  }
  EXPECT_EQ(ReadBytes(path), "old");
}

// A key's folder may put anything under a region file's name; a stand-in for
// the user's home beside it holds what must never be read.
class HostileRegionFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("home/secret", "Secret\r\nrect\r\n1,2,3,4\r\n");
    std::filesystem::create_directories(folder.path() / "key");
  }
  std::string Key(const std::string& name) const { return folder.File("key/" + name); }
  // Reads the file, guarded: a file that blocks fails the test rather than hanging it.
  bool Read(const std::string& path, RegionSet& set, std::string& reason) {
    return hang_guard::ReturnsWithinBound("reading a region file", [&] { return ReadRegions(path, set, reason); });
  }

  TempFolder folder;
};

TEST_F(HostileRegionFile, WhatIsNoSmallPlainFileOfThePicturesFolderIsRefusedAtOnce) {
  const int fd = ::open(Key("sparse.jpg.regions").c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 8LL << 30), 0);  // 8 GB that take no room on disk
  ::close(fd);
  ASSERT_EQ(::mkfifo(Key("pipe.jpg.regions").c_str(), 0600), 0);
  std::filesystem::create_symlink("../home/secret", Key("out.jpg.regions"));
  const std::pair<const char*, const char*> cases[] = {
      {"sparse.jpg.regions", "it is larger than 16777216 bytes"},
      {"pipe.jpg.regions", "it is not a plain file"},
      {"out.jpg.regions", "it is a link that leads out of its folder"}};
  for (const auto& [name, why] : cases) {
    RegionSet set;
    set.rectangles.push_back({0, 0, 1, 1});
    set.rectangleIds.push_back("Kept");
    std::string reason;
    EXPECT_FALSE(Read(Key(name), set, reason)) << name;
    EXPECT_EQ(reason, why) << name;
    EXPECT_EQ(set.rectangleIds, std::vector<std::string>{"Kept"}) << name;
    const std::string map =
        hang_guard::ReturnsWithinBound("the image map", [&] { return MakeImageMap(Key(name), "m"); });
    EXPECT_EQ(map, "<MAP NAME=\"m\">\n</MAP>\n") << name;
  }
  RegionSet none;
  std::string reason;
  EXPECT_TRUE(Read(Key("missing.jpg.regions"), none, reason)) << "a missing file is no refusal";
  EXPECT_EQ(ReadBytes(folder.File("home/secret")), "Secret\r\nrect\r\n1,2,3,4\r\n");
}

TEST_F(HostileRegionFile, AFileOfMoreRegionsThanAMenuHasAttributesIsRefused) {
  std::string text;
  for (std::size_t k = 0; k < kMaxRegionsPerFile; ++k) text += "R" + std::to_string(k) + "\nrect\n0,0,1,1\n";
  const std::string path = folder.Write("key/full.jpg.regions", text);
  RegionSet set;
  std::string reason;
  ASSERT_TRUE(Read(path, set, reason)) << reason;
  EXPECT_EQ(set.rectangles.size(), kMaxRegionsPerFile);
  folder.Write("key/full.jpg.regions", text + "X\npoly\n0,0,1,1,2,0\n");
  RegionSet over;
  EXPECT_FALSE(Read(path, over, reason));
  EXPECT_EQ(reason, "it holds more than 16000 regions");
  EXPECT_TRUE(over.rectangles.empty());
  EXPECT_TRUE(over.polygons.empty());
}

TEST(ImageMap, AreasCarryEscapedIdsAndTitles) {
  TempFolder folder;
  const std::string path = folder.Write("m.regions", "O'Hara's leg\npoly\n10,10,50,10,30,40\nB\nrect\n5,6,7,8\n");
  EXPECT_EQ(MakeImageMap(path, "map1"),
            "<MAP NAME=\"map1\">\n"
            "\t<AREA onclick=\"window.navigate(id)\" SHAPE=\"poly\" COORDS=\"10,10,50,10,30,40\" "
            "id=\"qorattr:O%27Hara%27s%20leg\"  TITLE='O`Hara`s leg'>\n"
            "\t<AREA onclick=\"window.navigate(id)\" SHAPE=\"rect\" COORDS=\"5,6,7,8\" id=\"qorattr:B\"  TITLE='B'>\n"
            "</MAP>\n");
  EXPECT_EQ(MakeImageMap((folder.path() / "none").string(), "m"), "<MAP NAME=\"m\">\n</MAP>\n");
  const std::string hostile = folder.Write("h.regions", "<b>\"&x\nrect\n1,2,3,4\n");
  const std::string map = MakeImageMap(hostile, "m");
  EXPECT_EQ(map.find("<b>"), std::string::npos);
  EXPECT_NE(map.find("id=\"qorattr:%3Cb%3E%22%26x\""), std::string::npos);
  EXPECT_NE(map.find("TITLE='&lt;b&gt;\"&amp;x'"), std::string::npos);
}

TEST(LinkId, EncodingAndDecodingAreExactInverses) {
  EXPECT_EQ(EscapeLinkId("50%", true), "50%25");
  EXPECT_EQ(EscapeLinkId("O'Hara's leg", true), "O%27Hara%27s%20leg");
  EXPECT_EQ(EscapeLinkId("a+b \"c\"", true), "a%2Bb%20%22c%22");
  for (const std::string text : {"%2520", "100% + 'x' \"y\" &<>", "plain", "%%20%", ""})
    EXPECT_EQ(EscapeLinkId(EscapeLinkId(text, true), false), text) << text;
  EXPECT_EQ(EscapeLinkId("%2520", false), "%20");
}

TEST(SiblingPath, JoinsTheFolderWithTheFirstName) {
  EXPECT_EQ(MakeSiblingPath("C:\\Keys\\birds.qor", "wing.jpg;tail.jpg"), "C:\\Keys\\wing.jpg");
  EXPECT_EQ(MakeSiblingPath("C:\\Keys\\birds.qor", ";wing.jpg"), "C:\\Keys\\;wing.jpg");
  EXPECT_EQ(MakeSiblingPath("birds.qor", "wing.jpg"), "wing.jpg");
  EXPECT_EQ(MakeSiblingPath("/home/k/birds.qor", "sub\\wing.jpg"), "/home/k/sub\\wing.jpg");
}
