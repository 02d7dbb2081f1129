// The tree and the item list driven by the keyboard alone: the popup keys,
// Enter on an attribute, and which pane keeps the keys when a page loads.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>

#include "TreeGuiFixture.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/TreeItemDelegate.h"

namespace {

struct KeyboardFixture : TreeGuiFixture {
  KeyboardFixture() {
    list->ListBox().SetPopupRunner([this](QMenu&, const QPoint&) {
      ++listPopups;
      return nullptr;
    });
  }
  void Current(HTREEITEM node) { tree->setCurrentIndex(Index(node)); }
  int listPopups = 0;
};

}  // namespace

TEST(KeyboardTree, ShiftF10AndTheMenuKeyOpenTheTreeAndListPopups) {
  KeyboardFixture f;
  f.Current(f.Node(kRed));
  QTest::keyClick(f.tree.get(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(f.popups, 1);
  EXPECT_NE(std::find(f.lastPopup.begin(), f.lastPopup.end(), "Mark Yes"), f.lastPopup.end())
      << "the mark commands are in the popup the keys open";
  QTest::keyClick(f.tree.get(), Qt::Key_Menu);
  EXPECT_EQ(f.popups, 2);
  QTest::keyClick(&f.list->ListBox(), Qt::Key_F10, Qt::ShiftModifier);
  QTest::keyClick(&f.list->ListBox(), Qt::Key_Menu);
  EXPECT_EQ(f.listPopups, 2);
  QTest::keyClick(f.tree.get(), Qt::Key_F10);
  EXPECT_EQ(f.popups, 2) << "F10 alone is the menu bar's";
}

TEST(KeyboardTree, EnterOnAnAttributeMarksItAsADoubleClickDoes) {
  KeyboardFixture f;
  f.Current(f.Node(kRed));
  QTest::keyClick(f.tree.get(), Qt::Key_Return);
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_YES);
  QTest::keyClick(f.tree.get(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_CLEAR);
}

TEST(KeyboardTree, APageAskedForWithTheTreesKeysHandsThemBackToTheTree) {
  KeyboardFixture f;
  f.Current(f.Node(kRed));
  f.doc->m_focusWindow = static_cast<QWidget*>(&f.list->ListBox());  // the list was used last
  QTest::keyClick(f.tree.get(), Qt::Key_End);
  EXPECT_EQ(f.doc->m_focusWindow, static_cast<QWidget*>(f.tree.get()));
}

TEST(KeyboardTree, TheFocusedNodeIsFramed) {
  KeyboardFixture f;
  CTreeItemDelegate delegate(f.tree->Tree());
  auto paint = [&](QStyle::State state) {
    QImage image(300, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.font = f.tree->font();
    option.state = QStyle::State_Enabled | QStyle::State_Selected | state;
    delegate.paint(&painter, option, f.Index(f.Node(kRed)));
    return image;
  };
  EXPECT_NE(paint(QStyle::State_HasFocus), paint(QStyle::State_None));
}
