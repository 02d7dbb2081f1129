// Counts, string lengths, wide strings and the class/object tag table.
#include <gtest/gtest.h>

#include "tests/archive/ArchiveTestSupport.h"

namespace {

template <typename Fn>
Bytes Written(Fn write) {
  CArchive ar;
  write(ar);
  return ar.TakeBytes();
}

std::unique_ptr<CArchive> Reader(const Bytes& bytes, std::vector<std::string> classes = {"CFoo", "CBar"}) {
  auto ar = std::make_unique<CArchive>(bytes.data(), bytes.size());
  ar->SetKnownClasses(std::move(classes));
  return ar;
}

TEST(ArchiveCounts, LongFormFromExactly65535) {
  EXPECT_EQ(Written([](CArchive& ar) { ar.WriteCount(65534); }), (Bytes{0xFE, 0xFF}));
  EXPECT_EQ(Written([](CArchive& ar) { ar.WriteCount(65535); }), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
  EXPECT_EQ(Written([](CArchive& ar) { ar.WriteCount(70000); }), (Bytes{0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
  for (DWORD count : {0u, 65534u, 65535u, 70000u}) {
    Bytes bytes = Written([&](CArchive& ar) { ar.WriteCount(count); });
    CArchive ar(bytes.data(), bytes.size());
    EXPECT_EQ(ar.ReadCount("n", 0), count);
  }
}

TEST(ArchiveStrings, LengthPrefixesAtEachBoundary) {
  struct Case {
    std::size_t length;
    Bytes prefix;
  };
  const Case cases[] = {{0, {0x00}},
                        {254, {0xFE}},
                        {255, {0xFF, 0xFF, 0x00}},
                        {300, {0xFF, 0x2C, 0x01}},
                        {65533, {0xFF, 0xFD, 0xFF}},
                        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    const Bytes bytes = Written([&](CArchive& ar) { ar.WriteString(text); });
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix) << c.length;
    CArchive ar(bytes.data(), bytes.size());
    EXPECT_EQ(ar.ReadString("s"), text);
    EXPECT_EQ(ar.Remaining(), 0u);
  }
}

TEST(ArchiveStrings, WindowsCodePageAndWideStringsRoundTrip) {
  // "é€" fits the single-byte code page; "ř" does not and goes wide.
  EXPECT_EQ(Written([](CArchive& ar) { ar.WriteString("\xC3\xA9\xE2\x82\xAC"); }), (Bytes{0x02, 0xE9, 0x80}));
  EXPECT_EQ(Written([](CArchive& ar) { ar.WriteString("a\xC5\x99"); }),
            (Bytes{0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x59, 0x01}));
  for (const std::string text : {"Dvo\xC5\x99\xC3\xA1k", "\xF0\x9F\x8C\xBF leaf", "plain", "caf\xC3\xA9"}) {
    const Bytes bytes = Written([&](CArchive& ar) { ar.WriteString(text); });
    CArchive ar(bytes.data(), bytes.size());
    EXPECT_EQ(ar.ReadString("s"), text);
  }
  const Bytes wide{0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x62, 0x00};
  CArchive ar(wide.data(), wide.size());
  EXPECT_EQ(ar.ReadString("s"), "ab");
}

TEST(ArchiveTags, ClassesAndObjectsShareOneTableStartingAtOne) {
  const Bytes bytes = Written([](CArchive& ar) {
    ar.WriteObjectTag("CFoo");  // class 1, object 2
    ar.WriteObjectTag("CFoo");  // object 3
    ar.WriteNullObject();
    ar.WriteObjectTag("CBar");  // class 4, object 5
    ar.WriteObjectTag("CBar");  // object 6
  });
  ByteBuilder expected;
  expected.newClass("CFoo").classRef(1).u16(0).newClass("CBar").classRef(4);
  EXPECT_EQ(bytes, expected.bytes);

  auto ar = Reader(bytes);
  EXPECT_EQ(*ar->ReadObjectTag("a"), "CFoo");
  EXPECT_EQ(*ar->ReadObjectTag("b"), "CFoo");
  EXPECT_EQ(ar->ReadObjectTag("c"), nullptr);
  EXPECT_EQ(*ar->ReadObjectTag("d"), "CBar");
  EXPECT_EQ(*ar->ReadObjectTag("e"), "CBar");
}

TEST(ArchiveTags, BigTagsFromIndex7FFF) {
  // Objects fill the table up to 0x7FFE; a class first seen then gets
  // 0x7FFF and must be referred to in the long form.
  const Bytes bytes = Written([](CArchive& ar) {
    ar.WriteObjectTag("CFoo");  // class 1, object 2
    for (int i = 3; i <= 0x7FFE; ++i) ar.WriteObjectTag("CFoo");
    ar.WriteObjectTag("CBar");  // class 0x7FFF, object 0x8000
    ar.WriteObjectTag("CBar");  // object 0x8001
    ar.WriteObjectTag("CFoo");  // small class tag still
  });
  ByteBuilder tail;
  tail.newClass("CBar").u16(0x7FFF).u32(0x80007FFF).classRef(1);
  ASSERT_GE(bytes.size(), tail.bytes.size());
  EXPECT_EQ(Bytes(bytes.end() - tail.bytes.size(), bytes.end()), tail.bytes);

  auto ar = Reader(bytes);
  for (int i = 2; i <= 0x7FFE; ++i) ASSERT_EQ(*ar->ReadObjectTag("x"), "CFoo");
  EXPECT_EQ(*ar->ReadObjectTag("x"), "CBar");
  EXPECT_EQ(*ar->ReadObjectTag("x"), "CBar");
  EXPECT_EQ(*ar->ReadObjectTag("x"), "CFoo");
  EXPECT_EQ(ar->Remaining(), 0u);
}

TEST(ArchiveTags, ReaderAcceptsTheLongFormForSmallIndices) {
  ByteBuilder b;
  b.newClass("CFoo").u16(0x7FFF).u32(0x80000001);
  auto ar = Reader(b.bytes);
  EXPECT_EQ(*ar->ReadObjectTag("x"), "CFoo");
  EXPECT_EQ(*ar->ReadObjectTag("x"), "CFoo");
}

void ExpectTagError(const ByteBuilder& b, int goodTags, const std::string& inMessage) {
  auto ar = Reader(b.bytes);
  for (int i = 0; i < goodTags; ++i) ar->ReadObjectTag("x");
  try {
    ar->ReadObjectTag("element");
    ADD_FAILURE() << "no error for " << inMessage;
  } catch (const ArchiveError& e) {
    EXPECT_NE(std::string(e.what()).find(inMessage), std::string::npos) << e.what();
  }
}

TEST(ArchiveTags, BadTagsAreArchiveErrors) {
  ExpectTagError(ByteBuilder().newClass("CBogus"), 0, "CBogus");
  ExpectTagError(ByteBuilder().u16(0xFFFF).u16(1).u16(4).raw("CFoo"), 0, "schema");
  ExpectTagError(ByteBuilder().u16(0xFFFF).u16(0).u16(64).raw(std::string(64, 'C')), 0, "shorter than 64");
  ExpectTagError(ByteBuilder().u16(0x8000), 0, "class");
  ExpectTagError(ByteBuilder().newClass("CFoo").classRef(9), 1, "0x9");
  ExpectTagError(ByteBuilder().newClass("CFoo").classRef(2), 1, "0x2");  // an object slot, not a class
  ExpectTagError(ByteBuilder().newClass("CFoo").u16(2), 1, "earlier object");
  ExpectTagError(ByteBuilder().u16(0x7FFF).u16(0x1234), 0, "DWORD");
  ExpectTagError(ByteBuilder().u16(0xFFFF).u16(0).u16(10).raw("CF"), 0, "class name");
}

TEST(ArchiveErrors, MessageNamesFieldExpectedFoundAndOffset) {
  const Bytes bytes{0x01, 0x00, 0x05};
  CArchive ar(bytes.data(), bytes.size());
  ar.SetContext("items", 4);
  ar.ReadWord("w");
  try {
    ar.ReadString("description");
    FAIL();
  } catch (const ArchiveError& e) {
    EXPECT_STREQ(e.what(),
                 "The database file is damaged: items[4] description: expected a string of at most 0 characters "
                 "(the bytes left), found a length of 5 (at byte 3).");
    EXPECT_EQ(e.offset(), 3u);
  }
}

TEST(ArchiveErrors, CountsAndLengthsBeyondTheBytesLeftAreRefusedBeforeAllocating) {
  const Bytes hugeCount{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00};
  CArchive counts(hugeCount.data(), hugeCount.size());
  std::vector<DWORD> words;
  EXPECT_THROW(counts.ReadDwords("words", words), ArchiveError);
  EXPECT_TRUE(words.empty());

  const Bytes hugeString{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'};
  CArchive strings(hugeString.data(), hugeString.size());
  EXPECT_THROW(strings.ReadString("title"), ArchiveError);

  const Bytes hugeQword{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0};
  CArchive qword(hugeQword.data(), hugeQword.size());
  EXPECT_THROW(qword.ReadString("title"), ArchiveError);

  const Bytes wideOdd{0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b'};
  CArchive wide(wideOdd.data(), wideOdd.size());
  EXPECT_THROW(wide.ReadString("name"), ArchiveError);
}

}  // namespace
