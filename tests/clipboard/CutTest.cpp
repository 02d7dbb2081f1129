// Cutting: the stream first, the branch freed only when the caller confirms
// that the clipboard holds it; marks of freed attributes go with them.
#include <gtest/gtest.h>

#include "ClipboardFixtures.h"
#include "database/MarkLog.h"

namespace {

PastedBranch Paste(CZAVDoc& doc, int parent, const std::vector<std::uint8_t>& bytes) {
  return CClipboardMenu::Paste(doc, parent, bytes.data(), bytes.size());
}

TEST(ClipboardCut, TheDocumentChangesOnlyWhenTheCutIsFinished) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto before = Snapshot(*doc);
  const auto bytes = CClipboardMenu::Cut(*doc, kColourMenu);
  EXPECT_EQ(bytes, CopyColour(*doc));
  EXPECT_EQ(Snapshot(*doc), before);

  const FreedBranch freed = CClipboardMenu::FinishCut(*doc, kColourMenu);
  EXPECT_EQ(freed.menus, std::vector<int>{kColourMenu});
  EXPECT_EQ(freed.attributes, (std::vector<int>{kRed, kGreen, kBlue}));
  EXPECT_EQ(doc->GetMenu(kColourMenu).kind, MENU_FREE);
  for (int a : {kRed, kGreen, kBlue}) EXPECT_TRUE(doc->GetAttribute(a).IsFreeSlot());
  EXPECT_EQ(doc->GetMenu(kFruitMenu).children, std::vector<WORD>{kSizeMenu});
  EXPECT_TRUE(doc->IsModified());
}

TEST(ClipboardCut, AWholeBranchOfMenusIsFreed) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const PastedBranch copy = Paste(*doc, kFruitMenu, CClipboardMenu::Copy(*doc, kFruitMenu));
  const FreedBranch freed = CClipboardMenu::FinishCut(*doc, copy.top);
  EXPECT_EQ(freed.menus, copy.menus);
  EXPECT_EQ(freed.attributes, copy.attributes);
  for (int m : copy.menus) EXPECT_EQ(doc->GetMenu(m).kind, MENU_FREE);
  for (int a : copy.attributes) EXPECT_TRUE(doc->GetAttribute(a).IsFreeSlot());
  EXPECT_EQ(doc->GetMenu(kFruitMenu).children, (std::vector<WORD>{kColourMenu, kSizeMenu}));
  EXPECT_EQ(AttributeNames(*doc, kColourMenu), (std::vector<std::string>{"Red", "Green", "Blue"}));
}

TEST(ClipboardCut, MarksOfTheFreedAttributesAreClearedAndTheItemsEvaluatedAgain) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  doc->SetAttributeMark(kRed, MARK_YES);
  doc->PurgeUndoRecords(MARK_YES, 1, kRed);
  doc->SetAttributeMark(kSmall, MARK_YES);
  doc->PurgeUndoRecords(MARK_YES, 2, kSmall);
  doc->Reevaluate(false);
  ASSERT_EQ(doc->m_remainingCount, 1);  // Cherry

  CClipboardMenu::FinishCut(*doc, kColourMenu);
  EXPECT_EQ(doc->GetAttributeMark(kRed), MARK_CLEAR);
  EXPECT_EQ(doc->GetAttributeMark(kSmall), MARK_YES);
  EXPECT_EQ(doc->m_markedCount, 1);
  ASSERT_EQ(doc->m_markLog.size(), 1u);
  EXPECT_EQ(static_cast<const SingleMarkRecord&>(*doc->m_markLog[0]).attribute, kSmall);
  EXPECT_EQ(doc->m_remainingCount, 3);  // Cherry, Lime and Plum are small
}

TEST(ClipboardCut, ItemDataOfTheRestStaysAndPastedBackAttributesStartWithout) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto bytes = CClipboardMenu::Cut(*doc, kColourMenu);
  CClipboardMenu::FinishCut(*doc, kColourMenu);
  const PastedBranch pasted = Paste(*doc, kFruitMenu, bytes);
  EXPECT_EQ(pasted.top, kColourMenu);
  EXPECT_EQ(pasted.attributes, (std::vector<int>{kRed, kGreen, kBlue}));
  EXPECT_EQ(doc->GetMenu(kFruitMenu).children, (std::vector<WORD>{kSizeMenu, kColourMenu}));
  for (int item = 0; item < doc->ItemCount(); ++item)
    for (int a : {kRed, kGreen, kBlue}) EXPECT_FALSE(HasItemAttribute(*doc, item, a));
  EXPECT_TRUE(HasItemAttribute(*doc, kApple, kLarge));
  EXPECT_TRUE(HasItemAttribute(*doc, kCherry, kSmall));
  EXPECT_TRUE(HasItemAttribute(*doc, kPine, kLarge));
  EXPECT_FALSE(HasItemAttribute(*doc, kPine, kSmall));
}

TEST(ClipboardCut, CopyStaysAllowedOnALockedDatabaseCutDoesNot) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto unlockedCopy = CopyColour(*doc);
  Lock(*doc);
  const auto before = Snapshot(*doc);
  EXPECT_TRUE(CClipboardMenu::CanCopy(*doc, kColourMenu));
  EXPECT_EQ(CopyColour(*doc), unlockedCopy);
  EXPECT_FALSE(CClipboardMenu::CanCut(*doc, kColourMenu));
  EXPECT_THROW(CClipboardMenu::Cut(*doc, kColourMenu), UserAbort);
  EXPECT_THROW(CClipboardMenu::FinishCut(*doc, kColourMenu), UserAbort);
  EXPECT_EQ(Snapshot(*doc), before);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>(2, "The database is locked."));
}

TEST(ClipboardCut, TheTopMenuStays) {
  ScriptedUi ui;
  auto doc = MakeSmallKey();
  const auto before = Snapshot(*doc);
  EXPECT_TRUE(CClipboardMenu::CanCut(*doc, kSizeMenu));
  EXPECT_FALSE(CClipboardMenu::CanCut(*doc, kFruitMenu));
  EXPECT_THROW(CClipboardMenu::Cut(*doc, kFruitMenu), UserAbort);
  EXPECT_THROW(CClipboardMenu::FinishCut(*doc, kFruitMenu), UserAbort);
  EXPECT_THROW(CClipboardMenu::FinishCut(*doc, 42), UserAbort);
  EXPECT_EQ(Snapshot(*doc), before);
  EXPECT_EQ(ui.Messages(),
            (std::vector<std::string>{"The top menu can't be cut.", "The top menu can't be cut.", "Wrong menu index"}));
}

}  // namespace
