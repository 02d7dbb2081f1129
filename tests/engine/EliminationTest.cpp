// Worked examples of the evaluation on the five-item database.
#include <gtest/gtest.h>

#include "EngineFixtures.h"

namespace {

using S = std::vector<int>;
enum { A_ = FiveItems::Apple, B_ = FiveItems::Bean, C_ = FiveItems::Cherry, D_ = FiveItems::Dill, E_ = FiveItems::Elm };

TEST(Elimination, EachMarkKindAlone) {
  FiveItems f;
  f.Mark({{f.red, MARK_YES}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 0, 1, 0, 0}));
  EXPECT_EQ(f->m_remainingCount, 2);

  f.Mark({{f.red, MARK_CLEAR}, {f.blue, MARK_NEVER}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 0, 0, 1, 1}));

  // ONLY green: Elm has green alone; Bean has blue as well.
  f.Mark({{f.blue, MARK_CLEAR}, {f.green, MARK_ONLY}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{0, 0, 0, 0, 1}));
  EXPECT_EQ(f.Mismatches(B_), 1u);
  EXPECT_EQ(f->m_remainingCount, 1);
}

TEST(Elimination, OrGroupsOfOneAndTwo) {
  FiveItems f;
  f.Mark({{f.red, MARK_OR}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 1, 1, 1, 1}));
  f.Mark({{f.green, MARK_OR}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 1, 1, 0, 1}));
  EXPECT_EQ(f.Mismatches(D_), 1u);
}

TEST(Elimination, NoWithAndWithoutOtherAttributesOfTheMenu) {
  FiveItems f;
  // Bean and Cherry have blue but also another colour; Dill has no colour.
  f.Mark({{f.blue, MARK_NO}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 1, 1, 1, 1}));
  // Elm has green and no other colour.
  f.Mark({{f.blue, MARK_CLEAR}, {f.green, MARK_NO}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 1, 1, 1, 0}));
  // With blue and green both NO, red is the only other attribute: one mismatch per menu.
  f.Mark({{f.blue, MARK_NO}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 0, 1, 1, 0}));
  EXPECT_EQ(f.Mismatches(B_), 1u);
}

TEST(Elimination, ForgivenessLevelsAllowTheSmallerOfLevelAndMarks) {
  FiveItems f;
  // Mismatches: Apple 1, Bean 2, Cherry 2, Dill 2, Elm 3 (all three in word 0).
  f.Mark({{f.red, MARK_YES}, {f.small, MARK_YES}, {f.medium, MARK_YES}});
  const std::vector<S> expected{{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {1, 1, 1, 1, 0}, {1, 1, 1, 1, 1}};
  for (int level = 0; level <= 3; ++level) {
    f->m_forgivenessLevel = static_cast<BYTE>(level);
    f.Evaluate();
    EXPECT_EQ(f.States(), expected[level]) << "level " << level;
  }
  EXPECT_EQ(f.Mismatches(E_), 3u);

  // Level 2 with a single mark allows one mismatch only.
  f.Mark({{f.red, MARK_CLEAR}, {f.small, MARK_CLEAR}, {f.medium, MARK_CLEAR}, {f.blue, MARK_NEVER}});
  f->m_forgivenessLevel = 2;
  EXPECT_EQ(f->GetAllowedMismatches(), 1);
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 1, 1, 1, 1}));
  f.Mark({{f.blue, MARK_CLEAR}});
  EXPECT_EQ(f->GetAllowedMismatches(), 0);
}

TEST(Elimination, AnItemEliminatedByAnEarlierWordIsSkippedByLaterOnes) {
  FiveItems sameWord(false, false), twoWords(false, true);
  for (FiveItems* f : {&sameWord, &twoWords}) {
    f->Mark({{f->red, MARK_YES}, {f->small, MARK_YES}});
    f->Evaluate();
  }
  // Bean lacks red and small: counted together in one word, only red when
  // the sizes lie in the next word.
  EXPECT_EQ(sameWord.Mismatches(B_), 2u);
  EXPECT_EQ(twoWords.Mismatches(B_), 1u);
  EXPECT_EQ(sameWord.States(), twoWords.States());
}

TEST(Elimination, MissingDataForEachPass) {
  {
    FiveItems f(true);
    f.Mark({{f.red, MARK_YES}});
    f.Evaluate();
    EXPECT_EQ(f.States(), (S{1, 0, 1, 3, 0}));
    f.Mark({{f.red, MARK_CLEAR}, {f.small, MARK_YES}});
    f.Evaluate();
    EXPECT_EQ(f.States(), (S{1, 0, 0, 1, 3}));  // Elm has no size data
  }
  {
    FiveItems f(true);
    f.Mark({{f.blue, MARK_NEVER}});
    f.Evaluate();
    EXPECT_EQ(f.States(), (S{1, 0, 0, 3, 1}));
  }
  {
    FiveItems f(true);
    f.Mark({{f.green, MARK_ONLY}});
    f.Evaluate();
    EXPECT_EQ(f.States(), (S{0, 0, 0, 3, 1}));
    EXPECT_EQ(f.Mismatches(B_), 1u);  // has green and blue
  }
  {
    FiveItems f(true);
    f.Mark({{f.red, MARK_OR}, {f.green, MARK_OR}});
    f.Evaluate();
    EXPECT_EQ(f.States(), (S{1, 1, 1, 3, 1}));
    EXPECT_EQ(f.Mismatches(D_), 0u);
  }
  {
    FiveItems f(true);
    f.Mark({{f.blue, MARK_NO}, {f.green, MARK_NO}});
    f.Evaluate();
    EXPECT_EQ(f.States(), (S{1, 0, 1, 3, 0}));
  }
}

TEST(Elimination, MissingDataDecidesPerWord) {
  // Dill has no colour data and lacks medium; forgiveness allows one mismatch.
  FiveItems sameWord(true, false), twoWords(true, true);
  for (FiveItems* f : {&sameWord, &twoWords}) {
    f->Mark({{f->red, MARK_YES}, {f->medium, MARK_YES}});
    f->doc->m_forgivenessLevel = 1;
    f->Evaluate();
  }
  // One word: red and medium are judged together, both count.
  EXPECT_EQ(sameWord.States(), (S{1, 1, 1, 0, 0}));
  EXPECT_EQ(sameWord.Mismatches(D_), 2u);
  // Two words: red is missing data, medium one mismatch.
  EXPECT_EQ(twoWords.States(), (S{1, 1, 1, 3, 3}));
  EXPECT_EQ(twoWords.Mismatches(D_), 1u);
  EXPECT_EQ(twoWords.Mismatches(E_), 1u);
}

TEST(Elimination, SelectedItemsGoToFiveAndStayCounted) {
  FiveItems f(true);
  f->SetItemState(B_, STATE_SELECTED);
  f->SetItemState(D_, STATE_SELECTED);
  f.Mark({{f.red, MARK_YES}});
  f.Evaluate();
  // Bean fails: 5, not 0; Dill would be missing data, but stays selected.
  EXPECT_EQ(f.States(), (S{1, 5, 1, 4, 0}));
  EXPECT_EQ(f->m_remainingCount, 4);
  EXPECT_FALSE(f->IsItemRemaining(B_));
  EXPECT_TRUE(f->IsItemSelected(B_));
  EXPECT_EQ(f->CountSelectedItems(), 2);
  f.Mark({{f.red, MARK_CLEAR}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 4, 1, 4, 1}));
}

TEST(Elimination, FreeSlotsTakePartInNothing) {
  FiveItems f(false, true);
  // Attribute 10 is a freed slot: its mark counts as a mark but tests nothing.
  f.Mark({{10, MARK_YES}, {11, MARK_ONLY}, {12, MARK_NEVER}, {13, MARK_OR}, {14, MARK_OR}, {15, MARK_NO}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 1, 1, 1, 1}));
  EXPECT_EQ(f->m_markedCount, 6);
  // A free item slot stays 255 and is not counted.
  f->GetItem(C_).nameIndex = f->GetItem(C_).speciesIndex = -1;
  f->m_recountFlag = 1;
  f.Mark({{f.red, MARK_YES}});
  f.Evaluate();
  EXPECT_EQ(f.States(), (S{1, 0, 255, 0, 0}));
  EXPECT_EQ(f->m_remainingCount, 1);
}

TEST(Elimination, ForgivenessKeepsUserExclusionsAndMissingDataToggleDropsThem) {
  FiveItems f;
  RecordingFrame frame(*f);
  f->Reevaluate(true);
  ASSERT_TRUE(f->ToggleItemExcluded(A_));
  f.Mark({{f.red, MARK_YES}, {f.small, MARK_YES}});
  const std::size_t reportsBefore = frame.reports.size();
  const int refreshesBefore = frame.tree.refreshes;
  f->SetForgivenessLevel(1);
  EXPECT_EQ(f.States(), (S{2, 0, 1, 1, 0}));
  EXPECT_EQ(frame.tree.refreshes, refreshesBefore + 1);
  EXPECT_EQ(frame.reports.size(), reportsBefore);  // a forgiveness change leaves the right pane

  f->OnAllowMissingData();
  EXPECT_TRUE(f->IsAllowMissingDataChecked());
  // Apple is back; Dill's only lack (red) lies in a menu it has no data for.
  EXPECT_EQ(f.States(), (S{1, 0, 1, 3, 0}));
  EXPECT_EQ(frame.reports.size(), reportsBefore + 1);
  EXPECT_GE(frame.list.fills, 1);
  EXPECT_EQ(frame.tree.repaints, 1);
  // The tree recounts for the new states both ways, or its counts would stay those of the old ones.
  EXPECT_EQ(frame.tree.refreshes, refreshesBefore + 2);
  f->OnAllowMissingData();
  EXPECT_FALSE(f->IsAllowMissingDataChecked());
  EXPECT_EQ(frame.tree.repaints, 2);
  EXPECT_EQ(frame.tree.refreshes, refreshesBefore + 3);
  EXPECT_EQ(f.States(), (S{1, 0, 1, 1, 0}));
}

TEST(Elimination, ForgivenessCommandsAndPane) {
  FiveItems f;
  EXPECT_EQ(f->GetForgivenessPaneText(), "Forgiveness level: 0");
  f->OnForgivenessLevel(2);
  EXPECT_EQ(f->GetForgivenessPaneText(), "Forgiveness level: -2");
  EXPECT_TRUE(f->IsForgivenessLevelChecked(2));
  EXPECT_FALSE(f->IsForgivenessLevelChecked(0));
  EXPECT_EQ(f->m_forgivenessOn, 1);
  f->SetForgivenessLevel(4);  // refused
  f->SetForgivenessLevel(-1);
  EXPECT_EQ(f->m_forgivenessLevel, 2);
  f->OnForgivenessLevel(0);
  EXPECT_EQ(f->m_forgivenessOn, 0);
}

TEST(Elimination, MissingDataMatrixAndLenientRows) {
  FiveItems f(true, true);
  EXPECT_TRUE(f->HasMenuData(1, A_));
  EXPECT_FALSE(f->HasMenuData(1, D_));
  EXPECT_FALSE(f->HasMenuData(2, E_));
  EXPECT_FALSE(f->HasMenuData(0, A_));  // a menu of menus has no attributes
  EXPECT_FALSE(f->HasMenuData(-1, A_));
  const DWORD* dill = f->GetLenientRow(D_);
  ASSERT_NE(dill, nullptr);
  EXPECT_EQ(dill[0], 0b111u);  // every colour, no freed slot
  EXPECT_EQ(dill[1], 0b001u);  // its own small only
  EXPECT_EQ(f->GetLenientRow(E_)[1], 0b111u);
}

TEST(Elimination, AttributeCountsFollowTheCandidates) {
  FiveItems f;
  f.Evaluate();
  f->UpdateAttributeCounts();
  ASSERT_EQ(f->m_attributeCounts.size(), 32u);
  EXPECT_EQ(f->m_attributeCounts[f.red], 2);
  EXPECT_EQ(f->m_attributeCounts[f.medium], 1);
  f.Mark({{f.red, MARK_YES}});
  f.Evaluate();
  f->UpdateAttributeCounts();
  EXPECT_EQ(f->m_attributeCounts[f.red], 2);
  EXPECT_EQ(f->m_attributeCounts[f.blue], 1);
  EXPECT_EQ(f->m_attributeCounts[f.green], 0);
  EXPECT_TRUE(f->IsAttributeUseless(f.red));    // shared by all remaining
  EXPECT_FALSE(f->IsAttributeUseless(f.blue));  // splits them
  EXPECT_TRUE(f->IsAttributeUseless(f.green));
  EXPECT_TRUE(f->IsAttributeUseless(-1));
  EXPECT_TRUE(f->IsAttributeUseless(32));
  EXPECT_FALSE(f->IsMenuUseless(1));
  EXPECT_FALSE(f->IsMenuBranchUseless(0));
  // A selection makes the selected items the candidates; the remaining count stays the reference.
  f->SetItemState(B_, STATE_SELECTED);
  f->UpdateAttributeCounts();
  EXPECT_EQ(f->m_attributeCounts[f.red], 0);
  EXPECT_EQ(f->m_attributeCounts[f.green], 1);
}

TEST(Elimination, UselessMenus) {
  FiveItems f;
  f.Mark({{f.red, MARK_YES}, {f.small, MARK_YES}});
  f.Evaluate();
  f->UpdateAttributeCounts();
  EXPECT_EQ(f->m_remainingCount, 1);
  EXPECT_TRUE(f->IsMenuUseless(1));  // fewer than two remain
  EXPECT_TRUE(f->IsMenuBranchUseless(0));

  f.Mark({{f.small, MARK_CLEAR}, {f.red, MARK_CLEAR}, {f.green, MARK_YES}});
  f.Evaluate();  // Bean and Elm: both green; Bean alone has blue and medium
  f->UpdateAttributeCounts();
  EXPECT_FALSE(f->IsMenuUseless(1));
  EXPECT_FALSE(f->IsMenuUseless(2));
  EXPECT_FALSE(f->IsMenuUseless(0));  // not a menu of attributes
  f->GetMenu(2).children.clear();
  EXPECT_TRUE(f->IsMenuUseless(2));  // no attributes
  f->GetMenu(1).children = {static_cast<WORD>(f.green), static_cast<WORD>(f.red)};
  EXPECT_TRUE(f->IsMenuUseless(1));
  EXPECT_TRUE(f->IsMenuBranchUseless(0));
  // A cycle in damaged data ends.
  f->GetMenu(0).children.push_back(0);
  EXPECT_TRUE(f->IsMenuBranchUseless(0));
}

}  // namespace
