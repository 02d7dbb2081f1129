// The clipboard is input from any program: every damaged block is refused
// whole with a message, and the document stays exactly as it was.
#include <gtest/gtest.h>

#include <random>

#include <sys/resource.h>

#include "ClipboardFixtures.h"
#include "editors/ClipboardDecoder.h"

namespace {

constexpr const char* kRefusal = "The menu on the clipboard can't be pasted, its data is damaged: ";

struct Refusal {
  std::string message;
  bool unchanged = false;
};

// Pastes into the fruit key's top menu, expecting a refusal.
Refusal PasteRefused(const std::vector<std::uint8_t>& bytes, int parent = kFruitMenu) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto before = Snapshot(*doc);
  Refusal refusal;
  try {
    CClipboardMenu::Paste(*doc, parent, bytes.data(), bytes.size());
    ADD_FAILURE() << "the paste went through";
  } catch (const UserAbort&) {
  }
  refusal.unchanged = Snapshot(*doc) == before;
  const auto messages = ui.Messages();
  if (messages.size() == 1) refusal.message = messages.front();
  return refusal;
}

void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& detail) {
  const Refusal refusal = PasteRefused(bytes);
  EXPECT_TRUE(refusal.unchanged);
  EXPECT_EQ(refusal.message, kRefusal + detail + ".");
}

// Colour with Red and Blue, the up and end tags left to the test.
std::vector<std::uint8_t> ColourMenu(std::initializer_list<DWORD> tail) {
  StreamWriter w;
  w.Menu(CLIP_MENU_OF_ATTRIBUTES, "Colour").Attribute("Red").Attribute("Blue");
  for (DWORD tag : tail) w.Tag(tag);
  return w.Take();
}

TEST(ClipboardHostile, EveryTruncationIsRefused) {
  ScriptedUi ui;
  const auto whole = CopyColour(*MakeSmallKey());
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const Refusal refusal = PasteRefused({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)});
    EXPECT_TRUE(refusal.unchanged) << size;
    EXPECT_EQ(refusal.message.rfind(kRefusal, 0), 0u) << size << ": " << refusal.message;
  }
}

TEST(ClipboardHostile, BytesAfterTheEndAreIgnored) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  auto bytes = CopyColour(*doc);
  bytes.insert(bytes.end(), {0x0B, 0, 0, 0, 0xFF, 0xFF, 0x02});
  const PastedBranch pasted = CClipboardMenu::Paste(*doc, kFruitMenu, bytes.data(), bytes.size());
  EXPECT_EQ(AttributeNames(*doc, pasted.top), (std::vector<std::string>{"Red", "Green", "Blue"}));
}

TEST(ClipboardHostile, LengthsBeyondTheBlockAreRefusedBeforeReading) {
  ExpectRefused(StreamWriter().Tag(CLIP_MENU_OF_ATTRIBUTES).Raw({1, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F}).Take(),
                "record[0] title: expected a string of at most 0 characters (the bytes left), found a length of "
                "2147483646 (at byte 14)");
  // The wide form counts two bytes a character.
  ExpectRefused(StreamWriter().Tag(CLIP_ATTRIBUTE).Raw({0xFF, 0xFE, 0xFF, 0x03, 'a', 'b', 'c', 'd'}).Take(),
                "record[0] name: expected a string of at most 2 characters (the bytes left), found a length of 3 "
                "(at byte 10)");
}

TEST(ClipboardHostile, ForeignVersionsAndTagsAreRefused) {
  ExpectRefused(StreamWriter(3518).Take(), "clipboard version word: expected 3519, found 3518 (at byte 2)");
  ExpectRefused(StreamWriter().Tag(0).Take(),
                "clipboard first tag: expected a menu or attribute record (1, 2 or 3), found tag 0 (at byte 6)");
  ExpectRefused(StreamWriter().Tag(CLIP_END).Take(),
                "clipboard first tag: expected a menu or attribute record (1, 2 or 3), found tag 100 (at byte 6)");
  ExpectRefused(StreamWriter().Tag(CLIP_MENU_OF_MENUS).Raw({1}).Texts("M").Tag(CLIP_ATTRIBUTE).Take(),
                "record[0] tag after the fields: expected 10 (down), found tag 3 (at byte 15)");
}

TEST(ClipboardHostile, DownAndUpTagsMustPair) {
  // The end comes while Colour is still open.
  ExpectRefused(ColourMenu({CLIP_END}),
                "record[0] child tag: expected an attribute record (3) or 11 (up), found tag 100 (at byte 61)");
  // A second up climbs above the top record.
  ExpectRefused(ColourMenu({CLIP_UP, CLIP_UP, CLIP_END}),
                "clipboard end tag: expected 100 (end), found tag 11 (at byte 65)");
  // A second down is no record.
  ExpectRefused(ColourMenu({CLIP_DOWN}),
                "record[0] child tag: expected an attribute record (3) or 11 (up), found tag 10 (at byte 61)");
}

TEST(ClipboardHostile, RecordsOnlyWhereTheTreeAllowsThem) {
  ExpectRefused(StreamWriter().Menu(CLIP_MENU_OF_MENUS, "Fruit").Attribute("Red").Take(),
                "record[0] child tag: expected a menu record (1 or 2) or 11 (up), found tag 3 (at byte 23)");
  ExpectRefused(StreamWriter().Menu(CLIP_MENU_OF_ATTRIBUTES, "Colour").Menu(CLIP_MENU_OF_MENUS, "Shade").Take(),
                "record[0] child tag: expected an attribute record (3) or 11 (up), found tag 1 (at byte 24)");
  ExpectRefused(StreamWriter().Tag(CLIP_ATTRIBUTE).Texts("Red").Tag(CLIP_DOWN).Attribute("Dark").Take(),
                "record[0] child tag: expected 11 (up), as an attribute has no children, found tag 3 (at byte 20)");
}

std::vector<std::uint8_t> NestedMenus(int depth) {
  StreamWriter w;
  for (int i = 0; i < depth; ++i) w.Menu(CLIP_MENU_OF_MENUS, "");
  for (int i = 0; i < depth; ++i) w.Tag(CLIP_UP);
  return w.Tag(CLIP_END).Take();
}

TEST(ClipboardHostile, ADeepBranchIsReadWithoutRecursion) {
  // As deep as a database's menus can go; deeper holds more menus than one has.
  constexpr int kDepth = kMaxAttributesOrMenus + 1;
  const auto bytes = NestedMenus(kDepth);
  const ClipboardDecodeResult decoded = DecodeClipboardBranch(bytes.data(), bytes.size());
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.branch.CountMenus(), kDepth);
  EXPECT_EQ(decoded.branch.records.back().parent, kDepth - 2);
  const auto deeper = NestedMenus(100000);
  EXPECT_EQ(DecodeClipboardBranch(deeper.data(), deeper.size()).error, "Too many menues!");
}

// Damaged copies of a good stream either paste whole or change nothing.
TEST(ClipboardHostile, RandomDamageNeverPastesHalf) {
  ScriptedUi ui;
  const auto good = CClipboardMenu::Copy(*MakeSmallKey(), kFruitMenu);
  std::mt19937 rng(4124);
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    auto bytes = good;
    for (int flips = 1 + round % 3; flips > 0; --flips)
      bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng() % 4 == 0 ? 0xFF : rng());
    auto doc = MakeSmallKey();
    const auto before = Snapshot(*doc);
    try {
      const PastedBranch pasted = CClipboardMenu::Paste(*doc, kFruitMenu, bytes.data(), bytes.size());
      // What went in reads back as one branch hanging below the top menu.
      EXPECT_EQ(doc->GetMenu(kFruitMenu).children.back(), pasted.top);
      const auto again = CClipboardMenu::Copy(*doc, pasted.top);
      EXPECT_TRUE(DecodeClipboardBranch(again.data(), again.size()).ok);
    } catch (const UserAbort&) {
      ++refused;
      EXPECT_EQ(Snapshot(*doc), before) << "round " << round;
    }
  }
  EXPECT_GT(refused, 1000);
}

}  // namespace

namespace {

// The peak memory of the process so far, in bytes.
std::size_t PeakMemory() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

// A menu of attributes holding `count` attribute records, closed and ended.
std::vector<std::uint8_t> MenuOfAttributes(int count) {
  StreamWriter w;
  w.Menu(CLIP_MENU_OF_ATTRIBUTES, "Many");
  for (int a = 0; a < count; ++a) w.Attribute("attribute");
  return w.Tag(CLIP_UP).Tag(CLIP_END).Take();
}

}  // namespace

TEST(ClipboardHostile, AHugeBlockIsRefusedBeforeItsRecordsAreBuilt) {
  // What another program may put on the clipboard: 2 million records in 45 MB.
  const std::vector<std::uint8_t> block = MenuOfAttributes(2'000'000);
  ASSERT_GT(block.size(), std::size_t{40} << 20);
  const std::size_t before = PeakMemory();
  const Refusal refusal = PasteRefused(block);
  EXPECT_LT(PeakMemory() - before, std::size_t{32} << 20) << "the refusal builds nothing of the block";
  EXPECT_TRUE(refusal.unchanged);
  EXPECT_EQ(refusal.message, kRefusal + std::string("clipboard block size: expected at most ") +
                                 std::to_string(kMaxClipboardBlockBytes) + " bytes, found " +
                                 std::to_string(block.size()) + " bytes (at byte 0).");
}

TEST(ClipboardHostile, MoreMenusOrAttributesThanADatabaseHoldsAreRefusedWhileReading) {
  const std::vector<std::uint8_t> attributes = MenuOfAttributes(kMaxAttributesOrMenus + 2);
  ASSERT_LT(attributes.size(), kMaxClipboardBlockBytes);
  const ClipboardDecodeResult tooManyAttributes = DecodeClipboardBranch(attributes.data(), attributes.size());
  EXPECT_FALSE(tooManyAttributes.ok);
  EXPECT_EQ(tooManyAttributes.error, "Too many Attributes!");
  EXPECT_TRUE(tooManyAttributes.branch.records.empty());
  const std::vector<std::uint8_t> fits = MenuOfAttributes(kMaxAttributesOrMenus + 1);
  EXPECT_TRUE(DecodeClipboardBranch(fits.data(), fits.size()).ok);

  StreamWriter w;
  w.Menu(CLIP_MENU_OF_MENUS, "Top");
  for (int m = 0; m < kMaxAttributesOrMenus + 1; ++m) w.Menu(CLIP_MENU_OF_ATTRIBUTES, "Empty").Tag(CLIP_UP);
  const std::vector<std::uint8_t> menus = w.Tag(CLIP_UP).Tag(CLIP_END).Take();
  const Refusal refusal = PasteRefused(menus);
  EXPECT_TRUE(refusal.unchanged);
  EXPECT_EQ(refusal.message, "Too many menues!");
}
