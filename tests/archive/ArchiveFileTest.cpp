// A key's file read on demand: the records as the archive reaches them, the
// data blocks' words from the file straight into the blocks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "bench/GeneratedDatabase.h"
#include "database/ArchiveFile.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/fakes/ScriptedUi.h"

namespace {

// 9000 items of 100 attributes, four words a row: three data blocks.
Bytes KeyOfThreeBlocks() { return StoreFieldsOnly(*MakeGeneratedDatabase(9000, 100, 5, 0.3, 3)); }

void WriteBytes(const std::string& path, const Bytes& bytes, std::size_t length) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(length));
}

// Reads the file's fields as an open does; betweenOpenAndRead may change
// the file after its size was taken.
CZAVDoc::LoadResult ReadThroughFile(
    const std::string& path, std::string& error, const std::function<void()>& betweenOpenAndRead = [] {}) {
  ArchiveFile file;
  if (!file.Open(path, error)) return CZAVDoc::LoadResult::ArchiveError;
  betweenOpenAndRead();
  CZAVDoc reader, fields;
  return reader.ReadFields(file, fields, &error);
}

}  // namespace

TEST(ArchiveFile, OpensToWhatTheBytesInMemoryLoad) {
  ScriptedUi ui;
  const Bytes bytes = KeyOfThreeBlocks();
  WriteBytes("three-blocks.qor", bytes, bytes.size());
  CZAVDoc fromMemory, fromFile;
  ASSERT_EQ(fromMemory.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  ASSERT_EQ(fromMemory.m_dataBlocks.size(), 3u);
  ASSERT_TRUE(fromFile.OnOpenDocument("three-blocks.qor")) << ::testing::PrintToString(ui.Messages());
  EXPECT_EQ(Describe(fromFile), Describe(fromMemory));
}

TEST(ArchiveFile, AFileCutAnywhereIsDamaged) {
  const Bytes bytes = KeyOfThreeBlocks();
  for (std::size_t length = 1; length < bytes.size(); length += 4999) {
    WriteBytes("cut.qor", bytes, length);
    std::string error;
    ASSERT_EQ(ReadThroughFile("cut.qor", error), CZAVDoc::LoadResult::ArchiveError) << length;
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  }
}

// The size is taken when the file is opened; a file that shrinks before its
// records or its blocks are read ends early, and is damaged.
TEST(ArchiveFile, AFileThatShrinksWhileItIsReadIsDamaged) {
  const Bytes bytes = KeyOfThreeBlocks();
  for (const std::size_t kept : {std::size_t{100}, bytes.size() / 2, bytes.size() - 1000, bytes.size() - 8}) {
    WriteBytes("shrinking.qor", bytes, bytes.size());
    std::string error;
    const auto cut = [&] { std::filesystem::resize_file("shrinking.qor", kept); };
    ASSERT_EQ(ReadThroughFile("shrinking.qor", error, cut), CZAVDoc::LoadResult::ArchiveError) << kept;
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  }
}
