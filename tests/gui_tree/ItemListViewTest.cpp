#include <gtest/gtest.h>

#include "TreeGuiFixture.h"
#include <QScrollBar>

#include "shell/qt/ItemListModel.h"

TEST(ItemListView, RowsAndCaptionFollowAMark) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  EXPECT_EQ(box.model()->rowCount(), 5);
  EXPECT_EQ(f.list->CaptionText().toStdString(), f.doc->GetCommonLabel() + " 5 / 5");
  f.tree->SelectNode(f.Node(kGreen));
  f.tree->OnMarkYes();
  EXPECT_EQ(f.list->CaptionText().toStdString(), f.doc->GetCommonLabel() + " 2 / 5");
  EXPECT_EQ(box.GetItemAtRow(0), kLime);
  EXPECT_EQ(box.GetItemAtRow(1), kPine);
  EXPECT_EQ(box.GetItemAtRow(2), kApple);
  EXPECT_EQ(box.SelectedRow(), 0);
}

TEST(ItemListView, UserSelectionShowsTheItemPageProgrammaticDoesNot) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  const std::size_t before = f.html.pages.size();
  box.SelectItem(kPlum);
  EXPECT_EQ(f.html.pages.size(), before);
  EXPECT_EQ(box.SelectedRow(), 4);
  box.setCurrentIndex(box.model()->index(1, 0));
  EXPECT_EQ(f.doc->m_reportKind, kReportItemDescription);
  EXPECT_EQ(f.doc->m_reportArgument, kCherry);
  EXPECT_GT(f.html.pages.size(), before);
  EXPECT_EQ(f.doc->m_focusWindow, &box);
}

TEST(ItemListView, TypeAheadSelectsWithoutAPage) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  const std::size_t before = f.html.pages.size();
  f.Key(&box, Qt::Key_P, "p");
  EXPECT_EQ(box.SelectedRow(), 3);
  f.Key(&box, Qt::Key_L, "l");
  EXPECT_EQ(box.SelectedRow(), 4);
  EXPECT_EQ(f.html.pages.size(), before);
}

TEST(ItemListView, MarkWithNoSelectedRowGoesOn) {
  TreeGuiFixture f;
  f.list->ListBox().selectionModel()->clear();
  f.tree->SelectNode(f.Node(kRed));
  f.tree->OnMarkYes();
  EXPECT_EQ(f.doc->GetAttributeMark(kRed), MARK_YES);
  for (const auto& text : f.ui.Messages()) EXPECT_NE(text, "Wrong item index");
}

TEST(ItemListView, ContextMenuOffersOnlyExistingCommands) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  auto texts = [&](const QPoint& at) {
    std::vector<std::string> result;
    const auto menu = box.BuildContextMenu(at);
    for (QAction* action : menu->actions()) result.push_back(action->text().toStdString());
    return result;
  };
  EXPECT_TRUE(texts(box.visualRect(box.model()->index(0, 0)).center()).empty());
  EXPECT_EQ(texts({5, box.viewport()->height() - 2}), std::vector<std::string>{"View image/description"});
  f.list->AddCommandHandler(32817, [] {});
  EXPECT_EQ(texts(box.visualRect(box.model()->index(0, 0)).center()), std::vector<std::string>{"Toggle eliminated"});
}

TEST(ItemListView, ItemCommandsWithoutAnItemDoNothing) {
  TreeGuiFixture f;
  std::vector<int> items;
  f.list->AddItemCommandHandler(32817, [&](int item) { items.push_back(item); });
  f.list->SelectRow(2);
  EXPECT_TRUE(f.list->OnCommand(32817));
  f.list->ListBox().selectionModel()->clear();
  EXPECT_TRUE(f.list->OnCommand(32817));
  EXPECT_EQ(items, std::vector<int>{kLime});
}

TEST(ItemListView, ScrollingKeepsTheSelectionOnScreen) {
  auto doc = MakeSmallKey();
  for (int i = 5; i < 60; ++i) AddFruit(*doc, i, "Zfruit" + std::to_string(i));
  CBitMatrix(doc->AttributeCount(), doc->ItemCount()).BuildBlocks(doc->m_dataBlocks);
  Evaluate(*doc);
  ScriptedUi ui;
  CItemListView list(*doc);
  list.resize(200, 150);
  list.show();
  QApplication::processEvents();
  CItemListBox& box = list.ListBox();
  box.SelectRow(0);
  box.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  QApplication::processEvents();
  const int first = box.indexAt(QPoint(1, 1)).row();
  EXPECT_GT(first, 0);
  EXPECT_EQ(box.SelectedRow(), first);
}
