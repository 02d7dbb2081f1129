// The panes refresh only what a change touched. After every mark, forgiveness
// change and switch of "Allow Missing Data", driven through the real widgets,
// what they show must be what a refresh from scratch shows: the same rows in
// the same order, labels and images, the selection, and on screen the same
// pixels as a fresh paint of every pane.
#include <gtest/gtest.h>

#include <QScreen>
#include <QScrollBar>
#include <string>
#include <utility>
#include <vector>

#include "TreeGuiFixture.h"
#include "bench/GeneratedDatabase.h"

namespace {

using NodeLook = std::pair<std::string, int>;  // label and image

// The label and image of every node below `node`, in the tree's order.
void CollectNodes(const CMenuTree& tree, HTREEITEM node, std::vector<NodeLook>& looks) {
  for (HTREEITEM child : tree.Nodes().Children(node)) {
    looks.emplace_back(tree.GetNodeLabel(child), tree.Nodes().Image(child));
    CollectNodes(tree, child, looks);
  }
}

std::vector<NodeLook> NodesOf(const CMenuTree& tree) {
  std::vector<NodeLook> looks;
  CollectNodes(tree, kNoNode, looks);
  return looks;
}

// The items of the rows, as the list's model gives them to its view.
std::vector<int> ModelRows(const CItemListBox& box) {
  std::vector<int> rows;
  for (int row = 0; row < box.model()->rowCount(); ++row)
    rows.push_back(box.model()->index(row, 0).data(Qt::UserRole).toInt());
  return rows;
}

QImage OnScreen(QWidget& window) {
  return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage FreshPaint(QWidget& window) { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

struct IncrementalPanes : TreeGuiFixture {
  IncrementalPanes() : TreeGuiFixture(OpenedKey) {}

  // A generated key with its states and counts worked out, as opening a file leaves them.
  static std::unique_ptr<CZAVDoc> OpenedKey() {
    auto key = MakeGeneratedDatabase(400, 90, 10, 0.3, 11);
    key->ResetItemStates(false);
    key->UpdateRemainingItems();
    key->UpdateAttributeCounts();
    return key;
  }

  int Attribute(int menu, int child) const { return doc->GetMenu(menu).children[child]; }

  // The user clicks the attribute's node and chooses the mark from its popup
  // opened by the menu key.
  void MarkByKeyboard(int attribute, const std::string& mark) {
    const HTREEITEM node = Node(attribute);
    tree->scrollTo(Index(node));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, LabelPoint(node));
    ASSERT_EQ(tree->SelectedNode(), node);
    const int treeScroll = tree->verticalScrollBar()->value();
    chosen = mark;
    QTest::keyClick(tree.get(), Qt::Key_Menu);
    chosen.clear();
    QApplication::processEvents();
    EXPECT_EQ(tree->verticalScrollBar()->value(), treeScroll) << "a mark keeps the tree where it was";
  }

  // The selected list row must show the item remembered before the change
  // when that item still remains, else the first row; it stays on screen.
  void ExpectSelectionAfterChange(int remembered) {
    CItemListBox& box = list->ListBox();
    const int expected =
        remembered >= 0 && doc->IsItemRemaining(remembered) ? box.Rows().RowsOfItem(remembered).front() : 0;
    EXPECT_EQ(box.SelectedRow(), expected);
    EXPECT_TRUE(box.viewport()->rect().intersects(box.visualRect(box.model()->index(expected, 0))));
  }

  // What the panes show now against a refresh from scratch of the same
  // document: counts over every item, a tree built anew, rows filled anew.
  void ExpectSameAsFullRefresh(const char* step) {
    SCOPED_TRACE(step);
    QApplication::processEvents();
    EXPECT_EQ(OnScreen(*list), FreshPaint(*list)) << "the item list on screen is stale";
    EXPECT_EQ(OnScreen(*tree), FreshPaint(*tree)) << "the tree on screen is stale";
    const std::vector<NodeLook> shown = NodesOf(tree->Tree());
    const std::vector<int> rows = ModelRows(list->ListBox());

    doc->InvalidateCountBasis();
    doc->AttachViews(&html, nullptr, nullptr);  // the fresh tree must not refill the list under test
    CMenuTree fresh(*doc);
    fresh.OnInitialUpdate();
    doc->AttachViews(&html, tree.get(), list.get());
    CItemListRows freshRows;
    freshRows.FillRows(*doc);

    EXPECT_EQ(shown, NodesOf(fresh));
    EXPECT_EQ(rows, freshRows.Rows());
    EXPECT_EQ(list->ListBox().Rows().Rows(), freshRows.Rows());
    EXPECT_EQ(list->CaptionText().toStdString(), CItemListRows::Caption(*doc));
  }
};

TEST(IncrementalPanes, EveryChangeShowsWhatAFullRefreshShows) {
  IncrementalPanes f;
  CItemListBox& box = f.list->ListBox();
  f.ExpectSameAsFullRefresh("opened");

  f.MarkByKeyboard(f.Attribute(1, 0), "Mark Yes");
  f.ExpectSameAsFullRefresh("first mark");
  f.ExpectSelectionAfterChange(-1);

  // The user picks a row further down by keyboard; the next mark keeps it
  // while its item remains.
  box.setFocus();
  for (int i = 0; i < 5; ++i) QTest::keyClick(&box, Qt::Key_Down);
  const int picked = box.Rows().ItemOrNone(box.SelectedRow());
  ASSERT_GE(picked, 0);
  f.MarkByKeyboard(f.Attribute(3, 1), "Mark No");
  f.ExpectSameAsFullRefresh("second mark");
  f.ExpectSelectionAfterChange(picked);

  f.doc->SetForgivenessLevel(1);
  f.ExpectSameAsFullRefresh("forgiveness -1");

  f.MarkByKeyboard(f.Attribute(5, 2), "Mark Yes");
  f.ExpectSameAsFullRefresh("mark with forgiveness");

  f.doc->OnAllowMissingData();
  f.ExpectSameAsFullRefresh("missing data allowed");

  f.MarkByKeyboard(f.Attribute(1, 0), "Mark Clear");
  f.ExpectSameAsFullRefresh("clear with missing data");

  f.doc->OnAllowMissingData();
  f.doc->SetForgivenessLevel(0);
  f.ExpectSameAsFullRefresh("missing data and forgiveness off");

  f.MarkByKeyboard(f.Attribute(3, 1), "Mark Clear");
  f.MarkByKeyboard(f.Attribute(5, 2), "Mark Clear");
  f.ExpectSameAsFullRefresh("all cleared");
  EXPECT_EQ(f.doc->m_remainingCount, f.doc->ItemCount());
}

}  // namespace
