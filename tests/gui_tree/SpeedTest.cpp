// The tree and the item list at the size limits (32000 items x 16000
// attributes): one mark through the real panes, and a fill of the item list.
// The times are printed for the record; the targets live in bench/TreeBench.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>

#include "TreeGuiFixture.h"
#include "bench/GeneratedDatabase.h"

TEST(Limits, MarkAndListFillAtTheLimits) {
  ScriptedUi ui;
  auto doc = MakeGeneratedDatabase(32000, 16000, 2000, 0.10, 7);
  doc->ResetItemStates(false);
  doc->UpdateRemainingItems();
  RecordingHtml html;
  CLeftView tree(*doc);
  CItemListView list(*doc);
  doc->AttachViews(&html, &tree, &list);
  doc->InstallReportDriver();
  doc->m_reportKind = kReportItemDescription;
  tree.resize(400, 600);
  list.resize(300, 300);
  tree.show();
  list.show();
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
  doc->AttachViews(nullptr, nullptr, nullptr);
}
