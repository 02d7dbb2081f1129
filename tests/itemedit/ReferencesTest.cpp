// The item reference editor's rules and adding or renaming reference titles.
#include <gtest/gtest.h>

#include "editors/ItemReferenceEditor.h"
#include "editors/ReferenceTitles.h"
#include "tree/SmallKey.h"

TEST(ReferenceTitles, ANewTitleGivesEveryItemInUseAnEmptyPageAtItsPlace) {
  TreeFixture f;
  f.doc->m_referenceTitles = {"Flora", "Atlas"};
  f.doc->GetItem(kApple).referencePages = {"p. 1", "p. 2"};
  f.doc->GetItem(kCherry).referencePages = {"p. 7"};  // shorter than the titles
  f.doc->CutItem(kLime);
  EXPECT_EQ(StoreReferenceTitle(*f.doc, -1, "Flora 1990"), 2);
  EXPECT_EQ(f.doc->m_referenceTitles.back(), "Flora 1990");
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages, (std::vector<std::string>{"p. 1", "p. 2", ""}));
  EXPECT_EQ(f.doc->GetItem(kCherry).referencePages, (std::vector<std::string>{"p. 7", "", ""}));
  EXPECT_TRUE(f.doc->GetItem(kLime).referencePages.empty()) << "a free slot gets no page";
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(ReferenceTitles, RenamingKeepsThePagesABlankTitleIsRefused) {
  TreeFixture f;
  f.doc->m_referenceTitles = {"Flora", "Atlas"};
  f.doc->GetItem(kApple).referencePages = {"p. 1", "p. 2"};
  EXPECT_EQ(StoreReferenceTitle(*f.doc, 1, "World Atlas"), 1);
  EXPECT_EQ(f.doc->m_referenceTitles, (std::vector<std::string>{"Flora", "World Atlas"}));
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages, (std::vector<std::string>{"p. 1", "p. 2"}));
  EXPECT_FALSE(RunCommand([&] { StoreReferenceTitle(*f.doc, -1, "   "); }));
  EXPECT_FALSE(RunCommand([&] { StoreReferenceTitle(*f.doc, 0, ""); }));
  EXPECT_FALSE(RunCommand([&] { StoreReferenceTitle(*f.doc, 9, "Far"); }));
  EXPECT_EQ(f.ui.Messages(), (std::vector<std::string>{"Reference title must be entered",
                                                       "Reference title must be entered", "Wrong reference index"}));
  EXPECT_EQ(f.doc->m_referenceTitles.size(), 2u);
}

TEST(ItemReferenceEditor, ShortPageListsShowEmptyBoxesAndStoreOnlyWhenTyped) {
  TreeFixture f;
  f.list.FillList();
  f.doc->m_referenceTitles = {"Flora", "Atlas", "Keys"};
  f.doc->GetItem(kPine).referencePages = {"p. 1", "p. 2"};
  ItemReferenceEditor editor(*f.doc, kPine, 3);
  EXPECT_EQ(editor.Count(), 3);
  EXPECT_EQ(editor.Text(1), "p. 2");
  EXPECT_EQ(editor.Text(2), "");
  EXPECT_EQ(editor.Title(2), "Keys");
  EXPECT_EQ(editor.Caption(), "Item(s) Reference Editor:  Pine");
  EXPECT_FALSE(editor.IsModified());
  editor.Ok();
  EXPECT_EQ(f.doc->GetItem(kPine).referencePages.size(), 2u);
  editor.SetText(2, "fig. 3");
  EXPECT_TRUE(editor.IsModified());
  editor.Ok();
  EXPECT_EQ(f.doc->GetItem(kPine).referencePages, (std::vector<std::string>{"p. 1", "p. 2", "fig. 3"}));
  EXPECT_TRUE(f.list.pageRows.empty()) << "the list view shows the pages after the editor";
}

TEST(ItemReferenceEditor, CancelAsksNextStoresAndNoTitlesRefuse) {
  TreeFixture f;
  f.list.FillList();
  f.doc->m_referenceTitles = {"Flora"};
  ItemReferenceEditor editor(*f.doc, kApple, 0);
  editor.SetText(0, "p. 9");
  f.ui.yesNoCancelAnswers = {-1};
  EXPECT_FALSE(editor.Cancel());
  EXPECT_EQ(f.ui.shown.back().text, "Save changes to Apple references?");
  editor.Next();
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages, std::vector<std::string>{"p. 9"});
  EXPECT_EQ(editor.Item(), f.list.ItemAtRow(1));
  EXPECT_EQ(editor.Text(0), "");
  f.doc->m_referenceTitles.clear();
  EXPECT_FALSE(RunCommand([&] { ItemReferenceEditor refused(*f.doc, kApple, 0); }));
  EXPECT_EQ(f.ui.Messages().back(), "Must be at least one reference title.");
}
