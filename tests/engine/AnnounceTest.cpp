// The identification announcement and the explanation of an elimination.
#include <gtest/gtest.h>

#include "EngineFixtures.h"
#include "database/LevelLabels.h"
#include "fakes/ScriptedUi.h"

namespace {

using Strings = std::vector<std::string>;
enum { A_ = FiveItems::Apple, B_ = FiveItems::Bean, C_ = FiveItems::Cherry, D_ = FiveItems::Dill, E_ = FiveItems::Elm };

// Marks, evaluates and announces as the tree's mark command does.
void MarkAndAnnounce(FiveItems& f, int attribute, BYTE mark) {
  f->SetAttributeMark(attribute, mark);
  f.Evaluate();
  f->UpdateIdentifiedStatus(false);
}

TEST(Announce, OneItemIsAnnouncedOnce) {
  ScriptedUi ui;
  FiveItems f;
  RecordingFrame frame(*f);
  f->UpdateIdentifiedStatus(true);
  MarkAndAnnounce(f, f.green, MARK_ONLY);  // Elm alone
  EXPECT_EQ(ui.Messages(), Strings{"Common identified:  Elm"});
  EXPECT_EQ(frame.list.selectedItems, std::vector<int>{E_});
  EXPECT_EQ(frame.itemPages, std::vector<int>{E_});
  MarkAndAnnounce(f, f.small, MARK_NEVER);  // still Elm alone
  EXPECT_EQ(ui.Messages().size(), 1u);
}

TEST(Announce, ScientificNamesAndCustomLevelNames) {
  struct Case {
    bool showCommon, custom;
    std::string expected;
  };
  for (const Case& c :
       {Case{false, false, "Species identified:  Ulmus minor"}, Case{true, false, "Species identified:  Elm"},
        Case{false, true, "Art identified:  Ulmus minor"}}) {
    ScriptedUi ui;
    FiveItems f;
    f->m_header.scientificNamesEnabled = 1;
    f->m_header.showCommonNames = c.showCommon ? 1 : 0;
    f->m_levelNames->inUse = c.custom;
    f->m_levelNames->species = "Art";
    MarkAndAnnounce(f, f.green, MARK_ONLY);
    EXPECT_EQ(ui.Messages(), Strings{c.expected});
  }
}

TEST(Announce, AForgivenessChangeIsSilent) {
  ScriptedUi ui;
  FiveItems f;
  f.Mark({{f.red, MARK_YES}, {f.small, MARK_YES}, {f.medium, MARK_YES}});
  f->Reevaluate(true);        // nobody
  f->SetForgivenessLevel(1);  // Apple alone, with one mismatch
  EXPECT_EQ(f->m_remainingCount, 1);
  EXPECT_TRUE(ui.Messages().empty());
  MarkAndAnnounce(f, f.blue, MARK_NEVER);  // still Apple alone
  EXPECT_TRUE(ui.Messages().empty());
}

// Apple joins Cherry's genus; Bean joins their family under another genus.
void ShareGenusAndFamily(FiveItems& f) {
  f->m_header.scientificNamesEnabled = 1;
  f->GetItem(A_).genusIndex = f->GetItem(C_).genusIndex;
  f->GetItem(B_).familyIndex = f->GetItem(C_).familyIndex;
  f->UpdateIdentifiedStatus(true);
}

TEST(Announce, GenusItemAndFamily) {
  ScriptedUi ui;
  FiveItems f;
  ShareGenusAndFamily(f);
  MarkAndAnnounce(f, f.red, MARK_YES);  // Apple, Cherry
  EXPECT_EQ(ui.Messages(), Strings{"Genus identified:  Prunus"});
  MarkAndAnnounce(f, f.red, MARK_CLEAR);
  MarkAndAnnounce(f, f.small, MARK_NEVER);  // Bean, Cherry, Elm: families differ
  MarkAndAnnounce(f, f.green, MARK_NEVER);  // Cherry alone
  EXPECT_EQ(ui.Messages(), (Strings{"Genus identified:  Prunus", "Species identified:  Prunus avium"}));
  MarkAndAnnounce(f, f.green, MARK_CLEAR);  // Bean, Cherry, Elm
  f->m_levelNames->inUse = true;
  f->m_levelNames->family = "Familie";
  MarkAndAnnounce(f, f.blue, MARK_YES);  // Bean, Cherry: one family, two genera
  EXPECT_EQ(ui.Messages().back(), "Familie identified:  Rosaceae");
  MarkAndAnnounce(f, f.small, MARK_NEVER);  // unchanged: nothing more
  EXPECT_EQ(ui.Messages().size(), 3u);
}

TEST(Announce, WideningToTheFamilyAfterTheGenusAnnouncesNothing) {
  ScriptedUi ui;
  FiveItems f;
  ShareGenusAndFamily(f);
  MarkAndAnnounce(f, f.red, MARK_YES);  // Apple, Cherry: Prunus
  for (int item : {D_, E_}) f->GetItem(item).nameIndex = f->GetItem(item).speciesIndex = -1;
  f->m_recountFlag = 1;
  MarkAndAnnounce(f, f.red, MARK_CLEAR);  // Apple, Bean, Cherry: Rosaceae
  EXPECT_EQ(f->m_remainingCount, 3);
  EXPECT_EQ(ui.Messages(), Strings{"Genus identified:  Prunus"});
}

// Apple and Bean of one genus come first; Cherry, of another family, follows
// before any other genus of theirs.
void TwoOfOneGenusFirst(FiveItems& f) {
  f->m_header.scientificNamesEnabled = 1;
  f->GetItem(B_).genusIndex = f->GetItem(A_).genusIndex;
  f->GetItem(B_).familyIndex = f->GetItem(A_).familyIndex;
  f->GetItem(C_).familyIndex = f->GetItem(E_).familyIndex;
  f->UpdateIdentifiedStatus(true);  // as opening does
}

TEST(Announce, AnotherFamilyMeansAnotherGenus) {
  ScriptedUi ui;
  FiveItems f;
  TwoOfOneGenusFirst(f);
  MarkAndAnnounce(f, f.small, MARK_OR);
  MarkAndAnnounce(f, f.medium, MARK_OR);  // Apple, Bean of Malus and Dill of Apiaceae
  MarkAndAnnounce(f, f.large, MARK_YES);  // nobody
  EXPECT_EQ(f->m_remainingCount, 0);
  MarkAndAnnounce(f, f.large, MARK_CLEAR);  // Apple, Bean, Dill again
  EXPECT_EQ(f->m_remainingCount, 3);
  EXPECT_TRUE(ui.Messages().empty());
  MarkAndAnnounce(f, f.red, MARK_OR);
  MarkAndAnnounce(f, f.green, MARK_OR);  // Apple, Bean
  EXPECT_EQ(f->m_remainingCount, 2);
  EXPECT_EQ(ui.Messages(), Strings{"Genus identified:  Malus"});
}

TEST(Announce, TheGenusOfTheFirstItemsIsAnnouncedAfterASilentStart) {
  ScriptedUi ui;
  FiveItems f;
  TwoOfOneGenusFirst(f);
  f.Mark({{f.small, MARK_OR}, {f.medium, MARK_OR}, {f.red, MARK_OR}});
  MarkAndAnnounce(f, f.green, MARK_OR);  // straight from all five to Apple, Bean
  EXPECT_EQ(ui.Messages(), Strings{"Genus identified:  Malus"});
}

TEST(Announce, NoGenusOrFamilyWithoutScientificNames) {
  ScriptedUi ui;
  FiveItems f;
  f->GetItem(A_).genusIndex = f->GetItem(C_).genusIndex;
  MarkAndAnnounce(f, f.red, MARK_YES);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(LevelLabels, BuiltInAndCustom) {
  FiveItems f;
  EXPECT_EQ(f->GetCommonLabel(), "Common");
  EXPECT_EQ(f->GetFamilyLabel(), "Family");
  EXPECT_EQ(f->GetGenusLabel(), "Genus");
  EXPECT_EQ(f->GetSpeciesLabel(), "Species");
  EXPECT_EQ(CZAVDoc::GetItemsLabel(), "Item(s)");
  f->m_levelNames->common = "Volksname";
  f->m_levelNames->family = "Familie";
  EXPECT_EQ(f->GetFamilyLabel(), "Family");  // not in use yet
  f->m_levelNames->inUse = true;
  EXPECT_EQ(f->GetCommonLabel(), "Volksname");
  EXPECT_EQ(f->GetFamilyLabel(), "Familie");
  EXPECT_EQ(LevelLabel(nullptr, Level::Genus), "Genus");
}

std::string Menu(int m, const std::string& title) {
  return "<a href='http://menu" + std::to_string(m) + "end'>" + title + "</a>";
}
std::string Att(int a, const std::string& name) {
  return "<a href='http://att" + std::to_string(a) + "end'>" + name + "</a>";
}

TEST(Explain, NothingForAnItemThatPasses) {
  FiveItems f;
  f.Mark({{f.red, MARK_YES}});
  f.Evaluate();
  EXPECT_TRUE(f->ExplainElimination(A_).empty());
  EXPECT_TRUE(f->ExplainElimination(-1).empty());
  EXPECT_TRUE(f->ExplainElimination(99).empty());
}

TEST(Explain, YesNeverAndNo) {
  FiveItems f;
  f.Mark({{f.red, MARK_YES}, {f.blue, MARK_NEVER}, {f.medium, MARK_NO}});
  f->m_forgivenessLevel = 3;
  f.Evaluate();
  EXPECT_EQ(f->ExplainElimination(B_), (Strings{"Does NOT have " + Menu(1, "Colour") + ", " + Att(0, "red") + ";",
                                                "DOES have " + Menu(1, "Colour") + ", " + Att(2, "blue") + ";",
                                                "DOES have " + Menu(2, "Size") + ", " + Att(4, "medium") + ";"}));
}

TEST(Explain, MissingDataSentencesNameTheMenus) {
  FiveItems f(true, true);
  f.Mark({{f.red, MARK_YES}, {f.medium, MARK_YES}});
  f->m_forgivenessLevel = 1;
  f.Evaluate();
  ASSERT_EQ(f->GetItemState(D_), STATE_MISSING_DATA);
  EXPECT_EQ(f->ExplainElimination(D_),
            (Strings{"HAS NO DATA in menu " + Menu(1, "Colour") + ", for " + Att(0, "red") + ";",
                     "Does NOT have " + Menu(2, "Size") + ", " + Att(33, "medium") + ";"}));
}

TEST(Explain, OnlyNamesEveryOtherAttributeItHas) {
  FiveItems f;
  SetBit(f->GetItemAttributeBits(C_), static_cast<WORD>(f.green));
  f.Mark({{f.blue, MARK_ONLY}, {f.small, MARK_YES}});
  f.Evaluate();
  EXPECT_EQ(f->ExplainElimination(C_), (Strings{"Has " + Menu(1, "Colour") + ", " + Att(2, "blue") + " but ALSO has " +
                                                    Att(0, "red") + " AND " + Att(1, "green") + ";",
                                                "Does NOT have " + Menu(2, "Size") + ", " + Att(3, "small") + ";"}));
}

TEST(Explain, OrGroupsAreOneSentence) {
  for (bool missing : {false, true}) {
    FiveItems f(missing);
    f->GetAttribute(f.green).name = "green; pale";  // stays inside its sentence
    f.Mark({{f.green, MARK_OR}, {f.red, MARK_OR}, {f.large, MARK_OR}});
    f->m_forgivenessLevel = 1;
    f.Evaluate();
    const std::string group = Att(0, "red") + " OR " + Att(1, "green; pale");
    const std::string lone = "Does NOT have " + Menu(2, "Size") + ", " + Att(5, "large") + ";";
    if (missing)
      EXPECT_EQ(f->ExplainElimination(D_),
                (Strings{"HAS NO DATA in menu " + Menu(1, "Colour") + " for, " + group + ";", lone}));
    else
      EXPECT_EQ(f->ExplainElimination(D_), (Strings{"Does NOT have " + Menu(1, "Colour") + ", " + group + ";", lone}));
  }
}

}  // namespace

TEST(Explain, NamesKeepTheirEntitiesAndNeverBecomeMarkup) {
  FiveItems f;
  f->GetAttribute(f.red).name = "caf&eacute; <b>";
  f.Mark({{f.red, MARK_YES}});
  f.Evaluate();
  EXPECT_EQ(f->ExplainElimination(B_),
            (Strings{"Does NOT have " + Menu(1, "Colour") + ", " + Att(0, "caf&eacute; &lt;b&gt;") + ";"}));
}
