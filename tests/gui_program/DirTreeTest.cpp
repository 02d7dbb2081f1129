// The folder tree of the open dialog on a temporary folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "ProgramTestSupport.h"
#include "shell/qt/DirTreeCtrl.h"
#include "shell/qt/DlgQOROpen.h"

using namespace program_test;

namespace {

class DirTreeTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteDatabase(Folder() / "good.qor", "Good key");
    WriteDatabase(Folder() / "Locked.QOR", "Locked key", true);
    WriteBytes(Folder() / "damaged.qor", std::string("\x05\x00\x01\x02", 4));
    WriteBytes(Folder() / "notes.txt", "not a database");
    std::filesystem::create_directory(Folder() / "empty folder");
    std::filesystem::create_directory(Folder() / "Keys");
    m_tree.SetRoots({m_folder.path()}, m_folder.path());
    m_tree.DisplayTree(true);
  }

  QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i)
      if (parent->child(i)->text(0) == text) return parent->child(i);
    return nullptr;
  }

  QStringList Texts(QTreeWidgetItem* parent) {
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i) texts << parent->child(i)->text(0);
    return texts;
  }

  QTreeWidgetItem* Root() { return m_tree.FindChild(m_tree.DrivesItem(), m_folder.path() + "/"); }

  CDirTreeCtrl m_tree;
};

}  // namespace

TEST_F(DirTreeTest, TopLevelHasDrivesAndDesktopWithExpandButtons) {
  EXPECT_EQ(m_tree.topLevelItemCount(), 2);
  EXPECT_EQ(m_tree.DrivesItem()->text(0), "Drives");
  EXPECT_EQ(m_tree.DrivesItem()->childCount(), 1);  // the placeholder
  EXPECT_EQ(m_tree.GetFullPath(m_tree.DrivesItem()->child(0)), "");
  m_tree.DrivesItem()->setExpanded(true);
  ASSERT_NE(Root(), nullptr);
  EXPECT_EQ(m_tree.GetFullPath(Root()), m_folder.path() + "/");
}

TEST_F(DirTreeTest, DatabasesShowTitlesColouredByLockAndStandSortedWithFolders) {
  ASSERT_TRUE(m_tree.SetSelPath(m_folder.path()));
  QTreeWidgetItem* folder = m_tree.currentItem();
  ASSERT_EQ(folder, Root());
  EXPECT_EQ(Texts(folder), QStringList({"empty folder", "error\\damaged.qor", "Good key\\good.qor", "Keys",
                                        "Locked key\\Locked.QOR"}));
  QTreeWidgetItem* good = Child(folder, "Good key\\good.qor");
  QTreeWidgetItem* locked = Child(folder, "Locked key\\Locked.QOR");
  QTreeWidgetItem* damaged = Child(folder, "error\\damaged.qor");
  ASSERT_TRUE(good && locked && damaged);
  EXPECT_EQ(good->foreground(0).color(), QColor(0, 0, 255));
  EXPECT_EQ(locked->foreground(0).color(), QColor(255, 0, 0));
  EXPECT_EQ(damaged->foreground(0).color(), QColor(255, 0, 0));
  EXPECT_EQ(m_tree.Descriptions()[m_tree.DescriptionIndex(good)], "Description of Good key");
  EXPECT_EQ(m_tree.Descriptions()[m_tree.DescriptionIndex(damaged)], "Error reading file: ");
  EXPECT_EQ(m_tree.LockFlags()[m_tree.DescriptionIndex(good)], 1);
  EXPECT_EQ(m_tree.LockFlags()[m_tree.DescriptionIndex(locked)], 0);
  // Files keep their full path without a final separator, folders with one.
  EXPECT_EQ(m_tree.GetFullPath(good), m_folder.filePath("good.qor"));
  EXPECT_EQ(m_tree.GetFullPath(Child(folder, "Keys")), m_folder.filePath("Keys") + "/");
  EXPECT_EQ(good->childCount(), 0);
}

TEST_F(DirTreeTest, AnEmptyFolderOpensWithoutABlankRowAndCollapseForgetsChildren) {
  ASSERT_TRUE(m_tree.SetSelPath(m_folder.path()));
  QTreeWidgetItem* empty = Child(Root(), "empty folder");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->childCount(), 1) << "an unread folder offers to open";
  m_tree.setCurrentItem(empty);
  QTest::keyClick(&m_tree, Qt::Key_Right);
  EXPECT_TRUE(empty->isExpanded());
  EXPECT_EQ(empty->childCount(), 0);
  QTreeWidgetItem* root = Root();
  const std::size_t listed = m_tree.Descriptions().size();
  m_tree.setCurrentItem(root);
  QTest::keyClick(&m_tree, Qt::Key_Left);
  EXPECT_FALSE(root->isExpanded());
  EXPECT_EQ(root->childCount(), 1);
  QTest::keyClick(&m_tree, Qt::Key_Right);
  EXPECT_EQ(root->childCount(), 5);
  EXPECT_EQ(m_tree.Descriptions().size(), listed + 3);  // the descriptions only grow
}

TEST_F(DirTreeTest, SetSelPathFailsOnAMissingFolder) {
  EXPECT_FALSE(m_tree.SetSelPath(m_folder.filePath("no such folder")));
}

TEST_F(DirTreeTest, SelectFirstDatabaseFindsTheFirstDatabaseAboveTheFolder) {
  m_tree.SelectFirstDatabase(m_folder.filePath("Keys"));
  ASSERT_NE(m_tree.currentItem(), nullptr);
  EXPECT_EQ(m_tree.currentItem()->text(0), "error\\damaged.qor");
}

TEST_F(DirTreeTest, OnlyDatabaseFilesAreValid) {
  EXPECT_TRUE(m_tree.IsValidFile("a.qor"));
  EXPECT_TRUE(m_tree.IsValidFile("B.QoR"));
  EXPECT_FALSE(m_tree.IsValidFile("a.qorx"));
  EXPECT_FALSE(m_tree.IsValidFile("qor"));
}

TEST_F(DirTreeTest, DialogShowsTheDescriptionAndPreviewsThePageOrTheFallback) {
  CDlgQOROpen dialog([](const std::string&) { return false; });
  dialog.SetPreviewEnabled(false);
  dialog.OnInitDialog();
  CDirTreeCtrl* tree = dialog.Tree();
  ASSERT_TRUE(tree->SetSelPath(m_folder.path()));
  QTreeWidgetItem* folder = tree->currentItem();
  QTreeWidgetItem* good = nullptr;
  for (int i = 0; i < folder->childCount(); ++i)
    if (folder->child(i)->text(0) == "Good key\\good.qor") good = folder->child(i);
  ASSERT_NE(good, nullptr);
  tree->setCurrentItem(good);
  EXPECT_EQ(dialog.Description(), "Description of Good key");
  // The save wrote the database page beside the database.
  EXPECT_EQ(dialog.PreviewPath(), m_folder.filePath("good.htm"));
  const QString before = dialog.PreviewPath();
  tree->setCurrentItem(folder);  // a folder without "." keeps the preview
  EXPECT_EQ(dialog.PreviewPath(), before);
  EXPECT_EQ(dialog.Description(), "Empty");
}

TEST_F(DirTreeTest, DatabaseNearTheProgramIsFoundBelowThenAboveWithinBounds) {
  namespace fs = std::filesystem;
  const fs::path program = Folder() / "Keys" / "bin";
  fs::create_directories(program / "a" / "b" / "c" / "d" / "e");
  WriteDatabase(program / "a" / "b" / "c" / "d" / "e" / "deep.qor", "Deep");
  // Below the program folder: too deep to be looked for.
  EXPECT_EQ(CDlgQOROpen::FindDatabaseNear(program, 0), fs::path());
  WriteDatabase(program / "a" / "near.qor", "Near");
  EXPECT_EQ(CDlgQOROpen::FindDatabaseNear(program, 0), program / "a" / "near.qor");
  // Above it: the temporary folder itself holds databases, two levels up.
  fs::remove(program / "a" / "near.qor");
  const fs::path found = CDlgQOROpen::FindDatabaseNear(program, 2);
  EXPECT_EQ(found.parent_path(), Folder());
}

TEST_F(DirTreeTest, ADatabaseInTheFolderItselfWinsOverThoseInItsSubfolders) {
  namespace fs = std::filesystem;
  const fs::path keys = Folder() / "Keys";
  for (int i = 0; i < 8; ++i) {
    const fs::path sub = keys / ("sub" + std::to_string(i));
    fs::create_directories(sub);
    WriteDatabase(sub / "inner.qor", "Inner");
  }
  WriteDatabase(keys / "top.qor", "Top");
  EXPECT_EQ(CDlgQOROpen::FindDatabaseNear(keys, 0), keys / "top.qor");
  // Without one of its own, a subfolder's database is the answer.
  fs::remove(keys / "top.qor");
  EXPECT_EQ(CDlgQOROpen::FindDatabaseNear(keys, 0).filename(), "inner.qor");
}

TEST_F(DirTreeTest, ALongDatabaseEntryCanBeReadWholeByScrollingAndInItsTooltip) {
  const std::string title = "Common garden birds of the northern temperate woodlands, hedgerows and parks";
  WriteDatabase(Folder() / "garden birds.qor", title);
  CDlgQOROpen dialog([](const std::string&) { return false; });
  dialog.SetPreviewEnabled(false);
  dialog.show();
  CDirTreeCtrl* tree = dialog.Tree();
  tree->SetRoots({m_folder.path()}, m_folder.path());
  tree->DisplayTree(true);
  ASSERT_TRUE(tree->SetSelPath(m_folder.path()));
  QTreeWidgetItem* garden = Child(tree->currentItem(), CDirTreeCtrl::DatabaseText(title, "garden birds.qor"));
  ASSERT_NE(garden, nullptr);
  tree->setCurrentItem(garden);
  Pump();
  const QString text = garden->text(0);
  const int textWidth = tree->fontMetrics().horizontalAdvance(text);
  ASSERT_GT(textWidth, tree->viewport()->width());  // the entry is wider than the tree
  const QModelIndex index = tree->currentIndex();
  EXPECT_GE(tree->visualRect(index).width(), textWidth + tree->iconSize().width());
  // The wheel turned sideways brings the end of the entry into sight.
  QScrollBar* bar = tree->horizontalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  for (int turn = 0; turn < 50 && bar->value() < bar->maximum(); ++turn) {
    const QPointF at = tree->viewport()->rect().center();
    QWheelEvent wheel(at, tree->viewport()->mapToGlobal(at), {}, {-120, 0}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(tree->viewport(), &wheel);
  }
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_LE(tree->visualRect(index).right(), tree->viewport()->width());
  // Resting the mouse on the entry shows it whole.
  const QPoint on = tree->visualRect(index).center();
  QHelpEvent help(QEvent::ToolTip, on, tree->viewport()->mapToGlobal(on));
  QApplication::sendEvent(tree->viewport(), &help);
  EXPECT_EQ(QToolTip::text().toStdString(), text.toStdString());
}
