// Reading only the header of a database file, on good, cut and foreign files.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "ProgramTestSupport.h"
#include "database/DatabaseHeader.h"

using namespace program_test;

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(DatabaseHeader, ReadsTitleDescriptionAndLock) {
  QTemporaryDir folder;
  const std::filesystem::path path = folder.filePath("h.qor").toStdString();
  WriteDatabase(path, "Header key");
  CQDochdr header;
  ASSERT_EQ(ReadDatabaseHeaderFile(path, header), HeaderReadResult::Ok);
  EXPECT_EQ(header.title, "Header key");
  EXPECT_EQ(header.description, "Description of Header key");
  EXPECT_TRUE(IsHeaderEditable(header));
  WriteDatabase(path, "Locked", true);
  ASSERT_EQ(ReadDatabaseHeaderFile(path, header), HeaderReadResult::Ok);
  EXPECT_FALSE(IsHeaderEditable(header));
}

TEST(DatabaseHeader, EveryCutOfTheHeaderIsRefusedWithoutACrash) {
  QTemporaryDir folder;
  const std::filesystem::path good = folder.filePath("good.qor").toStdString();
  WriteDatabase(good, "Cut key");
  const std::string bytes = ReadAll(good);
  // Version word, flags, reserved values, lock word and four strings: well under 200 bytes.
  std::size_t headerEnd = 0;
  const std::filesystem::path cut = folder.filePath("cut.qor").toStdString();
  for (std::size_t length = 0; length < std::min<std::size_t>(bytes.size(), 200); ++length) {
    WriteBytes(cut, bytes.substr(0, length));
    CQDochdr header;
    const HeaderReadResult result = ReadDatabaseHeaderFile(cut, header);
    if (result == HeaderReadResult::Ok && headerEnd == 0) headerEnd = length;
    if (headerEnd == 0) {
      EXPECT_EQ(result, HeaderReadResult::BadFormat) << length;
    }
  }
  EXPECT_GT(headerEnd, 20u);
}

TEST(DatabaseHeader, OtherVersionWordsAndMissingFilesAreNotDatabases) {
  QTemporaryDir folder;
  const std::filesystem::path path = folder.filePath("v.qor").toStdString();
  WriteBytes(path, std::string("\x02\x00", 2) + std::string(64, '\0'));
  CQDochdr header;
  EXPECT_EQ(ReadDatabaseHeaderFile(path, header), HeaderReadResult::BadFormat);
  EXPECT_EQ(ReadDatabaseHeaderFile(folder.filePath("none.qor").toStdString(), header), HeaderReadResult::CannotOpen);
}

TEST(DatabaseHeader, ALongDescriptionIsReadPastTheFirstPiece) {
  QTemporaryDir folder;
  const std::filesystem::path path = folder.filePath("long.qor").toStdString();
  auto doc = MakeGeneratedDatabase(2, 2, 2, 0.5, 1);
  doc->m_header.description = std::string(100000, 'd');
  doc->m_header.lockWord = CZAVDoc::LockTokenFor(doc->m_header.description);
  ASSERT_TRUE(doc->OnSaveDocument(path.string()));
  CQDochdr header;
  ASSERT_EQ(ReadDatabaseHeaderFile(path, header), HeaderReadResult::Ok);
  EXPECT_EQ(header.description.size(), 100000u);
}
