// A mark is drawn on its node as soon as it is made, also when it leaves no
// item (the counts then stay as they were) and on a key without items.
#include <gtest/gtest.h>

#include <QPaintEvent>

#include "TreeGuiFixture.h"

namespace {

// Everything the tree's viewport repaints.
struct PaintRecorder : QObject {
  explicit PaintRecorder(QWidget* viewport) { viewport->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
  QRegion painted;
};

// Marks the node by the toolbar's command and returns what was repainted.
QRegion MarkByToolbar(TreeGuiFixture& f, int attribute, int command) {
  f.tree->SelectNode(f.Node(attribute));
  QApplication::processEvents();
  PaintRecorder recorder(f.tree->viewport());
  f.tree->OnCommand(command);
  QApplication::processEvents();
  return recorder.painted;
}

bool Covers(const QRegion& painted, const QRect& row) { return painted.intersected(row) == QRegion(row); }

TEST(TreeMarkRepaint, AMarkThatLeavesNoItemIsDrawnAtOnce) {
  TreeGuiFixture f;
  f.doc->m_missingData = 0;
  MarkByToolbar(f, kRed, cmd::kMarkYes);
  MarkByToolbar(f, kSmall, cmd::kMarkNever);
  ASSERT_EQ(f.doc->m_remainingCount, 1);  // Apple, red and large
  const QRegion painted = MarkByToolbar(f, kLarge, cmd::kMarkNever);
  ASSERT_EQ(f.doc->m_remainingCount, 0);
  EXPECT_EQ(f.Image(kLarge), IMAGE_NEVER);
  EXPECT_TRUE(Covers(painted, f.tree->visualRect(f.Index(f.Node(kLarge))))) << "the marked node is repainted";
}

TEST(TreeMarkRepaint, AMarkOnAKeyWithoutItemsIsDrawnAtOnce) {
  TreeGuiFixture f([] { return MakeSmallKey(false); });
  const QRegion painted = MarkByToolbar(f, kGreen, cmd::kMarkNo);
  EXPECT_EQ(f.Image(kGreen), IMAGE_NO);
  EXPECT_TRUE(Covers(painted, f.tree->visualRect(f.Index(f.Node(kGreen)))));
}

TEST(TreeMarkRepaint, AMarkChosenInThePopupIsDrawnAtOnce) {
  TreeGuiFixture f([] { return MakeSmallKey(false); });
  f.tree->setCurrentIndex(f.Index(f.Node(kLarge)));
  QApplication::processEvents();
  PaintRecorder recorder(f.tree->viewport());
  f.chosen = "Mark Never";
  QTest::keyClick(f.tree.get(), Qt::Key_F10, Qt::ShiftModifier);
  QApplication::processEvents();
  EXPECT_EQ(f.Image(kLarge), IMAGE_NEVER);
  EXPECT_TRUE(Covers(recorder.painted, f.tree->visualRect(f.Index(f.Node(kLarge)))));
}

}  // namespace
