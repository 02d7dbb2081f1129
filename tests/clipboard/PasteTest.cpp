// Pasting a copied branch: the records it makes, where it puts them, the
// free slots it reuses and where it refuses.
#include <gtest/gtest.h>

#include "ClipboardFixtures.h"

namespace {

PastedBranch Paste(CZAVDoc& doc, int parent, const std::vector<std::uint8_t>& bytes, int position = -1) {
  return CClipboardMenu::Paste(doc, parent, bytes.data(), bytes.size(), position);
}

TEST(ClipboardPaste, CopiedMenuComesBackAsNewRecordsBelowTheParent) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->GetMenu(kColourMenu).difficulty = 3;
  doc->GetAttribute(kRed).helpText = "Ripe";
  doc->GetAttribute(kRed).pictures = "red.jpg";
  doc->GetAttribute(kRed).flag = 7;
  const auto bytes = CopyColour(*doc);
  doc->SetModifiedFlag(false);

  const PastedBranch pasted = Paste(*doc, kFruitMenu, bytes);
  EXPECT_EQ(pasted.top, 3);
  EXPECT_TRUE(pasted.topIsMenu);
  EXPECT_EQ(pasted.menus, std::vector<int>{3});
  EXPECT_EQ(pasted.attributes, (std::vector<int>{5, 6, 7}));
  EXPECT_EQ(doc->GetMenu(kFruitMenu).children, (std::vector<WORD>{kColourMenu, kSizeMenu, 3}));
  const CQMenudata& copy = doc->GetMenu(3);
  EXPECT_EQ(copy.kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(copy.parent, kFruitMenu);
  EXPECT_EQ(copy.difficulty, 3);
  EXPECT_EQ(copy.title, "Colour");
  EXPECT_EQ(AttributeNames(*doc, 3), (std::vector<std::string>{"Red", "Green", "Blue"}));
  const CQAttdata& red = doc->GetAttribute(5);
  EXPECT_EQ(red.menuIndex, 3);
  EXPECT_EQ(red.flag, 0);
  EXPECT_EQ(red.helpText, "Ripe");
  EXPECT_EQ(red.pictures, "red.jpg");
  EXPECT_TRUE(doc->IsModified());
  // The copy of the copy is the same stream.
  EXPECT_EQ(CClipboardMenu::Copy(*doc, 3), bytes);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(ClipboardPaste, OneCopyPastesIntoAnotherDocumentAnyNumberOfTimes) {
  ScriptedUi ui;
  auto from = MakeSmallKey();
  const auto bytes = CClipboardMenu::Copy(*from, kFruitMenu);
  auto to = std::make_unique<CZAVDoc>();
  to->m_menus.push_back(MakeMenu(MENU_OF_MENUS, kNoIndex16, "Other key", {}));

  const PastedBranch first = Paste(*to, 0, bytes);
  const PastedBranch second = Paste(*to, first.top, bytes);
  EXPECT_EQ(first.menus, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(second.menus, (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(second.attributes, (std::vector<int>{5, 6, 7, 8, 9}));
  EXPECT_EQ(to->GetMenu(0).children, std::vector<WORD>{1});
  EXPECT_EQ(to->GetMenu(1).children, (std::vector<WORD>{2, 3, 4}));
  EXPECT_EQ(to->GetMenu(4).parent, 1);
  EXPECT_EQ(CClipboardMenu::Copy(*to, 4), bytes);
  EXPECT_EQ(AttributeNames(*to, 6), (std::vector<std::string>{"Small", "Large"}));
}

TEST(ClipboardPaste, FreeSlotsAreTakenFirstAndKeepTheirSecondText) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto bytes = CopyColour(*doc);
  CClipboardMenu::FinishCut(*doc, kSizeMenu);  // frees menu 2 and attributes 3 and 4
  doc->GetAttribute(kLarge).secondText = "kept";

  const PastedBranch pasted = Paste(*doc, kFruitMenu, bytes);
  EXPECT_EQ(pasted.menus, std::vector<int>{kSizeMenu});
  EXPECT_EQ(pasted.attributes, (std::vector<int>{kSmall, kLarge, 5}));
  EXPECT_EQ(doc->MenuCount(), 3);
  EXPECT_EQ(doc->AttributeCount(), 6);
  EXPECT_EQ(AttributeNames(*doc, kSizeMenu), (std::vector<std::string>{"Red", "Green", "Blue"}));
  EXPECT_EQ(doc->GetAttribute(kLarge).secondText, "kept");
}

TEST(ClipboardPaste, TheTopGoesToTheGivenPlaceInTheChildList) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto bytes = CopyColour(*doc);
  Paste(*doc, kFruitMenu, bytes, 0);
  Paste(*doc, kFruitMenu, bytes, 2);
  Paste(*doc, kFruitMenu, bytes, 99);
  EXPECT_EQ(doc->GetMenu(kFruitMenu).children, (std::vector<WORD>{3, kColourMenu, 4, kSizeMenu, 5}));
}

TEST(ClipboardPaste, AttributesJoinOnlyMenusOfAttributes) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto attribute = StreamWriter().Attribute("Purple").Tag(CLIP_END).Take();
  const PastedBranch pasted = Paste(*doc, kColourMenu, attribute);
  EXPECT_FALSE(pasted.topIsMenu);
  EXPECT_EQ(AttributeNames(*doc, kColourMenu), (std::vector<std::string>{"Red", "Green", "Blue", "Purple"}));

  const auto before = Snapshot(*doc);
  EXPECT_THROW(Paste(*doc, kFruitMenu, attribute), UserAbort);
  EXPECT_THROW(Paste(*doc, kColourMenu, CopyColour(*doc)), UserAbort);
  EXPECT_EQ(Snapshot(*doc), before);
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"An attribute can only be pasted into a menu of attributes.",
                                                     "A menu can only be pasted into a menu of menus."}));
}

TEST(ClipboardPaste, RefusedOnALockedDatabaseAndBelowNoMenu) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto bytes = CopyColour(*doc);
  doc->ClearMenu(kSizeMenu);
  const auto before = Snapshot(*doc);
  for (int parent : {-1, 9, int{kSizeMenu}}) {
    EXPECT_THROW(Paste(*doc, parent, bytes), UserAbort);
    EXPECT_FALSE(CClipboardMenu::CanPasteInto(*doc, parent));
  }
  EXPECT_FALSE(CClipboardMenu::CanPasteInto(*doc, kColourMenu));
  EXPECT_TRUE(CClipboardMenu::CanPasteInto(*doc, kFruitMenu));
  Lock(*doc);
  EXPECT_FALSE(CClipboardMenu::CanPasteInto(*doc, kFruitMenu));
  EXPECT_THROW(Paste(*doc, kFruitMenu, bytes), UserAbort);
  doc->m_header.lockWord = CZAVDoc::LockTokenFor(doc->m_header.description);
  EXPECT_EQ(Snapshot(*doc), before);
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Wrong menu index", "Wrong menu index", "Wrong menu index",
                                                     "The database is locked."}));
}

TEST(ClipboardPaste, MarksAreResetAndEveryItemRemains) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->SetAttributeMark(kRed, MARK_YES);
  doc->Reevaluate(false);
  ASSERT_EQ(doc->m_remainingCount, 2);
  Paste(*doc, kFruitMenu, CopyColour(*doc));
  EXPECT_EQ(doc->GetAttributeMark(kRed), MARK_CLEAR);
  EXPECT_EQ(doc->m_markedCount, 0);
  EXPECT_EQ(doc->m_remainingCount, 5);
}

TEST(ClipboardPaste, ItemDataStaysWithItsAttributesAndPastedOnesStartWithout) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto bytes = CopyColour(*doc);
  // Ten copies widen every item's row past one 32-bit word.
  for (int i = 0; i < 10; ++i) Paste(*doc, kFruitMenu, bytes);
  ASSERT_EQ(doc->AttributeCount(), 35);
  const std::pair<int, int> given[] = {{kApple, kRed},  {kApple, kLarge}, {kCherry, kRed}, {kCherry, kSmall},
                                       {kLime, kGreen}, {kLime, kSmall},  {kPine, kGreen}, {kPine, kLarge},
                                       {kPlum, kBlue},  {kPlum, kSmall}};
  for (int item = 0; item < doc->ItemCount(); ++item) {
    for (int a = 0; a < doc->AttributeCount(); ++a) {
      const bool expected = std::count(std::begin(given), std::end(given), std::pair<int, int>{item, a}) > 0;
      EXPECT_EQ(HasItemAttribute(*doc, item, a), expected) << "item " << item << ", attribute " << a;
    }
  }
}

}  // namespace
