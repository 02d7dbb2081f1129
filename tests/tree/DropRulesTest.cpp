// Dropping nodes of the tree onto others: what moves where in the key and
// in the tree, what is refused, and that items keep their data and pages.
#include <gtest/gtest.h>

#include "SmallKey.h"
#include "database/Archive.h"
#include "shell/TreeDropRules.h"

namespace {

enum { kFruit = 0, kColour = 1, kSize = 2, kShape = 3, kOutline = 4 };

// The small key with a menu of menus "Shape" holding "Outline", three
// references and pages of two items for them.
struct DropFixture : TreeFixture {
  DropFixture()
      : rules(tree, [this] {
          ++questions;
          return answer;
        }) {
    doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, kFruit, "Shape", {kOutline}));
    doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, kShape, "Outline", {}));
    doc->GetMenu(kFruit).children.push_back(kShape);
    doc->m_referenceTitles = {"Alpha", "Beta", "Gamma"};
    doc->GetItem(kApple).referencePages = {"a1", "a2", "a3"};
    doc->GetItem(kCherry).referencePages = {"c1"};
    doc->m_showReferences = 1;
    tree.OnUpdate();
    doc->SetModifiedFlag(false);
  }
  HTREEITEM MenuNode(int menu) const { return tree.FindMenuNode(menu); }
  HTREEITEM Reference(int row) const { return tree.Nodes().Children(tree.ReferencesRoot()).at(row); }
  std::vector<std::string> Labels(HTREEITEM parent) const {
    std::vector<std::string> labels;
    for (HTREEITEM child : tree.Nodes().Children(parent)) labels.push_back(tree.GetNodeLabel(child));
    return labels;
  }
  std::vector<WORD> Children(int menu) const { return doc->GetMenu(menu).children; }
  std::vector<std::uint8_t> Snapshot() const {
    CArchive ar;
    doc->StoreFields(ar);
    auto bytes = ar.TakeBytes();
    bytes.push_back(doc->IsModified() ? 1 : 0);
    return bytes;
  }
  // Refused drops say so once and leave the key, the tree and the flag alone.
  void ExpectRefused(HTREEITEM target, HTREEITEM dragged, const std::string& message) {
    const auto before = Snapshot();
    const auto labels = Labels(tree.MenuRoot());
    ui.shown.clear();
    EXPECT_EQ(rules.Drop(target, dragged), kNoNode);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{message});
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(Labels(tree.MenuRoot()), labels);
  }

  CTreeDropRules rules;
  MenuDropChoice answer = MenuDropChoice::Dismissed;
  int questions = 0;
};

}  // namespace

TEST(DropRules, OntoItselfOrADescendantIsRefused) {
  DropFixture f;
  f.ExpectRefused(f.MenuNode(kColour), f.MenuNode(kColour), "An item can't be dropped onto itself");
  f.ExpectRefused(f.MenuNode(kOutline), f.MenuNode(kShape), "An item can't be dropped onto one of its children");
  EXPECT_TRUE(f.rules.IsAncestor(f.MenuNode(kOutline), f.tree.MenuRoot()));
  EXPECT_FALSE(f.rules.IsAncestor(f.MenuNode(kColour), f.MenuNode(kSize)));
}

TEST(DropRules, OntoItsParentItBecomesTheFirstChild) {
  DropFixture f;
  const HTREEITEM moved = f.rules.Drop(f.MenuNode(kColour), f.Attribute(kBlue));
  EXPECT_EQ(f.Children(kColour), (std::vector<WORD>{kBlue, kRed, kGreen}));
  EXPECT_EQ(f.tree.Nodes().Children(f.MenuNode(kColour)).front(), moved);
  EXPECT_EQ(f.tree.GetNodeLabel(moved), "| 1| Blue");
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_GT(f.reportsShown, 0);
  f.rules.Drop(f.tree.MenuRoot(), f.MenuNode(kShape));
  EXPECT_EQ(f.Children(kFruit), (std::vector<WORD>{kShape, kColour, kSize}));
  EXPECT_EQ(f.Labels(f.tree.MenuRoot()), (std::vector<std::string>{"Shape", "Colour", "Size"}));
  EXPECT_EQ(f.Labels(f.MenuNode(kShape)), std::vector<std::string>{"Outline"});  // the subtree is made again
}

TEST(DropRules, AMenuOnAMenuOfMenusAsksWhereItGoes) {
  DropFixture f;
  const auto before = f.Snapshot();
  EXPECT_EQ(f.rules.Drop(f.MenuNode(kShape), f.MenuNode(kColour)), kNoNode);  // the question was dismissed
  EXPECT_EQ(f.questions, 1);
  EXPECT_EQ(f.Snapshot(), before);

  f.answer = MenuDropChoice::PlaceAfter;
  f.rules.Drop(f.MenuNode(kShape), f.MenuNode(kColour));
  EXPECT_EQ(f.Children(kFruit), (std::vector<WORD>{kSize, kShape, kColour}));
  EXPECT_EQ(f.Children(kShape), std::vector<WORD>{kOutline});
  EXPECT_EQ(f.Labels(f.tree.MenuRoot()), (std::vector<std::string>{"Size", "Shape", "Colour"}));

  f.answer = MenuDropChoice::Submenu;
  f.rules.Drop(f.MenuNode(kShape), f.MenuNode(kColour));
  EXPECT_EQ(f.Children(kShape), (std::vector<WORD>{kColour, kOutline}));
  EXPECT_EQ(f.Children(kFruit), (std::vector<WORD>{kSize, kShape}));
  EXPECT_EQ(f.doc->GetMenu(kColour).parent, kShape);
  EXPECT_EQ(f.Labels(f.MenuNode(kShape)), (std::vector<std::string>{"Colour", "Outline"}));
  EXPECT_EQ(f.Labels(f.MenuNode(kColour)), (std::vector<std::string>{"| 2| Red", "| 2| Green", "| 1| Blue"}));
  EXPECT_EQ(f.questions, 3);
}

TEST(DropRules, MenusGoBehindMenusOfAttributesAndIntoTheRoot) {
  DropFixture f;
  f.rules.Drop(f.MenuNode(kSize), f.MenuNode(kColour));  // no question: only place after fits
  EXPECT_EQ(f.questions, 0);
  EXPECT_EQ(f.Children(kFruit), (std::vector<WORD>{kSize, kColour, kShape}));
  f.rules.Drop(f.tree.MenuRoot(), f.MenuNode(kOutline));  // the root takes it as a submenu
  EXPECT_EQ(f.Children(kFruit), (std::vector<WORD>{kOutline, kSize, kColour, kShape}));
  EXPECT_EQ(f.doc->GetMenu(kOutline).parent, kFruit);
  EXPECT_TRUE(f.Children(kShape).empty());
}

TEST(DropRules, AttributesMoveWithTheirItemsData) {
  DropFixture f;
  f.rules.Drop(f.MenuNode(kSize), f.Attribute(kRed));  // onto another menu: last
  EXPECT_EQ(f.Children(kSize), (std::vector<WORD>{kSmall, kLarge, kRed}));
  EXPECT_EQ(f.Children(kColour), (std::vector<WORD>{kGreen, kBlue}));
  EXPECT_EQ(f.doc->GetAttribute(kRed).menuIndex, kSize);
  EXPECT_EQ(f.Labels(f.MenuNode(kSize)).back(), "| 2| Red");  // Apple and Cherry still have it
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(kCherry), kRed));

  f.rules.Drop(f.Attribute(kSmall), f.Attribute(kGreen));  // onto an attribute: right after it
  EXPECT_EQ(f.Children(kSize), (std::vector<WORD>{kSmall, kGreen, kLarge, kRed}));
  EXPECT_EQ(f.doc->GetAttribute(kGreen).menuIndex, kSize);
  EXPECT_EQ(f.Labels(f.MenuNode(kSize)),
            (std::vector<std::string>{"| 3| Small", "| 2| Green", "| 2| Large", "| 2| Red"}));
}

TEST(DropRules, ReferencesTakeEveryItemsPagesAlong) {
  DropFixture f;
  f.rules.Drop(f.Reference(2), f.Reference(0));  // Alpha behind Gamma
  EXPECT_EQ(f.doc->m_referenceTitles, (std::vector<std::string>{"Beta", "Gamma", "Alpha"}));
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages, (std::vector<std::string>{"a2", "a3", "a1"}));
  EXPECT_EQ(f.doc->GetItem(kCherry).referencePages, (std::vector<std::string>{"", "", "c1"}));
  EXPECT_TRUE(f.doc->GetItem(kLime).referencePages.size() == 3);

  const HTREEITEM moved = f.rules.Drop(f.tree.ReferencesRoot(), f.Reference(1));  // Gamma first
  EXPECT_EQ(moved, f.Reference(0));
  EXPECT_EQ(f.doc->m_referenceTitles, (std::vector<std::string>{"Gamma", "Beta", "Alpha"}));
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages, (std::vector<std::string>{"a3", "a2", "a1"}));
  EXPECT_EQ(f.doc->GetItem(kCherry).referencePages, (std::vector<std::string>{"", "", "c1"}));
  for (int r = 0; r < 3; ++r) EXPECT_EQ(f.tree.Nodes().Data(f.Reference(r)), static_cast<unsigned>(r));
}

TEST(DropRules, EveryOtherPairCannotMove) {
  DropFixture f;
  f.ExpectRefused(f.Attribute(kRed), f.MenuNode(kSize), "Can't move");
  f.ExpectRefused(f.MenuNode(kShape), f.Attribute(kRed), "Can't move");
  f.ExpectRefused(f.MenuNode(kColour), f.Reference(0), "Can't move");
  f.ExpectRefused(f.Reference(1), f.Attribute(kRed), "Can't move");
  EXPECT_EQ(f.questions, 0);
}

TEST(DropRules, NothingIsDraggedOnALockedDatabaseNorAtTheTopLevel) {
  DropFixture f;
  EXPECT_FALSE(f.rules.CanDrag(f.tree.MenuRoot()));
  EXPECT_FALSE(f.rules.CanDrag(f.tree.ReferencesRoot()));
  EXPECT_TRUE(f.rules.CanDrag(f.Attribute(kRed)));
  f.doc->m_header.lockWord = 0;
  EXPECT_FALSE(f.rules.CanDrag(f.Attribute(kRed)));
  const auto before = f.Snapshot();
  EXPECT_EQ(f.rules.Drop(f.MenuNode(kSize), f.Attribute(kRed)), kNoNode);
  EXPECT_EQ(f.Snapshot(), before);
  EXPECT_TRUE(f.ui.Messages().empty());
}
