#include <gtest/gtest.h>

#include "database/TextCodec.h"

namespace {

TEST(TextCodec, EveryWindows1252ByteRoundTrips) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    const std::string utf8 = Cp1252ToUtf8(one);
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(utf8, back)) << byte;
    EXPECT_EQ(back, one) << byte;
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F\xE9"), "\xE2\x82\xAC\xC5\xB8\xC3\xA9");
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(TextCodec, CharactersOutsideTheCodePageAreRefused) {
  std::string out;
  EXPECT_FALSE(Utf8ToCp1252("\xC5\x99", out));  // ř
  EXPECT_FALSE(Utf8ToCp1252("\xC2\x80", out));  // U+0080 has no byte: 0x80 is the euro sign
  EXPECT_TRUE(Utf8ToCp1252("\xC5\xA0", out));   // Š
  EXPECT_EQ(out, "\x8A");
}

TEST(TextCodec, Utf16RoundTripsIncludingSurrogatePairs) {
  const std::string text = "a\xC5\x99\xF0\x9F\x8C\xBF";
  const std::u16string units = Utf8ToUtf16(text);
  EXPECT_EQ(units, (std::u16string{u'a', u'\u0159', char16_t(0xD83C), char16_t(0xDF3F)}));
  EXPECT_EQ(Utf16ToUtf8(units), text);
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xD800), u'x'}), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf8ToUtf16("\xFF"), std::u16string{char16_t(0xFFFD)});
}

TEST(CompareNoCase, FoldsCaseBeyondAscii) {
  EXPECT_EQ(CompareNoCase("Apple", "aPPLE"), 0);
  EXPECT_EQ(CompareNoCase("\xC5\x98\x65ka", "\xC5\x99\x45KA"), 0);  // Řeka / řEKA
  EXPECT_EQ(CompareNoCase("Stra\xC3\x9F\x65", "STRASSE"), 0);
  EXPECT_LT(CompareNoCase("alpha", "Beta"), 0);
  EXPECT_GT(CompareNoCase("beta", "ALPHA"), 0);
  EXPECT_LT(CompareNoCase("abc", "abcd"), 0);
  EXPECT_GT(CompareNoCase("\xC3\xA9", "e"), 0);
  EXPECT_LT(CompareNoCase("", "a"), 0);
}

}  // namespace

// Sorting by folded keys gives the order the case-insensitive comparison gives.
TEST(TextCodec, FoldedKeysCompareAsTheTextsCompareWithoutCase) {
  const std::vector<std::string> texts = {"apple",
                                          "Apple",
                                          "APPLY",
                                          "Straße",
                                          "STRASSE",
                                          "strasse b",
                                          "\xC3\x81rbol",
                                          "arbol",
                                          "zebra",
                                          "\xC5\x98"
                                          "eka",
                                          "r",
                                          ""};
  const auto sign = [](auto v) { return (v > 0) - (v < 0); };
  for (const std::string& a : texts)
    for (const std::string& b : texts)
      EXPECT_EQ(sign(FoldedSortKey(a).compare(FoldedSortKey(b))), sign(CompareNoCase(a, b))) << a << " / " << b;
}
