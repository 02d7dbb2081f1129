// Where the user is in the tree after using it: typing a name, clearing all
// marks, answering the question of a delete, and where the keyboard's popup
// opens.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include "TreeGuiFixture.h"
#include "shell/PopupCommandIds.h"

namespace {

constexpr int kSizeMenu = 2;

// The letters of one test are typed in quick succession however slow the
// machine runs.
struct TypeAheadFixture : TreeGuiFixture {
  TypeAheadFixture() : interval(QApplication::keyboardInputInterval()) {
    QApplication::setKeyboardInputInterval(60000);
  }
  ~TypeAheadFixture() { QApplication::setKeyboardInputInterval(interval); }
  int interval;
};

TEST(TreeTypeAhead, TypingFindsAttributesByTheirNamesNotTheirCounts) {
  TypeAheadFixture f;
  f.tree->SelectNode(f.Node(kRed));
  QTest::keyClicks(f.tree.get(), "Gr");
  EXPECT_EQ(f.tree->SelectedNode(), f.Node(kGreen));
  EXPECT_EQ(f.doc->m_reportKind, kReportAttribute) << "a move by the keys shows the node's page";
}

TEST(TreeTypeAhead, TheTypedLettersAddUpAndIgnoreLetterCase) {
  TypeAheadFixture f;
  f.tree->SelectNode(f.tree->Tree().MenuRoot());
  QTest::keyClicks(f.tree.get(), "s");
  EXPECT_EQ(f.tree->SelectedNode(), f.tree->Tree().FindMenuNode(kSizeMenu));
  QTest::keyClicks(f.tree.get(), "m");
  EXPECT_EQ(f.tree->SelectedNode(), f.Node(kSmall));
}

TEST(TreeTypeAhead, TheSameLetterAgainGoesToTheNextNameWithItAndWrapsAround) {
  TypeAheadFixture f;
  f.tree->SelectNode(f.tree->Tree().MenuRoot());
  const HTREEITEM size = f.tree->Tree().FindMenuNode(kSizeMenu);
  QTest::keyClicks(f.tree.get(), "ss");
  EXPECT_EQ(f.tree->SelectedNode(), f.Node(kSmall));
  QTest::keyClicks(f.tree.get(), "s");
  EXPECT_EQ(f.tree->SelectedNode(), size) << "past the last name with the letter, the first again";
}

TEST(TreeClearAllMarks, TheCollapsedTreeShowsItsRootAndScrollsNoFurther) {
  TreeGuiFixture f;
  f.tree->resize(400, 100);
  QApplication::processEvents();
  // A link to the last menu brings it to the top, with room below it.
  f.tree->SelectMenuNode(kSizeMenu, true);
  QApplication::processEvents();
  ASSERT_GT(f.tree->verticalScrollBar()->value(), 0);
  f.doc->OnClearAllMarks();
  QApplication::processEvents();
  const QModelIndex root = f.Index(f.tree->Tree().MenuRoot());
  EXPECT_FALSE(f.tree->isExpanded(f.Index(f.tree->Tree().FindMenuNode(kSizeMenu))));
  EXPECT_EQ(f.tree->verticalScrollBar()->value(), 0);
  EXPECT_EQ(f.tree->verticalScrollBar()->maximum(), 0) << "three rows fit: nothing to scroll";
  EXPECT_TRUE(f.tree->viewport()->rect().contains(f.tree->visualRect(root)));
}

struct FocusFixture : TreeGuiFixture {
  FocusFixture() {
    tree->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(tree.get()));
    tree->setFocus();
    // The user chose an item in the list before coming back to the tree.
    doc->m_focusWindow = static_cast<QWidget*>(&list->ListBox());
  }
  void DeleteByPopup(HTREEITEM node) {
    chosen = "Delete";
    tree->setCurrentIndex(Index(node));
    QTest::keyClick(tree.get(), Qt::Key_Menu);
    QApplication::processEvents();
  }
  bool KeysStayInTheTree() const {
    return QApplication::focusWidget() == tree.get() && doc->m_focusWindow == static_cast<QWidget*>(tree.get());
  }
};

TEST(TreeDeleteQuestion, TheKeysStayInTheTreeWhateverTheAnswer) {
  for (bool answer : {false, true}) {
    FocusFixture f;
    f.ui.yesNoAnswers = {answer};
    f.DeleteByPopup(f.Node(kBlue));
    ASSERT_EQ(f.ui.shown.back().text, "Are you sure");
    EXPECT_TRUE(f.KeysStayInTheTree()) << "attribute, answer " << answer;
    f.doc->SetModifiedFlag(false);
  }
  for (bool answer : {false, true}) {
    FocusFixture f;
    f.ui.yesNoAnswers = {answer};
    f.DeleteByPopup(f.tree->Tree().FindMenuNode(kSizeMenu));
    EXPECT_TRUE(f.KeysStayInTheTree()) << "menu, answer " << answer;
    f.doc->SetModifiedFlag(false);
  }
}

TEST(TreeKeyboardPopup, OpensAtTheNodesTextInsideTheTree) {
  TreeGuiFixture f;
  // One long name widens the tree's only column far past its pane.
  f.doc->GetAttribute(kBlue).name = std::string(300, 'w');
  f.tree->RefreshTree();
  QApplication::processEvents();
  ASSERT_GT(f.tree->header()->sectionSize(0), 2 * f.tree->viewport()->width());
  QPoint opened;
  f.tree->SetPopupRunner([&](QMenu&, const QPoint& at) {
    opened = f.tree->viewport()->mapFromGlobal(at);
    return nullptr;
  });
  f.tree->setCurrentIndex(f.Index(f.Node(kRed)));
  QTest::keyClick(f.tree.get(), Qt::Key_F10, Qt::ShiftModifier);
  const QRect row = f.tree->visualRect(f.Index(f.Node(kRed)));
  QStyleOptionViewItem option;
  option.font = f.tree->font();
  const int textEnd = row.left() + f.tree->itemDelegate()->sizeHint(option, f.Index(f.Node(kRed))).width();
  EXPECT_TRUE(f.tree->viewport()->rect().contains(opened)) << opened.x() << "," << opened.y();
  EXPECT_GE(opened.x(), row.left());
  EXPECT_LE(opened.x(), textEnd);
  EXPECT_EQ(opened.y(), row.center().y());
}

}  // namespace
