#include "database/ProfileFile.h"

#include "items/ItemsTestSupport.h"

TEST(ProfileFile, NamesAreFoundWithoutRegardToCaseAndValuesAreTrimmedAndUnquoted) {
  const auto lines =
      ProfileFile::SplitLines("; comment\r\n[levelnames]\r\n common = Vernacular \r\nGENUS=\"  Group \"\n");
  std::string value;
  ASSERT_TRUE(ProfileFile::Lookup(lines, "LevelNames", "Common", value));
  EXPECT_EQ(value, "Vernacular");
  ASSERT_TRUE(ProfileFile::Lookup(lines, "LEVELNAMES", "genus", value));
  EXPECT_EQ(value, "  Group ");
  EXPECT_FALSE(ProfileFile::Lookup(lines, "LevelNames", "Species", value));
  EXPECT_FALSE(ProfileFile::Lookup(lines, "Other", "Common", value));
}

TEST(ProfileFile, WritingKeepsOtherLinesAndAddsKeysAtTheEndOfTheirSection) {
  auto lines = ProfileFile::SplitLines("; kept\n[Other]\nCommon=x\n[LevelNames]\nFamily=Old\n\n[Tail]\nk=v\n");
  ProfileFile::Assign(lines, "levelnames", "FAMILY", "New");
  ProfileFile::Assign(lines, "LevelNames", "Genus", "Group");
  ProfileFile::Assign(lines, "Fresh", "Key", "1");
  EXPECT_EQ(lines, (std::vector<std::string>{"; kept", "[Other]", "Common=x", "[LevelNames]", "FAMILY=New",
                                             "Genus=Group", "", "[Tail]", "k=v", "[Fresh]", "Key=1"}));
}

TEST(ProfileFile, FileRoundTripUsesCrLfAndReadsWindows1252) {
  TempFolder temp;
  const std::string path = temp.File("names.levels.dat");
  ProfileFile file(path);
  EXPECT_EQ(file.GetString("LevelNames", "Common", "Common"), "Common");  // no file yet
  ASSERT_TRUE(file.WriteString("LevelNames", "Common", "Gem\u00fcse"));
  EXPECT_EQ(ReadFile(path), "[LevelNames]\r\nCommon=Gem\xfcse\r\n");
  EXPECT_EQ(file.GetString("LevelNames", "Common", ""), "Gem\u00fcse");
  ASSERT_TRUE(file.WriteString("LevelNames", "Species", "\u4e2d"));  // no single-byte form: UTF-8 with its mark
  EXPECT_EQ(ReadFile(path), "\xEF\xBB\xBF[LevelNames]\r\nCommon=Gem\u00fcse\r\nSpecies=\u4e2d\r\n");
  EXPECT_EQ(file.GetString("levelnames", "species", ""), "\u4e2d");
  EXPECT_EQ(file.GetString("LevelNames", "Common", ""), "Gem\u00fcse");
  EXPECT_EQ(file.GetString("LevelNames", "Common", "", 3), "Gem");
}

TEST(ProfileFile, OnlyTheByteOrderMarkMakesAFileUtf8) {
  TempFolder temp;
  const std::string path = temp.File("names.levels.dat");
  WriteFile(path, "[LevelNames]\r\nCommon=\xC3\xA9\r\n");  // from Windows: two characters
  EXPECT_EQ(ProfileFile(path).GetString("LevelNames", "Common", ""), "\u00c3\u00a9");
  WriteFile(path, "\xEF\xBB\xBF[LevelNames]\r\nCommon=\xC3\xA9\r\n");
  EXPECT_EQ(ProfileFile(path).GetString("LevelNames", "Common", ""), "\u00e9");
  WriteFile(path, "\xEF\xBB\xBF[LevelNames]\r\nCommon=\xC3\r\n");  // a broken mark-file reads byte by byte
  EXPECT_EQ(ProfileFile(path).GetString("LevelNames", "Common", ""), "\u00c3");
}

TEST(ProfileFile, TextWhoseWindows1252BytesWouldReadAsUtf8IsWrittenInUtf8) {
  TempFolder temp;
  ProfileFile file(temp.File("names.levels.dat"));
  // In Windows-1252 "Ã©" is the bytes C3 A9, which read back as UTF-8 "é".
  for (const std::string name : {"\u00c3\u00a9", "Gem\u00fcse \u00c3\u00a9"}) {
    ASSERT_TRUE(file.WriteString("LevelNames", "Family", name));
    EXPECT_EQ(file.GetString("LevelNames", "Family", ""), name);
  }
}

TEST(ProfileFile, ValuesWithBlanksAroundThemOrInQuotesReadBackAsWritten) {
  TempFolder temp;
  ProfileFile file(temp.File("names.levels.dat"));
  for (const std::string value : {" Genus ", "Genus ", "\"Genus\"", "'a'", "\"", "plain", ""}) {
    ASSERT_TRUE(file.WriteString("LevelNames", "Genus", value));
    EXPECT_EQ(file.GetString("LevelNames", "Genus", "?"), value) << value;
  }
  ASSERT_TRUE(file.WriteString("LevelNames", "Genus", "plain"));
  EXPECT_EQ(ReadFile(temp.File("names.levels.dat")), "[LevelNames]\r\nGenus=plain\r\n") << "only where needed";
}

TEST(ProfileFile, ASecondByteOrderMarkIsTextAndReadsTheSameAfterASave) {
  TempFolder temp;
  const std::string path = temp.File("names.levels.dat");
  // The line under the mark starts with a second one and a byte that is not
  // UTF-8 follows, so the file reads byte by byte: its first line is no
  // section. A save must not turn it into one.
  WriteFile(path, "\xEF\xBB\xBF\xEF\xBB\xBF[LevelNames]\r\nCommon=Bird\r\n[x\xEF]\n");
  ProfileFile file(path);
  EXPECT_EQ(file.GetString("LevelNames", "Common", "none"), "none");
  ASSERT_TRUE(file.WriteString("LevelNames", "Family", "F"));
  EXPECT_EQ(file.GetString("LevelNames", "Common", "none"), "none");
  EXPECT_EQ(file.GetString("LevelNames", "Family", "none"), "F");
  // A mark followed by UTF-8 keeps the second mark as its character.
  WriteFile(path, "\xEF\xBB\xBF\xEF\xBB\xBF[LevelNames]\r\nCommon=Bird\r\n");
  EXPECT_EQ(file.GetString("LevelNames", "Common", "none"), "none");
  ASSERT_TRUE(file.WriteString("LevelNames", "Family", "F"));
  EXPECT_EQ(file.GetString("LevelNames", "Common", "none"), "none");
  EXPECT_EQ(ReadFile(path).substr(0, 6), "\xEF\xBB\xBF\xEF\xBB\xBF");
}
