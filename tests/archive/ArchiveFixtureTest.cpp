// Byte-exact files built by hand from the file layout.
#include <gtest/gtest.h>

#include "tests/archive/ArchiveTestSupport.h"
#include "tests/fakes/ScriptedUi.h"

namespace {

void AppendHeader(ByteBuilder& b) {
  b.u8(1).u8(1).u8(0).u16(7).u32(1).u32(11).u32(2).u32(3).u32(0x12345678);
  b.shortStr("Key").shortStr("1.0").shortStr("").shortStr("Desc");
}

// The small database in its expected bytes. Classes and objects share one
// table that starts at 1: CQAttdata 1 (objects 2, 3), CQMenudata 4 (5, 6),
// CQItemname 7 (8 to 11), CQItemrec 12 (13, 14), CQDatablock 15 (16).
Bytes ExpectedSmallFile(bool longStrings, WORD version) {
  ByteBuilder b;
  b.u16(version);
  AppendHeader(b);
  // attributes
  b.u16(2).newClass("CQAttdata").u16(1).u8(0).shortStr("Red").shortStr("");
  if (longStrings)
    b.u8(0xFF).u16(255).raw(std::string(255, 'h'));
  else
    b.shortStr("");
  b.shortStr("r.jpg");
  b.classRef(1).u16(65535).u8(0).shortStr("").shortStr("").shortStr("").shortStr("");
  // menus
  b.u16(2).newClass("CQMenudata").u8(1).u8(1).u16(65535).shortStr("Root").shortStr("").shortStr("").u16(1).u16(1);
  b.classRef(4).u8(2).u8(2).u16(0).shortStr("Colour");
  if (longStrings)
    b.u8(0xFF).u16(300).raw(std::string(300, 'm'));
  else
    b.shortStr("");
  b.shortStr("").u16(1).u16(0);
  // reference titles
  b.u16(1).shortStr("Ref one");
  // item names, species names
  b.u16(2).newClass("CQItemname").u32(0).shortStr("Apple").classRef(7).u32(1).shortStr("Banana");
  b.u16(2).classRef(7).u32(0).shortStr("one").classRef(7).u32(1).shortStr("two");
  // items
  b.u16(2).newClass("CQItemrec").u32(0).u32(0).u32(0).u32(0);
  if (longStrings)
    b.u8(254).raw(std::string(254, 'd'));
  else
    b.shortStr("First");
  b.shortStr("").u16(1).shortStr("p. 5");
  b.classRef(12).u32(1).u32(1).u32(1).u32(0);
  if (longStrings) {
    b.u8(0xFF).u16(0xFFFF).u32(65534).raw(std::string(65534, 'e'));
    b.shortStr("").u16(0xFFFF).u32(65535);
    for (int i = 0; i < 65535; ++i) b.u8(0);
  } else {
    b.shortStr("").shortStr("").u16(0);
  }
  // genus names, family names
  b.u16(2).shortStr("Alpha").shortStr("Beta").u16(1).shortStr("Fam");
  // data blocks: one block of two one-word rows
  b.u16(1).newClass("CQDatablock").u16(2).u32(1).u32(0);
  // the four further record arrays, then the flag of version 1
  b.u16(0).u16(0).u16(0).u16(0);
  if (version == 1) b.u8(1);
  return b.bytes;
}

class SmallFile : public ::testing::TestWithParam<bool> {
 protected:
  ScriptedUi ui;
};

TEST_P(SmallFile, WrittenToTheExpectedBytesReadBackAndWrittenAgainIdentical) {
  const bool longStrings = GetParam();
  auto original = MakeSmallDatabase(longStrings);
  const std::string before = Describe(*original);
  const Bytes expected = ExpectedSmallFile(longStrings, 1);
  ASSERT_EQ(original->StoreToBytes(), expected);

  CZAVDoc loaded;
  std::string error;
  ASSERT_EQ(loaded.LoadFromBytes(expected.data(), expected.size(), &error), CZAVDoc::LoadResult::Ok) << error;
  EXPECT_EQ(Describe(loaded), before);
  EXPECT_EQ(loaded.m_loadedMissingData, 1);
  EXPECT_EQ(loaded.StoreToBytes(), expected);
  EXPECT_TRUE(ui.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(ShortAndLongStrings, SmallFile, ::testing::Bool());

TEST(SmallFileVersions, VersionZeroHasNoFlagByteAndSavingWithMissingDataWritesVersionOne) {
  ScriptedUi ui;
  const Bytes version0 = ExpectedSmallFile(false, 0);
  CZAVDoc doc;
  ASSERT_EQ(doc.LoadFromBytes(version0.data(), version0.size()), CZAVDoc::LoadResult::Ok);
  EXPECT_EQ(doc.m_missingData, 0);
  EXPECT_EQ(doc.m_fileVersion, 0);
  EXPECT_EQ(doc.StoreToBytes(), version0);

  doc.m_missingData = 1;
  EXPECT_EQ(doc.StoreToBytes(), ExpectedSmallFile(false, 1));
  EXPECT_EQ(doc.m_fileVersion, 1);
}

TEST(SmallFileVersions, LoadingKeepsTheFilesLockWord) {
  ScriptedUi ui;
  const Bytes file = ExpectedSmallFile(false, 1);
  CZAVDoc doc;
  ASSERT_EQ(doc.LoadFromBytes(file.data(), file.size()), CZAVDoc::LoadResult::Ok);
  EXPECT_EQ(doc.m_header.lockWord, 0x12345678u);
  EXPECT_NE(doc.m_header.lockWord, CZAVDoc::LockTokenFor(doc.m_header.description));
}

TEST(SmallFileStreams, StreamStoreAndLoadMatchTheBytes) {
  ScriptedUi ui;
  auto doc = MakeSmallDatabase(false);
  std::stringstream stream;
  ASSERT_TRUE(doc->Store(stream));
  const std::string text = stream.str();
  EXPECT_EQ(Bytes(text.begin(), text.end()), ExpectedSmallFile(false, 1));
  CZAVDoc loaded;
  EXPECT_EQ(loaded.Load(stream), CZAVDoc::LoadResult::Ok);
  EXPECT_EQ(Describe(loaded), Describe(*MakeSmallDatabase(false)));
}

}  // namespace
