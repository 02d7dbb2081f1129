// A paste that would take a slot beyond 16000 is refused whole.
#include <gtest/gtest.h>

#include "ClipboardFixtures.h"

namespace {

// The fruit key without items, its Size menu grown to `count` attribute records.
std::unique_ptr<CZAVDoc> KeyWithAttributes(int count) {
  auto doc = MakeSmallKey(false);
  for (int a = doc->AttributeCount(); a < count; ++a) {
    AddAttribute(*doc, a, kSizeMenu, "Size " + std::to_string(a));
    doc->GetMenu(kSizeMenu).children.push_back(static_cast<WORD>(a));
  }
  return doc;
}

std::unique_ptr<CZAVDoc> KeyWithMenus(int count) {
  auto doc = MakeSmallKey(false);
  while (doc->MenuCount() < count) {
    doc->GetMenu(kFruitMenu).children.push_back(static_cast<WORD>(doc->MenuCount()));
    doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, kFruitMenu, "Empty", {}));
  }
  return doc;
}

// True when the paste of Colour (one menu, three attributes) went through;
// a refusal must leave the document as it was.
bool PasteColour(CZAVDoc& doc, ScriptedUi& ui) {
  const auto bytes = CopyColour(doc);
  const auto before = Snapshot(doc);
  try {
    CClipboardMenu::Paste(doc, kFruitMenu, bytes.data(), bytes.size());
    return true;
  } catch (const UserAbort&) {
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_FALSE(ui.Messages().empty());
    return false;
  }
}

TEST(ClipboardLimits, AttributesUpToSlot16000) {
  ScriptedUi ui;
  auto fits = KeyWithAttributes(15998);
  EXPECT_TRUE(PasteColour(*fits, ui));
  EXPECT_EQ(fits->AttributeCount(), 16001);
  auto full = KeyWithAttributes(15999);
  EXPECT_FALSE(PasteColour(*full, ui));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Too many Attributes!"});
}

TEST(ClipboardLimits, FreeSlotsBelowTheLimitStillServe) {
  ScriptedUi ui;
  auto doc = KeyWithAttributes(16500);
  for (int a : {100, 200, 300}) doc->ClearAttribute(a);
  EXPECT_TRUE(PasteColour(*doc, ui));
  EXPECT_EQ(doc->GetAttribute(300).name, "Blue");
  EXPECT_FALSE(PasteColour(*doc, ui));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Too many Attributes!"});
}

TEST(ClipboardLimits, MenusUpToSlot16000) {
  ScriptedUi ui;
  auto fits = KeyWithMenus(16000);
  EXPECT_TRUE(PasteColour(*fits, ui));
  EXPECT_EQ(fits->MenuCount(), 16001);
  EXPECT_FALSE(PasteColour(*fits, ui));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Too many menues!"});
}

}  // namespace

namespace {

TEST(ClipboardLimits, ABranchNoPasteWouldReadIsNotCopied) {
  ScriptedUi ui;
  auto doc = MakeSmallKey(false);
  doc->GetAttribute(doc->GetMenu(kColourMenu).children.front()).helpText.assign(kMaxClipboardBlockBytes, 'h');
  const auto before = Snapshot(*doc);
  EXPECT_THROW(CClipboardMenu::Copy(*doc, kColourMenu), UserAbort);
  EXPECT_THROW(CClipboardMenu::Cut(*doc, kColourMenu), UserAbort);
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>(2, "The menu is too large for the clipboard.")));
  EXPECT_EQ(Snapshot(*doc), before);
}

}  // namespace
