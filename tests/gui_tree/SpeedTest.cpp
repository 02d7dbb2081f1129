// The tree and the item list at the size limits (32000 items x 16000
// attributes): one mark through the real panes, a fill of the item list, and
// copy and paste of a menu of 2000 attributes.
// The times are printed for the record; the targets live in bench/.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>

#include "TreeGuiFixture.h"
#include "bench/qt/LimitPanes.h"

TEST(Limits, MarkAndListFillAtTheLimits) {
  LimitPanes panes(2000);
  CZAVDoc* doc = panes.doc.get();
  CLeftView& tree = *panes.tree;
  CItemListView& list = *panes.list;
  doc->InstallReportDriver();
  doc->m_reportKind = kReportItemDescription;
  tree.SetCtrlQuery([] { return false; });
  const HTREEITEM node = tree.Tree().FindAttributeNode(doc->GetMenu(10).children[0]);
  tree.SelectNode(node);
  QApplication::processEvents();

  QElapsedTimer timer;
  timer.start();
  list.FillList();
  QApplication::processEvents();
  const qint64 fill = timer.elapsed();

  timer.restart();
  tree.OnMarkYes();
  QApplication::processEvents();
  const qint64 mark = timer.elapsed();
  std::printf("item list fill of %d rows: %lld ms; one mark: %lld ms\n", list.ListBox().model()->rowCount(),
              static_cast<long long>(fill), static_cast<long long>(mark));
  EXPECT_EQ(doc->GetAttributeMark(doc->GetMenu(10).children[0]), MARK_YES);
  EXPECT_GT(doc->m_remainingCount, 0);
  EXPECT_LT(doc->m_remainingCount, 32000);  // ~10% density: the YES mark eliminates most items
}

// Copy and paste of a menu of 2000 attributes through the real tree, the
// clipboard and the item list; the target of 100 ms each is kept in
// bench/TreeClipboardBench; here the times are only printed, never asserted.
TEST(Limits, CopyAndPasteOfAMenuOf2000Attributes) {
  LimitPanes panes(9);
  CZAVDoc* doc = panes.doc.get();
  CLeftView& tree = *panes.tree;
  CMenuTree& core = tree.Tree();
  tree.SelectNode(core.FindMenuNode(1));
  QApplication::processEvents();

  panes.ui.yesNoAnswers = {true};  // its items' data may go
  QElapsedTimer timer;
  timer.start();
  tree.OnCommand(cmd::kEditCut);  // frees room below the attribute limit
  QApplication::processEvents();
  const qint64 cut = timer.restart();
  tree.SelectNode(core.MenuRoot());
  tree.OnCommand(cmd::kEditPaste);
  QApplication::processEvents();
  const qint64 paste = timer.restart();
  tree.OnCommand(cmd::kEditCopy);
  QApplication::processEvents();
  const qint64 copy = timer.elapsed();
  std::printf("menu of 2000 attributes: cut %lld ms, paste %lld ms, copy %lld ms\n", static_cast<long long>(cut),
              static_cast<long long>(paste), static_cast<long long>(copy));
  const HTREEITEM pasted = core.Nodes().Children(core.MenuRoot()).back();
  EXPECT_EQ(tree.SelectedNode(), pasted);
  EXPECT_EQ(core.Nodes().Children(pasted).size(), 2000u);
  EXPECT_EQ(doc->GetMenu(0).children.size(), 8u);
}
