#include <gtest/gtest.h>

#include "SmallKey.h"
#include "editors/AttributeEditorForm.h"
#include "editors/MenuEditorForm.h"
#include "platform/ReportFactory.h"
#include "shell/MenuTreeEditing.h"

namespace {

struct EditingFixture : TreeFixture {
  EditingFixture() : editing(tree) {}

  // Editors that store what the author would have typed, and count their runs.
  CMenuTreeEditing::AttributeEditor NewAttribute(const std::string& name) {
    return [this, name](int& attribute, int parent) {
      ++editorRuns;
      AttributeEditorForm form;
      form.name = name;
      attribute = form.Store(*doc, attribute, parent);
      return true;
    };
  }
  CMenuTreeEditing::MenuEditor NewMenu(const std::string& title) {
    return [this, title](int& menu, int parent, bool attributeMenu) {
      ++editorRuns;
      MenuEditorForm form = MenuEditorForm::Load(*doc, menu);
      form.title = title;
      menu = form.Store(*doc, menu, parent, attributeMenu);
      return true;
    };
  }
  std::vector<std::uint32_t> NodeData(HTREEITEM node) const {
    std::vector<std::uint32_t> data;
    for (HTREEITEM child : tree.Nodes().Children(node)) data.push_back(tree.Nodes().Data(child));
    return data;
  }
  std::vector<WORD> Children(int menu) const { return doc->GetMenu(menu).children; }

  ScriptedUi ui;
  CMenuTreeEditing editing;
  int editorRuns = 0;
};

}  // namespace

TEST(MenuTreeEditing, InsertAfterTheSelectedAttributeOrLastInTheMenu) {
  EditingFixture f;
  const HTREEITEM node = f.editing.InsertAttribute(f.Attribute(kRed), f.NewAttribute("Pink"));
  ASSERT_NE(node, kNoNode);
  EXPECT_EQ(f.tree.Nodes().Data(node), 5u);
  EXPECT_EQ(f.Children(1), (std::vector<WORD>{kRed, 5, kGreen, kBlue}));
  EXPECT_EQ(f.NodeData(f.Menu(0)), (std::vector<std::uint32_t>{kRed, 5, kGreen, kBlue}));
  EXPECT_EQ(f.doc->GetAttribute(5).menuIndex, 1);
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_GT(f.treeView.refreshes, 0);
  f.editing.InsertAttribute(f.Menu(1), f.NewAttribute("Huge"));
  EXPECT_EQ(f.Children(2), (std::vector<WORD>{kSmall, kLarge, 6}));
  EXPECT_EQ(f.NodeData(f.Menu(1)).back(), 6u);
  // Only attributes and menus of attributes take a new attribute.
  EXPECT_EQ(f.editing.InsertAttribute(f.tree.MenuRoot(), f.NewAttribute("X")), kNoNode);
  EXPECT_EQ(f.editorRuns, 2);
}

TEST(MenuTreeEditing, CancelChangesNothing) {
  EditingFixture f;
  auto cancel = [](int&, int) { return false; };
  EXPECT_EQ(f.editing.InsertAttribute(f.Attribute(kRed), cancel), kNoNode);
  EXPECT_EQ(f.NodeData(f.Menu(0)).size(), 3u);
  EXPECT_FALSE(f.doc->IsModified());
}

TEST(MenuTreeEditing, TheLimitsStopBeforeTheEditorOpens) {
  EditingFixture f;
  std::vector<int> slots;
  for (int a = 5; a < kMaxAttributesOrMenus; ++a) slots.push_back(a);
  f.doc->GetOrCreateAttributes(slots);
  for (int a : slots) f.doc->GetAttribute(a).menuIndex = 2;
  // Exactly 16000 records: the new one is number 16000.
  const HTREEITEM node = f.editing.InsertAttribute(f.Menu(0), f.NewAttribute("Last"));
  EXPECT_EQ(f.tree.Nodes().Data(node), 16000u);
  EXPECT_EQ(f.editorRuns, 1);
  EXPECT_FALSE(RunCommand([&] { f.editing.InsertAttribute(f.Menu(0), f.NewAttribute("Too many")); }));
  EXPECT_EQ(f.ui.Messages().back(), "Too many Attributes!");
  EXPECT_EQ(f.editorRuns, 1);
  // A freed slot below the limit is taken again.
  f.doc->ClearAttribute(kBlue);
  std::erase(f.doc->GetMenu(1).children, WORD{kBlue});
  EXPECT_EQ(f.tree.Nodes().Data(f.editing.InsertAttribute(f.Menu(0), f.NewAttribute("Navy"))), unsigned{kBlue});

  for (int m = f.doc->MenuCount(); m <= kMaxAttributesOrMenus; ++m)
    f.doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, 0, "m", {}));
  EXPECT_FALSE(RunCommand([&] { f.editing.InsertMenu(f.tree.MenuRoot(), false, f.NewMenu("One more")); }));
  EXPECT_EQ(f.ui.Messages().back(), "Too many menues!");
  EXPECT_EQ(f.editorRuns, 2);
}

TEST(MenuTreeEditing, NewMenusGoLastBelowTheSelectedMenuOfMenus) {
  EditingFixture f;
  const HTREEITEM shape = f.editing.InsertMenu(f.tree.MenuRoot(), false, f.NewMenu("Shape"));
  EXPECT_EQ(f.tree.GetNodeKind(shape), KIND_MENU);
  EXPECT_EQ(f.Children(0), (std::vector<WORD>{1, 2, 3}));
  const HTREEITEM form = f.editing.InsertMenu(shape, true, f.NewMenu("Outline"));
  EXPECT_EQ(f.tree.GetNodeKind(form), KIND_ATTRIBUTE_MENU);
  EXPECT_EQ(f.doc->GetMenu(4).parent, 3);
  EXPECT_EQ(f.doc->GetMenu(4).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(f.tree.GetNodeLabel(form), "Outline");
  EXPECT_EQ(f.editing.InsertMenu(form, false, f.NewMenu("No")), kNoNode);  // not below attributes
}

TEST(MenuTreeEditing, EditingRelabelsAndShowsThePage) {
  EditingFixture f;
  EXPECT_TRUE(f.editing.EditMenu(f.Menu(0), f.NewMenu("Hue")));
  EXPECT_EQ(f.tree.GetNodeLabel(f.Menu(0)), "Hue");
  EXPECT_EQ(f.doc->GetMenu(1).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(f.doc->m_reportKind, kReportMenuItem);
  EXPECT_TRUE(f.editing.EditAttribute(f.Attribute(kRed), f.NewAttribute("Scarlet")));
  EXPECT_EQ(f.tree.GetNodeLabel(f.Attribute(kRed)), "| 2| Scarlet");
  EXPECT_EQ(f.doc->m_reportKind, kReportAttribute);
  EXPECT_EQ(f.doc->AttributeCount(), 5);
}

TEST(MenuTreeEditing, DeletingAnAttributeClearsTheMarksAndFreesTheSlot) {
  EditingFixture f;
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kGreen), false);
  ASSERT_EQ(f.doc->m_markedCount, 1);
  f.list.selectedRow = 2;
  f.ui.yesNoAnswers = {false};
  EXPECT_FALSE(f.editing.DeleteAttribute(f.Attribute(kRed)));
  EXPECT_EQ(f.doc->m_markedCount, 1);
  EXPECT_EQ(f.list.selectedRow, 2);
  f.ui.yesNoAnswers = {true};
  const HTREEITEM red = f.Attribute(kRed);
  EXPECT_TRUE(f.editing.DeleteAttribute(red));
  EXPECT_EQ(f.ui.shown.back().text, "Are you sure");
  EXPECT_FALSE(f.ui.shown.back().defaultYes) << "Enter keeps the attribute";
  EXPECT_EQ(f.doc->m_markedCount, 0);
  EXPECT_EQ(f.doc->GetAttributeMark(kGreen), MARK_CLEAR);
  EXPECT_TRUE(f.doc->GetAttribute(kRed).IsFreeSlot());
  EXPECT_EQ(f.Children(1), (std::vector<WORD>{kGreen, kBlue}));
  EXPECT_FALSE(f.tree.Nodes().IsValid(red));
  EXPECT_EQ(f.list.selectedRow, 2);
  EXPECT_NE(f.html.pages.back().html.find("Attribute item deleted!"), std::string::npos);
}

TEST(MenuTreeEditing, DeletingAMenuOfMenusThatHoldsAttributesClearsTheMarks) {
  EditingFixture f;
  const HTREEITEM shape = f.editing.InsertMenu(f.tree.MenuRoot(), false, f.NewMenu("Shape"));
  const HTREEITEM outline = f.editing.InsertMenu(shape, true, f.NewMenu("Outline"));
  const HTREEITEM round = f.editing.InsertAttribute(outline, f.NewAttribute("Round"));
  f.tree.MarkAttribute(MARK_NO, round, false);
  ASSERT_EQ(f.doc->GetAttributeMark(5), MARK_NO);
  f.ui.yesNoAnswers = {true};
  EXPECT_TRUE(f.editing.DeleteMenu(shape));
  EXPECT_EQ(f.doc->GetAttributeMark(5), MARK_CLEAR);
  EXPECT_EQ(f.doc->m_markedCount, 0);
  EXPECT_TRUE(f.doc->GetAttribute(5).IsFreeSlot());
  EXPECT_EQ(f.doc->GetMenu(3).kind, MENU_FREE);
  EXPECT_EQ(f.doc->GetMenu(4).kind, MENU_FREE);
  EXPECT_EQ(f.Children(0), (std::vector<WORD>{1, 2}));
  EXPECT_EQ(f.tree.Nodes().Children(f.tree.MenuRoot()).size(), 2u);
  // A menu without attributes below leaves the marks alone.
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);
  const HTREEITEM empty = f.editing.InsertMenu(f.tree.MenuRoot(), false, f.NewMenu("Empty"));
  f.ui.yesNoAnswers = {true};
  EXPECT_TRUE(f.editing.DeleteMenu(empty));
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_YES);
}

TEST(MenuTreeEditing, DeletingAReferenceShiftsEveryItemsPages) {
  EditingFixture f;
  f.doc->m_referenceTitles = {"Flora", "Atlas", "Guide"};
  f.doc->GetItem(kApple).referencePages = {"1", "2", "3"};
  f.doc->GetItem(kCherry).referencePages = {"4"};
  f.doc->GetItem(kLime).referencePages = {"5", "6"};
  f.doc->m_showReferences = 1;
  f.tree.FillReferences();
  const HTREEITEM atlas = f.tree.Nodes().Children(f.tree.ReferencesRoot()).at(1);
  f.ui.yesNoAnswers = {true};
  EXPECT_TRUE(f.editing.DeleteReference(atlas));
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages, (std::vector<std::string>{"1", "3"}));
  // A short list is padded first: every item keeps one page per title.
  EXPECT_EQ(f.doc->GetItem(kCherry).referencePages, (std::vector<std::string>{"4", ""}));
  EXPECT_EQ(f.doc->GetItem(kLime).referencePages, (std::vector<std::string>{"5", ""}));
  EXPECT_EQ(f.doc->m_referenceTitles, (std::vector<std::string>{"Flora", "Guide"}));
  EXPECT_EQ(f.NodeData(f.tree.ReferencesRoot()), (std::vector<std::uint32_t>{0, 1}));
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(MenuTreeEditing, SortIsByteOrderAndStable) {
  EditingFixture f;
  f.doc->GetAttribute(kRed).name = "beta";
  f.doc->GetAttribute(kGreen).name = "alpha";
  f.doc->GetAttribute(kBlue).name = "Alpha";
  f.editing.InsertAttribute(f.Menu(0), f.NewAttribute("alpha"));  // 5, after Green's twin
  EXPECT_TRUE(f.editing.SortAttributeMenu(f.Menu(0)));
  const std::vector<WORD> sorted{kBlue, kGreen, 5, kRed};
  EXPECT_EQ(f.Children(1), sorted);
  EXPECT_EQ(f.NodeData(f.Menu(0)), (std::vector<std::uint32_t>(sorted.begin(), sorted.end())));
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_FALSE(f.editing.SortAttributeMenu(f.tree.MenuRoot()));
}

TEST(MenuTreeEditing, NewReferencesGoLastAndEditedOnesAreRelabelled) {
  EditingFixture f;
  f.doc->m_referenceTitles = {"Flora"};
  f.doc->m_showReferences = 1;
  f.tree.FillReferences();
  auto add = [&](const std::string& title) {
    return [&f, title](int reference) {
      if (reference < 0)
        f.doc->m_referenceTitles.push_back(title);
      else
        f.doc->m_referenceTitles[reference] = title;
      return true;
    };
  };
  const HTREEITEM atlas = f.editing.InsertReference(f.tree.ReferencesRoot(), add("Atlas"));
  EXPECT_EQ(f.tree.GetNodeLabel(atlas), "Atlas");
  const HTREEITEM guide = f.editing.InsertReference(atlas, add("Guide"));
  EXPECT_EQ(f.NodeData(f.tree.ReferencesRoot()), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_TRUE(f.editing.EditReference(guide, add("Field guide")));
  EXPECT_EQ(f.tree.GetNodeLabel(guide), "Field guide");
  EXPECT_EQ(f.editing.InsertReference(f.Menu(0), add("No")), kNoNode);
  EXPECT_FALSE(f.editing.EditReference(f.tree.ReferencesRoot(), add("No")));
  EXPECT_EQ(f.doc->m_referenceTitles, (std::vector<std::string>{"Flora", "Atlas", "Field guide"}));
  EXPECT_TRUE(f.doc->IsModified());
}
