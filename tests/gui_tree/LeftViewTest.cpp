#include <gtest/gtest.h>

#include "TreeGuiFixture.h"
#include "database/ZAVDocCommands.h"
#include "shell/PopupCommandIds.h"

TEST(LeftView, MarkCommandsChangeLabelsAndImagesWithoutRebuilding) {
  TreeGuiFixture f;
  EXPECT_EQ(f.Label(kRed), "| 2| Red");
  QPersistentModelIndex red(f.Index(f.Node(kRed)));
  int removed = 0, reset = 0;
  QObject::connect(&f.tree->Model(), &QAbstractItemModel::rowsRemoved, [&] { ++removed; });
  QObject::connect(&f.tree->Model(), &QAbstractItemModel::modelReset, [&] { ++reset; });
  f.tree->SelectNode(f.Node(kRed));
  EXPECT_TRUE(f.tree->CommandStateOf(cmd::kMarkYes)->enabled);
  f.tree->OnMarkYes();
  EXPECT_EQ(f.Label(kRed), "|All| Red");
  EXPECT_EQ(f.Label(kGreen), "| 0| Green");
  EXPECT_EQ(f.Image(kRed), IMAGE_YES);
  EXPECT_EQ(f.Image(kGreen), IMAGE_ATTRIBUTE_UNUSED);
  EXPECT_TRUE(red.isValid());
  EXPECT_EQ(removed, 0);
  EXPECT_EQ(reset, 0);
  f.tree->SelectNode(f.Node(kSmall));
  f.tree->OnCommand(cmd::kMarkNever);
  EXPECT_EQ(f.Image(kSmall), IMAGE_NEVER);
  EXPECT_EQ(f.doc->m_remainingCount, 1);  // Apple
}

TEST(LeftView, MarkCommandsNeedAnAttribute) {
  TreeGuiFixture f;
  f.tree->SelectNode(f.tree->Tree().MenuRoot());
  EXPECT_FALSE(f.tree->CommandStateOf(cmd::kMarkYes)->enabled);
  f.tree->OnMarkYes();
  EXPECT_EQ(f.doc->m_markedCount, 0);
}

TEST(LeftView, CtrlMarksTheMenu) {
  TreeGuiFixture f;
  f.ctrl = true;
  f.tree->SelectNode(f.Node(kSmall));
  f.tree->OnMarkNo();
  EXPECT_EQ(f.Image(kSmall), IMAGE_NO);
  EXPECT_EQ(f.Image(kLarge), IMAGE_NO);
  EXPECT_EQ(f.Image(kRed), IMAGE_ATTRIBUTE);
}

TEST(LeftView, KeyboardSelectionShowsAPageProgrammaticDoesNot) {
  TreeGuiFixture f;
  f.tree->SelectNode(f.Node(kRed));
  EXPECT_TRUE(f.html.pages.empty());
  f.Key(f.tree.get(), Qt::Key_Down);
  EXPECT_EQ(f.tree->SelectedNode(), f.Node(kGreen));
  ASSERT_EQ(f.html.pages.size(), 1u);
  EXPECT_NE(f.html.pages[0].html.find("Green"), std::string::npos);
  EXPECT_EQ(f.doc->m_reportKind, kReportAttribute);
}

TEST(LeftView, DoubleClickTogglesYes) {
  TreeGuiFixture f;
  const QPoint at = f.LabelPoint(f.Node(kBlue));
  f.Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
  EXPECT_EQ(f.doc->GetAttributeMark(kBlue), MARK_YES);
  f.Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
  EXPECT_EQ(f.doc->GetAttributeMark(kBlue), MARK_CLEAR);
}

TEST(LeftView, LeftPressShowsThePageAndTheIconOpensTheMenu) {
  TreeGuiFixture f;
  f.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, f.LabelPoint(f.Node(kLarge)));
  EXPECT_EQ(f.tree->SelectedNode(), f.Node(kLarge));
  EXPECT_EQ(f.doc->m_reportKind, kReportAttribute);
  EXPECT_EQ(f.popups, 0);
  const QRect rect = f.tree->visualRect(f.Index(f.Node(kLarge)));
  f.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, {rect.left() + 8, rect.center().y()});
  EXPECT_EQ(f.popups, 1);
  EXPECT_TRUE(f.tree->DragBlocked());
}

TEST(LeftView, RightPressOpensTheContextMenuOnce) {
  TreeGuiFixture f;
  const QRect rect = f.tree->visualRect(f.Index(f.Node(kLarge)));
  f.chosen = "Mark Only";
  f.Mouse(QEvent::MouseButtonPress, Qt::RightButton, {rect.left() + 8, rect.center().y()});
  EXPECT_EQ(f.popups, 1);
  EXPECT_EQ(f.doc->GetAttributeMark(kLarge), MARK_ONLY);
}

TEST(LeftView, ContextMenusOnEditableAndLockedDatabases) {
  TreeGuiFixture f;
  auto attributeMenu = [&](HTREEITEM node) {
    std::vector<std::string> texts;
    auto menu = f.tree->BuildContextMenu(node);
    if (!menu) return std::vector<std::string>{"<none>"};
    for (QAction* action : menu->actions())
      if (!action->isSeparator()) texts.push_back(action->text().toStdString());
    return texts;
  };
  const std::vector<std::string> allMarks = {"Mark Yes", "Mark Or", "Mark No", "Mark Never", "Mark Only", "Mark Clear"};
  std::vector<std::string> editableAttribute = allMarks;
  editableAttribute.insert(editableAttribute.end(), {"Edit", "Delete", "Insert"});
  EXPECT_EQ(attributeMenu(f.Node(kRed)), editableAttribute);
  EXPECT_EQ(attributeMenu(f.tree->Tree().MenuRoot()),
            (std::vector<std::string>{"View/Print Menu", "Add submenu", "Add attribute menu", "Expand menu tree",
                                      "Expand attribute menus", "Edit"}));
  f.doc->m_header.lockWord = 0;
  EXPECT_EQ(attributeMenu(f.Node(kRed)), (std::vector<std::string>{"Mark Yes", "Mark Or", "Mark No", "Mark Clear"}));
  const HTREEITEM colour = f.tree->Tree().Nodes().Parent(f.Node(kRed));
  EXPECT_EQ(attributeMenu(colour), std::vector<std::string>{"<none>"});
}

TEST(LeftView, ExpandingByHandCollapsesChildrenAndExpandCommandsOpenAll) {
  TreeGuiFixture f;
  const QModelIndex root = f.Index(f.tree->Tree().MenuRoot());
  const QModelIndex colour = f.Index(f.tree->Tree().Nodes().Parent(f.Node(kRed)));
  f.tree->collapse(root);
  f.tree->expand(root);
  EXPECT_FALSE(f.tree->isExpanded(colour));
  f.tree->SelectNode(f.tree->Tree().MenuRoot());
  f.tree->OnCommand(32838);
  EXPECT_TRUE(f.tree->isExpanded(colour));
  f.tree->OnCommand(32837);
  EXPECT_FALSE(f.tree->isExpanded(colour));
  EXPECT_TRUE(f.tree->isExpanded(root));
  f.tree->OnCommand(32838);
  f.tree->CollapseAll();
  EXPECT_FALSE(f.tree->isExpanded(colour));
}

TEST(LeftView, TooltipsAndFocusWindow) {
  TreeGuiFixture f;
  EXPECT_EQ(f.Index(f.Node(kRed)).data(Qt::ToolTipRole).toString(),
            "Attribute item. Use small button to call context menu.");
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(f.tree.get(), &out);
  EXPECT_EQ(f.doc->m_focusWindow, f.tree.get());
  EXPECT_EQ(f.ui.traces.back().rfind("TreeView: On Kill Focus from: ", 0), 0u);
}

TEST(LeftView, ShowingOrHidingReferencesKeepsTheOpenMenusAndTheSelection) {
  TreeGuiFixture f;
  f.doc->m_referenceTitles = {"Field guide"};
  f.CloseSizeAndSelectGreen();
  ASSERT_TRUE(RunDocumentCommand(*f.doc, cmd::kShowReferences));
  ASSERT_TRUE(f.tree->Tree().Nodes().IsValid(f.tree->Tree().ReferencesRoot()));
  f.ExpectPlaceKept();
  EXPECT_EQ(f.tree->Model().rowCount(), 2);
  ASSERT_TRUE(RunDocumentCommand(*f.doc, cmd::kShowReferences));
  f.ExpectPlaceKept();
  EXPECT_EQ(f.tree->Tree().ReferencesRoot(), kNoNode) << "hidden references leave the tree";
  EXPECT_EQ(f.tree->Model().rowCount(), 1);
  // Only clearing all marks closes the menus.
  f.doc->OnClearAllMarks();
  EXPECT_FALSE(f.tree->isExpanded(f.Index(f.tree->Tree().Nodes().Parent(f.Node(kGreen)))));
}

TEST(LeftView, SettingAnAttributeForAllItemsEndsAsAStructuralEdit) {
  TreeGuiFixture f;
  // Plum has no colour: its missing-data row stands for the colour menu.
  ClearBit(f.doc->GetItemAttributeBits(kPlum), kBlue);
  f.doc->m_missingData = 1;
  f.doc->UpdateMissingDataBits();
  ASSERT_TRUE(TestBit(f.doc->GetLenientRow(kPlum), kGreen));
  f.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, f.LabelPoint(f.Node(kRed)));
  f.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, f.LabelPoint(f.Node(kRed)));
  const std::size_t pages = f.html.pages.size();
  f.doc->SetModifiedFlag(false);
  f.ui.yesNoAnswers = {true};
  EXPECT_TRUE(f.tree->OnCommand(popup_cmd::kSetForAllItems));
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_FALSE(TestBit(f.doc->GetLenientRow(kPlum), kGreen)) << "the data bits follow";
  EXPECT_GT(f.html.pages.size(), pages) << "the page is made again";
  f.doc->SetModifiedFlag(false);
}
