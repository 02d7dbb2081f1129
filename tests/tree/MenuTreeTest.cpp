#include <gtest/gtest.h>

#include "SmallKey.h"
#include "shell/TreeNodes.h"

TEST(TreeNodes, InsertFirstKeepsReverseInsertionInOrder) {
  CTreeNodes nodes;
  const HTREEITEM root = nodes.Insert(kNoNode, kInsertLast, 0, 3, nullptr);
  for (int data : {3, 2, 1}) nodes.Insert(root, kInsertFirst, data, 9, nullptr);
  ASSERT_EQ(nodes.Children(root).size(), 3u);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(nodes.Data(nodes.Children(root)[row]), static_cast<unsigned>(row + 1));
  EXPECT_EQ(nodes.Depth(nodes.Children(root)[2]), 1);
  nodes.DeleteChildren(root);
  EXPECT_TRUE(nodes.Children(root).empty());
  EXPECT_TRUE(nodes.IsValid(root));
}

TEST(MenuTree, BuildsMenusAndAttributesInStoredOrder) {
  TreeFixture f;
  EXPECT_EQ(f.tree.GetNodeKind(f.tree.MenuRoot()), KIND_MENU_ROOT);
  ASSERT_EQ(f.tree.Nodes().Children(f.tree.MenuRoot()).size(), 2u);
  EXPECT_EQ(f.tree.GetNodeKind(f.Menu(0)), KIND_ATTRIBUTE_MENU);
  EXPECT_EQ(f.tree.GetNodeLabel(f.Menu(0)), "Colour");
  EXPECT_EQ(f.tree.GetNodeLabel(f.Menu(1)), "Size");
  const auto& colours = f.tree.Nodes().Children(f.Menu(0));
  ASSERT_EQ(colours.size(), 3u);
  EXPECT_EQ(f.tree.GetNodeKind(colours[0]), KIND_ATTRIBUTE);
  EXPECT_EQ(f.tree.GetNodeLabel(colours[0]), "| 2| Red");
  EXPECT_EQ(f.tree.GetNodeLabel(colours[2]), "| 1| Blue");
  EXPECT_EQ(f.tree.GetNodeLabel(f.tree.MenuRoot()), "Fruit");
  EXPECT_EQ(f.tree.GetNodeKind(kNoNode), KIND_DB_DESCRIPTION);
  // A rebuild keeps the order.
  f.tree.OnUpdate();
  EXPECT_EQ(f.tree.GetNodeLabel(f.Menu(1)), "Size");
}

TEST(MenuTree, RootThatIsAnAttributeMenu) {
  auto doc = std::make_unique<CZAVDoc>();
  doc->m_menus.push_back(MakeMenu(MENU_OF_ATTRIBUTES, kNoIndex16, "Shape", {0, 1}));
  AddAttribute(*doc, 0, 0, "Round");
  AddAttribute(*doc, 1, 0, "Long");
  ScriptedUi ui;
  CMenuTree tree(*doc);
  tree.OnInitialUpdate();
  EXPECT_EQ(tree.GetNodeKind(tree.MenuRoot()), KIND_ATTRIBUTE_ROOT);
  EXPECT_EQ(tree.Nodes().Image(tree.MenuRoot()), IMAGE_ATTRIBUTE_MENU);
  const auto& children = tree.Nodes().Children(tree.MenuRoot());
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(tree.GetNodeKind(children[1]), KIND_ATTRIBUTE);
  // No items: every unmarked attribute is grey and counts "All".
  EXPECT_EQ(tree.Nodes().Image(children[0]), IMAGE_ATTRIBUTE_UNUSED);
  EXPECT_EQ(tree.GetNodeLabel(children[0]), "|All| Round");
}

TEST(MenuTree, NoMenuRefusesTheFirstFill) {
  CZAVDoc doc;
  ScriptedUi ui;
  CMenuTree tree(doc);
  EXPECT_THROW(tree.OnInitialUpdate(), UserAbort);
  EXPECT_EQ(ui.Messages().back(), "Error creating file");
}

TEST(MenuTree, TooltipsByKind) {
  EXPECT_STREQ(CMenuTree::GetTooltipText(KIND_ATTRIBUTE), "Attribute item. Use small button to call context menu.");
  EXPECT_STREQ(CMenuTree::GetTooltipText(KIND_ATTRIBUTE_ROOT), "Use small button to call context menu.");
  EXPECT_STREQ(CMenuTree::GetTooltipText(KIND_MENU_ROOT), "Menu subtree.");
}

TEST(MenuTree, StylesFollowTheCounts) {
  TreeFixture f;
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);
  // Red is had by both remaining items, Green by none, Small by one.
  const TreeNodeStyle red = f.tree.GetNodeStyle(f.Attribute(kRed), false);
  EXPECT_TRUE(red.bold);
  EXPECT_EQ(red.text, 0x787878u);
  const TreeNodeStyle green = f.tree.GetNodeStyle(f.Attribute(kGreen), true);
  EXPECT_FALSE(green.bold);
  EXPECT_EQ(green.text, 0x969696u);
  EXPECT_EQ(green.background, 0xE6E6E6u);
  const TreeNodeStyle small = f.tree.GetNodeStyle(f.Attribute(kSmall), false);
  EXPECT_EQ(small.text, 0x3232DCu);
  EXPECT_EQ(small.countFirst, 0);
  EXPECT_EQ(small.countLast, 3);
}

TEST(MenuTree, AttributeMenuLabelCountsItemsWithDataWhenMissingDataIsOn) {
  TreeFixture f;
  EXPECT_EQ(f.tree.GetNodeLabel(f.Menu(0)), "Colour");
  // Take Plum's colour away: with missing data allowed, 4 of 5 have colour data.
  ClearBit(f.doc->GetItemAttributeBits(kPlum), kBlue);
  f.doc->m_missingData = 1;
  f.doc->UpdateMissingDataBits();
  Evaluate(*f.doc);
  EXPECT_EQ(f.tree.GetNodeLabel(f.Menu(0)), "Colour |4/5|");
  // The count part's place is a byte offset into the UTF-8 label, also after letters of several bytes.
  f.doc->GetMenu(1).title = "di\u2013ethyl \u5317";
  const std::string label = f.tree.GetNodeLabel(f.Menu(0));
  const TreeNodeStyle style = f.tree.GetNodeStyle(f.Menu(0), false);
  EXPECT_EQ(label.substr(style.countFirst, style.countLast - style.countFirst + 1), "|4/5|");
}

TEST(MenuTree, ReferencesAndDescriptionNodes) {
  TreeFixture f;
  f.doc->m_referenceTitles = {"Flora", "Fauna"};
  f.doc->m_showReferences = 1;
  f.tree.OnUpdate();
  const HTREEITEM references = f.tree.ReferencesRoot();
  ASSERT_NE(references, kNoNode);
  EXPECT_EQ(f.tree.GetNodeKind(references), KIND_REFERENCES_ROOT);
  EXPECT_EQ(f.tree.GetNodeLabel(references), "References");
  const auto& children = f.tree.Nodes().Children(references);
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(f.tree.GetNodeKind(children[1]), KIND_REFERENCE);
  EXPECT_EQ(f.tree.GetNodeLabel(children[1]), "Fauna");
  f.doc->m_referenceTitles.pop_back();
  EXPECT_EQ(f.tree.GetNodeLabel(children[1]), "wrong index");
  f.tree.ShowDescriptionNode(true);
  EXPECT_EQ(f.tree.Nodes().Children(kNoNode).back(), f.tree.DescriptionNode());
  EXPECT_EQ(f.tree.GetNodeKind(f.tree.DescriptionNode()), KIND_DB_DESCRIPTION);
  f.doc->m_showReferences = 0;
  f.tree.FillReferences();
  EXPECT_EQ(f.tree.ReferencesRoot(), kNoNode);
  f.tree.ShowDescriptionNode(false);
  EXPECT_EQ(f.tree.Nodes().Children(kNoNode).size(), 1u);
}

// A rebuild after an edit shows the images of the counts it makes, not of
// the counts before the edit.
TEST(MenuTree, ARebuildGivesImagesFromItsOwnCounts) {
  TreeFixture f;
  f.tree.MarkAttribute(MARK_YES, f.Attribute(kRed), false);
  ASSERT_EQ(f.ImageOf(kGreen), IMAGE_ATTRIBUTE_UNUSED);
  SetBit(f.doc->GetItemAttributeBits(kApple), kGreen);  // a remaining item now has Green
  f.doc->InvalidateCountBasis();
  f.tree.OnUpdate();
  EXPECT_EQ(f.LabelOf(kGreen), "| 1| Green");
  EXPECT_EQ(f.ImageOf(kGreen), IMAGE_ATTRIBUTE);
}
