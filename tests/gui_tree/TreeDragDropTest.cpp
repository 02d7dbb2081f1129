// Dragging nodes of the tree with the mouse on its viewport: the drop
// moves them through the drop rules, a menu dropped on a menu of menus
// asks where it goes, a locked database drags nothing, and the drag
// scrolls and opens closed menus on its way.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "TreeGuiFixture.h"
#include "shell/qt/TreeDragDrop.h"

namespace {

enum { kColourMenu = 1, kSizeMenu = 2, kShapeMenu = 3 };

struct DragFixture : TreeGuiFixture {
  DragFixture() {
    // A menu of menus to drop menus into.
    doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, 0, "Shape", {}));
    doc->GetMenu(0).children.push_back(kShapeMenu);
    tree->OnUpdate();
    tree->expandAll();
    QApplication::processEvents();
  }
  HTREEITEM MenuNode(int menu) const { return tree->Tree().FindMenuNode(menu); }
  CTreeDragDrop& Drag() const { return *tree->findChild<CTreeDragDrop*>(); }
  // Press on one node, move past the drag distance, on to the other node.
  void DragOver(HTREEITEM from, const QPoint& to) {
    const QPoint start = LabelPoint(from);
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, start);
    Mouse(QEvent::MouseMove, Qt::LeftButton, start + QPoint(0, QApplication::startDragDistance() + 2));
    Mouse(QEvent::MouseMove, Qt::LeftButton, to);
  }
  void DragTo(HTREEITEM from, HTREEITEM to) {
    DragOver(from, LabelPoint(to));
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, LabelPoint(to));
    QApplication::processEvents();
  }
  std::vector<WORD> Children(int menu) const { return doc->GetMenu(menu).children; }
};

}  // namespace

TEST(TreeDragDrop, AnAttributeDroppedOnAnotherMenuJoinsIt) {
  DragFixture f;
  f.DragOver(f.Node(kBlue), f.LabelPoint(f.MenuNode(kSizeMenu)));
  EXPECT_TRUE(f.Drag().Dragging());
  EXPECT_EQ(f.Drag().DropTarget(), f.MenuNode(kSizeMenu));
  f.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, f.LabelPoint(f.MenuNode(kSizeMenu)));
  EXPECT_FALSE(f.Drag().Dragging());
  QApplication::processEvents();  // the drop follows the view's own end of the press
  EXPECT_EQ(f.Children(kSizeMenu), (std::vector<WORD>{kSmall, kLarge, kBlue}));
  EXPECT_EQ(f.doc->GetAttribute(kBlue).menuIndex, kSizeMenu);
  EXPECT_EQ(f.tree->SelectedNode(), f.Node(kBlue));
  EXPECT_EQ(f.tree->selectionModel()->selectedIndexes(), QModelIndexList{f.Index(f.Node(kBlue))});
  EXPECT_EQ(f.Label(kBlue), "| 1| Blue");  // Plum keeps it
  EXPECT_TRUE(f.doc->IsModified());
  // Onto its own menu it becomes the first attribute.
  f.DragTo(f.Node(kBlue), f.MenuNode(kSizeMenu));
  EXPECT_EQ(f.Children(kSizeMenu), (std::vector<WORD>{kBlue, kSmall, kLarge}));
}

TEST(TreeDragDrop, AMenuOnAMenuOfMenusAsksWhereItGoes) {
  DragFixture f;
  f.DragTo(f.MenuNode(kColourMenu), f.MenuNode(kShapeMenu));  // the question is dismissed
  EXPECT_EQ(f.lastPopup, (std::vector<std::string>{"insert as submenu", "place after"}));
  EXPECT_EQ(f.Children(0), (std::vector<WORD>{kColourMenu, kSizeMenu, kShapeMenu}));
  EXPECT_FALSE(f.doc->IsModified());
  f.chosen = "insert as submenu";
  f.DragTo(f.MenuNode(kColourMenu), f.MenuNode(kShapeMenu));
  EXPECT_EQ(f.Children(kShapeMenu), std::vector<WORD>{kColourMenu});
  EXPECT_EQ(f.Children(0), (std::vector<WORD>{kSizeMenu, kShapeMenu}));
  EXPECT_EQ(f.tree->Tree().Nodes().Parent(f.MenuNode(kColourMenu)), f.MenuNode(kShapeMenu));
  f.chosen = "place after";
  f.DragTo(f.MenuNode(kSizeMenu), f.MenuNode(kShapeMenu));
  EXPECT_EQ(f.Children(0), (std::vector<WORD>{kShapeMenu, kSizeMenu}));
  EXPECT_EQ(f.popups, 3);
}

TEST(TreeDragDrop, RefusedDropsSayWhyAndALockedDatabaseDragsNothing) {
  DragFixture f;
  f.DragTo(f.Node(kRed), f.Node(kRed));
  EXPECT_EQ(f.ui.Messages(), std::vector<std::string>{"An item can't be dropped onto itself"});
  f.DragTo(f.MenuNode(kColourMenu), f.Node(kGreen));
  EXPECT_EQ(f.ui.Messages().back(), "An item can't be dropped onto one of its children");
  EXPECT_FALSE(f.doc->IsModified());

  // A press on a node's icon opens its popup: that press drags nothing.
  const QRect blue = f.tree->visualRect(f.Index(f.Node(kBlue)));
  f.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, {blue.left() + 8, blue.center().y()});
  EXPECT_EQ(f.popups, 1);
  f.Mouse(QEvent::MouseMove, Qt::LeftButton, f.LabelPoint(f.MenuNode(kSizeMenu)));
  EXPECT_FALSE(f.Drag().Dragging());
  f.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, f.LabelPoint(f.MenuNode(kSizeMenu)));

  f.doc->m_header.lockWord = 0;
  f.DragOver(f.Node(kBlue), f.LabelPoint(f.MenuNode(kSizeMenu)));
  EXPECT_FALSE(f.Drag().Dragging());
  f.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, f.LabelPoint(f.MenuNode(kSizeMenu)));
  EXPECT_EQ(f.Children(kColourMenu), (std::vector<WORD>{kRed, kGreen, kBlue}));
  EXPECT_FALSE(f.doc->IsModified());
}

TEST(TreeDragDrop, RestingOnAClosedMenuOpensItAndTheEdgesScroll) {
  DragFixture f;
  f.tree->collapse(f.Index(f.MenuNode(kSizeMenu)));
  f.DragOver(f.Node(kRed), f.LabelPoint(f.MenuNode(kSizeMenu)));
  EXPECT_TRUE(QTest::qWaitFor([&] { return f.tree->isExpanded(f.Index(f.MenuNode(kSizeMenu))); }));
  const QPoint belowTheRows(60, f.tree->viewport()->height() - 5);
  ASSERT_FALSE(f.tree->indexAt(belowTheRows).isValid());
  f.Mouse(QEvent::MouseMove, Qt::LeftButton, belowTheRows);
  EXPECT_EQ(f.Drag().DropTarget(), kNoNode);
  f.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, belowTheRows);  // over no node: nothing
  EXPECT_EQ(f.Children(kColourMenu), (std::vector<WORD>{kRed, kGreen, kBlue}));

  f.tree->resize(300, 110);  // a few rows: the tree scrolls
  QApplication::processEvents();
  QScrollBar* bar = f.tree->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(0);
  const int bottom = f.tree->viewport()->height() - 10;
  f.DragOver(f.Node(kRed), {60, bottom});
  EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() >= 2; }));
  f.Mouse(QEvent::MouseMove, Qt::LeftButton, {60, 10});
  const int down = bar->value();
  EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() < down; }));
  f.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {60, 10});
  EXPECT_FALSE(f.Drag().Dragging());
}
