// The image-conversion control and the thumbnail run over a folder.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#include "HangGuard.h"
#include "HostileFolders.h"
#include "PictureFolders.h"
#include "TestBitmap.h"
#include "fakes/ScriptedUi.h"
#include "reports/ImageConvert.h"
#include "reports/ThumbnailRun.h"

namespace pictures_test {
namespace {

std::pair<int, int> SizeOf(const fs::path& path) {
  ImageConvert converter;
  if (!converter.Open(path)) return {0, 0};
  return {converter.Width(), converter.Height()};
}

// A picture of that size in the format its name ends with.
void MakePicture(const fs::path& path, int width, int height) {
  const fs::path bitmap = path.parent_path() / "source-of-picture.bmp";
  WriteFile(bitmap, Bitmap(width, height));
  ImageConvert converter;
  ASSERT_TRUE(converter.Open(bitmap));
  ASSERT_TRUE(converter.Save(path)) << path;
  fs::remove(bitmap);
}

class ThumbnailTest : public PictureFolders {
 protected:
  fs::path Thumbnail(const std::string& name) const { return keys / "Thumbnails" / name; }
  std::vector<std::string> Run() { return CreateThumbnails(keys, ListSupportedPictures(keys)); }

  ScriptedUi ui;
};

TEST_F(ThumbnailTest, ThumbnailSizeKeepsProportionsDownTo140Wide) {
  EXPECT_EQ(ThumbnailSize(280, 200), std::make_pair(140, 100));
  EXPECT_EQ(ThumbnailSize(300, 200), std::make_pair(140, 93));
  EXPECT_EQ(ThumbnailSize(100, 70), std::make_pair(100, 70));
  EXPECT_EQ(ThumbnailSize(140, 500), std::make_pair(140, 500));
  EXPECT_EQ(ThumbnailSize(5000, 2), std::make_pair(140, 1));
}

TEST_F(ThumbnailTest, EveryFormatIsWrittenAndReadAgain) {
  WriteFile(keys / "source.bmp", Bitmap(40, 30));
  ImageConvert converter;
  ASSERT_TRUE(converter.Open(keys / "source.bmp"));
  EXPECT_EQ(converter.Width(), 40);
  EXPECT_EQ(converter.Height(), 30);
  for (const std::string name : {"p.jpg", "p.gif", "p.bmp", "p.emp", "p.png", "p.wbmp", "p.wmf", "p.tga", "p.tif"}) {
    EXPECT_TRUE(converter.Save(keys / name)) << name;
    EXPECT_EQ(SizeOf(keys / name), std::make_pair(40, 30)) << name;
  }
  EXPECT_FALSE(converter.Save(keys / "p.JPG"));
  converter.Close();
  EXPECT_EQ(converter.Width(), 0);
  EXPECT_FALSE(converter.Save(keys / "after-close.png"));
}

// Cut pictures and noise under every ending: opening may fail but never
// crashes, and what opens can be written again.
TEST_F(ThumbnailTest, DamagedPicturesNeverCrashTheConverter) {
  std::uint32_t seed = 12345;
  std::string noise;
  for (int i = 0; i < 600; ++i) noise += static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
  for (const std::string ending : {".jpg", ".gif", ".bmp", ".emp", ".png", "wbmp", ".wmf", ".tga", ".tif"}) {
    const fs::path whole = keys / ("whole" + ending);
    MakePicture(whole, 40, 30);
    const std::string bytes = ReadFile(whole);
    for (std::size_t cut : {std::size_t{1}, std::size_t{16}, bytes.size() / 2, bytes.size() - 1}) {
      const fs::path damaged = keys / ("cut" + std::to_string(cut) + ending);
      WriteFile(damaged, bytes.substr(0, cut));
      ImageConvert converter;
      if (converter.Open(damaged, kThumbnailWidth)) {
        EXPECT_TRUE(converter.Save(keys / "again.png")) << damaged;
      }
    }
    WriteFile(keys / ("noise" + ending), noise);
    ImageConvert converter;
    if (converter.Open(keys / ("noise" + ending))) {
      EXPECT_GT(converter.Width(), 0);
    }
  }
}

TEST_F(ThumbnailTest, PictureOpenedForScalingDownStillTellsItsOwnSize) {
  MakePicture(keys / "big.jpg", 1200, 800);
  ImageConvert converter;
  ASSERT_TRUE(converter.Open(keys / "big.jpg", kThumbnailWidth));
  EXPECT_EQ(converter.Width(), 1200);
  EXPECT_EQ(converter.Height(), 800);
  converter.Resize(140, 93);
  EXPECT_EQ(converter.Width(), 140);
  ASSERT_TRUE(converter.Save(keys / "small.png"));
  EXPECT_EQ(SizeOf(keys / "small.png"), std::make_pair(140, 93));
}

TEST_F(ThumbnailTest, OnlyRegularFilesWithLowerCaseEndingsAreOffered) {
  for (const std::string name : {"a.jpg", "b.JPG", "c.jpeg", "d.wbmp", "e.tiff", "f.tif", "g.txt", "h.Png"})
    WriteFile(keys / name, "x");
  fs::create_directories(keys / "folder.jpg");
  EXPECT_EQ(ListSupportedPictures(keys), (std::vector<std::string>{"a.jpg", "d.wbmp", "f.tif"}));
  EXPECT_TRUE(ListSupportedPictures(keys / "absent").empty());
}

TEST_F(ThumbnailTest, PicturesAreScaledTo140WideInTheirOwnFormat) {
  MakePicture(keys / "wide.jpg", 280, 200);
  MakePicture(keys / "odd.png", 300, 200);
  MakePicture(keys / "tall.tga", 280, 2000);
  EXPECT_TRUE(Run().empty());
  EXPECT_EQ(SizeOf(Thumbnail("wide.jpg")), std::make_pair(140, 100));
  EXPECT_EQ(SizeOf(Thumbnail("odd.png")), std::make_pair(140, 93));
  EXPECT_EQ(SizeOf(Thumbnail("tall.tga")), std::make_pair(140, 1000));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{kConversionCompleted});
  EXPECT_FALSE(fs::exists(Thumbnail(kConvertLogName)));
}

TEST_F(ThumbnailTest, NarrowPictureIsCopiedOnEveryRunAndDoneOnesAreKept) {
  MakePicture(keys / "narrow.gif", 100, 60);
  MakePicture(keys / "narrow.jpg", 90, 50);
  MakePicture(keys / "wide.bmp", 280, 200);
  Run();
  EXPECT_EQ(SizeOf(Thumbnail("narrow.gif")), std::make_pair(100, 60));
  EXPECT_EQ(SizeOf(Thumbnail("narrow.jpg")), std::make_pair(90, 50));
  const auto wideTime = fs::last_write_time(Thumbnail("wide.bmp"));
  fs::remove(Thumbnail("narrow.gif"));
  WriteFile(Thumbnail("stale.png"), "not a picture");
  Run();
  EXPECT_EQ(SizeOf(Thumbnail("narrow.gif")), std::make_pair(100, 60));
  EXPECT_EQ(fs::last_write_time(Thumbnail("wide.bmp")), wideTime);
}

TEST_F(ThumbnailTest, UnreadablePictureIsLoggedAndTheRunGoesOn) {
  WriteFile(keys / "broken.jpg", "this is not a picture");
  MakePicture(keys / "good.png", 280, 200);
  WriteFile(keys / "empty.gif", "");
  std::vector<int> progress;
  const auto failed = CreateThumbnails(keys, ListSupportedPictures(keys), [&](int n) { progress.push_back(n); });
  EXPECT_EQ(failed, (std::vector<std::string>{"broken.jpg", "empty.gif"}));
  EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ReadFile(Thumbnail(kConvertLogName)),
            Thumbnail("broken.jpg").string() + "\n" + Thumbnail("empty.gif").string() + "\n");
  EXPECT_EQ(SizeOf(Thumbnail("good.png")), std::make_pair(140, 100));
}

TEST_F(ThumbnailTest, OneWorkerAndManyGiveTheSameResultsAndLog) {
  for (int i = 0; i < 12; ++i) {
    const std::string n = std::to_string(i);
    if (i % 4 == 0)
      WriteFile(keys / ("bad" + n + ".png"), "broken");
    else
      MakePicture(keys / ("p" + n + ".png"), 150 + i, 100);
  }
  const auto files = ListSupportedPictures(keys);
  const auto single = CreateThumbnails(keys, files, {}, 1);
  const std::string singleLog = ReadFile(Thumbnail(kConvertLogName));
  fs::remove_all(keys / "Thumbnails");
  const auto many = CreateThumbnails(keys, files, {}, 8);
  EXPECT_EQ(many, single);
  EXPECT_EQ(ReadFile(Thumbnail(kConvertLogName)), singleLog);
  EXPECT_EQ(single.size(), 3u);
}

// The threads of the process, as the kernel lists them.
int RunningThreads() {
  int count = 0;
  for ([[maybe_unused]] const auto& task : fs::directory_iterator("/proc/self/task")) ++count;
  return count;
}

// Pinned to two CPUs, a run converts on the program's pool of two threads
// beside the caller, never on a thread per core of the machine.
TEST_F(ThumbnailTest, ARunUsesNoMoreThreadsThanTheProcessMayRunOn) {
  cpu_set_t two;
  CPU_ZERO(&two);
  CPU_SET(0, &two);
  CPU_SET(1, &two);
  if (sched_setaffinity(0, sizeof two, &two) != 0) GTEST_SKIP() << "the process may not run on two CPUs";
  for (int i = 0; i < 24; ++i) MakePicture(keys / ("p" + std::to_string(i) + ".png"), 300, 200);
  int most = 0;
  const auto failed =
      CreateThumbnails(keys, ListSupportedPictures(keys), [&](int) { most = std::max(most, RunningThreads()); });
  EXPECT_TRUE(failed.empty());
  EXPECT_GT(most, 0);
  EXPECT_LE(most, 3);
}

TEST_F(ThumbnailTest, EmptyListMakesNoFolderAndLeavesTheCurrentFolder) {
  const auto current = fs::current_path();
  EXPECT_TRUE(CreateThumbnails(keys, {}).empty());
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{kNoFilesToConvert});
  EXPECT_FALSE(fs::exists(keys / "Thumbnails"));
  MakePicture(keys / "a.png", 200, 100);
  Run();
  EXPECT_EQ(fs::current_path(), current);
}

// A run-length Targa of one colour: a few megabytes that decode to a picture
// of width x height.
std::string FlatTarga(int width, int height) {
  std::string tga(18, '\0');
  tga[2] = 10;  // run-length true colour
  tga[12] = static_cast<char>(width & 0xFF);
  tga[13] = static_cast<char>(width >> 8);
  tga[14] = static_cast<char>(height & 0xFF);
  tga[15] = static_cast<char>(height >> 8);
  tga[16] = 24;
  const long long packets = (static_cast<long long>(width) * height + 127) / 128;
  tga.reserve(tga.size() + 4 * packets);
  for (long long p = 0; p < packets; ++p) tga += "\xFF\x40\x80\xC0";
  return tga;
}

TEST_F(ThumbnailTest, PicturesAreDecodedOnlyAsTheFormatTheirNameSays) {
  WriteFile(root / "secret.png", Bitmap(20, 20));
  const std::string drawing =
      "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
      "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"200\" height=\"100\">"
      "<rect width=\"200\" height=\"100\" fill=\"red\"/>"
      "<image xlink:href=\"" +
      (root / "secret.png").string() +
      "\" width=\"20\" height=\"20\"/>"
      "<image href=\"../secret.png\" width=\"20\" height=\"20\"/></svg>";
  WriteFile(keys / "drawing.gif", drawing);
  WriteFile(keys / "drawing.png", drawing);
  WriteFile(keys / "bitmap.jpg", Bitmap(40, 30));
  ImageConvert converter;
  for (const std::string name : {"drawing.gif", "drawing.png", "bitmap.jpg"})
    EXPECT_FALSE(converter.Open(keys / name)) << name;
  EXPECT_EQ(Run(), (std::vector<std::string>{"bitmap.jpg", "drawing.gif", "drawing.png"}));
  EXPECT_EQ(Listing(keys / "Thumbnails"), std::set<std::string>{kConvertLogName});
}

TEST_F(ThumbnailTest, MetafileIsTakenOnlyForTheBitmapItCarries) {
  MakePicture(keys / "carried.wmf", 40, 30);
  EXPECT_EQ(SizeOf(keys / "carried.wmf"), std::make_pair(40, 30));
  const std::string bytes = ReadFile(keys / "carried.wmf");
  // The same metafile with its bitmap record turned into an unknown record.
  std::string drawn = bytes;
  const std::string stretch("\x43\x0F", 2);
  const auto at = drawn.find(stretch, 22 + 18);
  ASSERT_NE(at, std::string::npos);
  drawn.replace(at, 2, std::string("\x43\x0E", 2));
  WriteFile(keys / "drawn.wmf", drawn);
  ImageConvert converter;
  EXPECT_FALSE(converter.Open(keys / "drawn.wmf"));
}

TEST_F(ThumbnailTest, PicturesBeyondTheProgramsBoundsAreRefusedAndTheRestConvert) {
  WriteFile(keys / "wide.bmp", Bitmap(20000, 1));
  WriteFile(keys / "bomb.tga", FlatTarga(6000, 6000));  // within many systems' policies
  MakePicture(keys / "fine.png", 280, 200);
  ImageConvert converter;
  EXPECT_FALSE(converter.Open(keys / "wide.bmp"));
  EXPECT_EQ(converter.Width(), 0);
  EXPECT_EQ(Run(), (std::vector<std::string>{"bomb.tga", "wide.bmp"}));
  EXPECT_EQ(ReadFile(Thumbnail(kConvertLogName)),
            Thumbnail("bomb.tga").string() + "\n" + Thumbnail("wide.bmp").string() + "\n");
  EXPECT_EQ(SizeOf(Thumbnail("fine.png")), std::make_pair(140, 100));
  WriteFile(keys / "large.bmp", Bitmap(16000, 2));
  EXPECT_TRUE(converter.Open(keys / "large.bmp"));
}

// A key's folder beside a stand-in home with pictures of its own: a
// thumbnail is never made of what a link leads to outside the folder, and
// nothing waits on a pipe or reads a file larger than any picture accepted.
class HostileThumbnailTest : public HostileFolders {
 protected:
  void SetUp() override {
    HostileFolders::SetUp();
    MakePicture(home / "private.png", 300, 200);
    MakePicture(home / "private140.png", 140, 90);
    before = Snapshot(home);
  }
  std::vector<std::string> Run(const std::vector<std::string>& files, int workers = 0) {
    std::vector<std::string> failed;
    RunWithoutHanging("the thumbnail run", [&] { failed = CreateThumbnails(keys, files, {}, workers); });
    return failed;
  }
  std::string LogOf(const std::vector<std::string>& names) const {
    std::string log;
    for (const auto& name : names) log += Thumbnail(name).string() + "\n";
    return log;
  }
  fs::path Thumbnail(const std::string& name) const { return keys / "Thumbnails" / name; }

  ScriptedUi ui;
};

TEST_F(HostileThumbnailTest, PictureLeadingOutOfTheFolderIsRefusedAndLogged) {
  fs::create_symlink(home / "private.png", keys / "out.png");
  fs::create_symlink("../home/private.png", keys / "relative.png");
  MakePicture(keys / "originals" / "inside.png", 280, 200);
  fs::create_symlink("originals/inside.png", keys / "inside.png");
  const auto files = ListSupportedPictures(keys);
  EXPECT_EQ(Run(files), (std::vector<std::string>{"out.png", "relative.png"}));
  EXPECT_EQ(ReadFile(Thumbnail(kConvertLogName)), LogOf({"out.png", "relative.png"}));
  EXPECT_EQ(Listing(keys / "Thumbnails"), (std::set<std::string>{"inside.png", kConvertLogName}));
  EXPECT_EQ(SizeOf(Thumbnail("inside.png")), std::make_pair(140, 100));
  ExpectHomeUntouched();
}

// A thumbnail already there that leads out is not taken as done: the
// picture counts as not converted, since its thumbnail cannot be written
// through the link either.
TEST_F(HostileThumbnailTest, ThumbnailLeadingOutIsNotTakenAsDone) {
  MakePicture(keys / "done.png", 300, 200);
  fs::create_directories(keys / "Thumbnails");
  fs::create_symlink(home / "private140.png", Thumbnail("done.png"));
  EXPECT_EQ(Run({"done.png"}), std::vector<std::string>{"done.png"});
  EXPECT_EQ(ReadFile(Thumbnail(kConvertLogName)), LogOf({"done.png"}));
  ExpectHomeUntouched();
}

TEST_F(HostileThumbnailTest, PipesAndDevicesAreRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo((keys / "pipe.png").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", keys / "zero.bmp");
  MakePicture(keys / "fine.png", 300, 200);
  fs::create_directories(keys / "Thumbnails");
  ASSERT_EQ(::mkfifo(Thumbnail("fine.png").c_str(), 0600), 0);
  MakePicture(keys / "other.gif", 300, 200);
  fs::create_symlink("/dev/zero", Thumbnail("other.gif"));
  EXPECT_EQ(Run({"fine.png", "other.gif", "pipe.png", "zero.bmp"}),
            (std::vector<std::string>{"fine.png", "other.gif", "pipe.png", "zero.bmp"}));
  EXPECT_EQ(ReadFile(Thumbnail(kConvertLogName)), LogOf({"fine.png", "other.gif", "pipe.png", "zero.bmp"}));
  ExpectHomeUntouched();
}

// A small picture followed by a hole that makes the file larger than any
// picture accepted: refused by its size alone, before it is read.
TEST_F(HostileThumbnailTest, FileLargerThanAnyPictureIsRefusedUnread) {
  MakePicture(keys / "small.png", 300, 200);
  MakePicture(keys / "huge.png", 300, 200);
  fs::resize_file(keys / "huge.png", kMaxPictureFileBytes + 1);
  EXPECT_EQ(Run({"huge.png", "small.png"}, 1), std::vector<std::string>{"huge.png"});
  EXPECT_EQ(ReadFile(Thumbnail(kConvertLogName)), LogOf({"huge.png"}));
  EXPECT_EQ(SizeOf(Thumbnail("small.png")), std::make_pair(140, 93));
  ImageConvert converter;
  EXPECT_FALSE(converter.Open(keys / "huge.png"));
}

TEST(ConvertLogTest, WritesLinesAndRefusesEmptyArguments) {
  const fs::path folder = fs::temp_directory_path() / ("qor_convertlog_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  EXPECT_TRUE(AppendConvertLog(folder, "one"));
  EXPECT_TRUE(AppendConvertLog(folder, "two"));
  EXPECT_FALSE(AppendConvertLog(folder, ""));
  EXPECT_FALSE(AppendConvertLog("", "three"));
  EXPECT_FALSE(AppendConvertLog(folder / "absent", "four"));
  EXPECT_EQ(ReadFile(folder / kConvertLogName), "one\ntwo\n");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace pictures_test
