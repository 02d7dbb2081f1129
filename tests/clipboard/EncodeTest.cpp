// What Copy writes: the stream layout byte for byte, the depth-first order
// and how damaged child lists are passed over.
#include <gtest/gtest.h>

#include "ClipboardFixtures.h"
#include "editors/ClipboardDecoder.h"
#include "editors/ClipboardEncoder.h"

namespace {

// A root menu of menus over "Colour" (difficulty 4) with "Red" and "Blue".
std::unique_ptr<CZAVDoc> MakeColourKey() {
  auto doc = std::make_unique<CZAVDoc>();
  doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, kNoIndex16, "Root", {1}));
  doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, 0, "Colour", {0, 1}));
  doc->GetMenu(1).difficulty = 4;
  AddAttribute(*doc, 0, 1, "Red");
  AddAttribute(*doc, 1, 1, "Blue");
  return doc;
}

std::vector<std::string> DecodedTexts(const std::vector<std::uint8_t>& bytes) {
  const ClipboardDecodeResult decoded = DecodeClipboardBranch(bytes.data(), bytes.size());
  EXPECT_TRUE(decoded.ok) << decoded.error;
  std::vector<std::string> texts;
  for (const auto& record : decoded.branch.records) texts.push_back(record.text);
  return texts;
}

TEST(ClipboardEncode, MenuOfAttributesIsWrittenByteForByte) {
  ScriptedUi ui;
  auto doc = MakeColourKey();
  const std::vector<std::uint8_t> expected = {
      0xBF, 0x0D,                                            // version 3519
      0x02, 0x00, 0x00, 0x00, 0x04,                          // menu of attributes, difficulty 4
      0x06, 'C',  'o',  'l',  'o',  'u',  'r',  0x00, 0x00,  // title, help text, pictures
      0x0A, 0x00, 0x00, 0x00,                                // down
      0x03, 0x00, 0x00, 0x00, 0x03, 'R',  'e',  'd',  0x00, 0x00, 0x0A, 0x00, 0x00, 0x00,
      0x0B, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04, 'B',  'l',  'u',  'e',  0x00,
      0x00, 0x0A, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00,  // up
      0x64, 0x00, 0x00, 0x00,                                                        // end
  };
  const auto bytes = CClipboardMenu::Copy(*doc, 1);
  EXPECT_EQ(bytes.size(), 65u);
  EXPECT_EQ(bytes, expected);
}

TEST(ClipboardEncode, MenuOfMenusIsWrittenDepthFirstInChildOrder) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->GetMenu(kFruitMenu).children = {kSizeMenu, kColourMenu};
  doc->GetMenu(kColourMenu).children = {kBlue, kRed};
  EXPECT_EQ(DecodedTexts(CClipboardMenu::Copy(*doc, kFruitMenu)),
            (std::vector<std::string>{"Fruit", "Size", "Small", "Large", "Colour", "Blue", "Red"}));
}

TEST(ClipboardEncode, FieldsTravelWithTheirRecords) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->GetMenu(kColourMenu).helpText = "How it looks";
  doc->GetMenu(kColourMenu).pictures = "colour.jpg;;wheel.jpg;";
  doc->GetAttribute(kGreen).name = "Grün – ő";  // the second needs the wide form
  doc->GetAttribute(kGreen).helpText = "Like grass";
  const auto bytes = CopyColour(*doc);
  const ClipboardDecodeResult decoded = DecodeClipboardBranch(bytes.data(), bytes.size());
  ASSERT_TRUE(decoded.ok) << decoded.error;
  const ClipboardRecord& colour = decoded.branch.records[0];
  EXPECT_EQ(colour.tag, CLIP_MENU_OF_ATTRIBUTES);
  EXPECT_EQ(colour.helpText, "How it looks");
  EXPECT_EQ(colour.pictures, "colour.jpg;wheel.jpg");  // stored lists are normalised
  const ClipboardRecord& green = decoded.branch.records[2];
  EXPECT_EQ(green.tag, CLIP_ATTRIBUTE);
  EXPECT_EQ(green.text, "Grün – ő");
  EXPECT_EQ(green.helpText, "Like grass");
  EXPECT_EQ(green.parent, 0);
  EXPECT_EQ(colour.children, (std::vector<int>{1, 2, 3}));
}

TEST(ClipboardEncode, DamagedChildListsArePassedOver) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->GetMenu(kColourMenu).children = {kRed, 999, kBlue};  // no attribute 999
  doc->GetMenu(kSizeMenu).kind = MENU_OF_MENUS;             // now lists menus 3 and 4
  doc->GetMenu(kSizeMenu).children = {kFruitMenu, 77};      // a loop back to the top, and no menu 77
  EXPECT_EQ(DecodedTexts(CClipboardMenu::Copy(*doc, kFruitMenu)),
            (std::vector<std::string>{"Fruit", "Colour", "Red", "Blue", "Size"}));
}

TEST(ClipboardEncode, CopyRefusesAnIndexThatNamesNoMenu) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->ClearMenu(kSizeMenu);
  for (int menu : {-1, 3, int{kSizeMenu}}) {
    EXPECT_THROW(CClipboardMenu::Copy(*doc, menu), UserAbort);
    EXPECT_FALSE(CClipboardMenu::CanCopy(*doc, menu));
  }
  EXPECT_EQ(ui.Messages(), std::vector<std::string>(3, "Wrong menu index"));
  EXPECT_TRUE(EncodeMenuBranch(*doc, 3).empty());
}

}  // namespace
