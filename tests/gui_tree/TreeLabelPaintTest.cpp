// The count part of a menu's label, painted blue over the label, stands where
// the label has it whatever letters the menu's title holds.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <functional>

#include "TreeGuiFixture.h"

namespace {

constexpr int kColourMenu = 1;

// Plum loses its colour, so with missing data allowed the colour menu counts 4 of 5.
void CountColourDataOnly(TreeGuiFixture& f, const std::string& title) {
  f.doc->GetMenu(kColourMenu).title = title;
  ClearBit(f.doc->GetItemAttributeBits(kPlum), kBlue);
  f.doc->m_missingData = 1;
  f.doc->UpdateMissingDataBits();
  Evaluate(*f.doc);
  f.tree->RefreshTree();
  QApplication::processEvents();
}

QFont ArialOf(const QFont& base) {
  QFont font = base;
  font.setFamily("Arial");
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  return font;
}

// The first and last column of the row with a pure blue pixel, the colour of the count part alone.
std::pair<int, int> BlueColumns(const QImage& row) {
  int first = -1, last = -1;
  for (int x = 0; x < row.width(); ++x)
    for (int y = 0; y < row.height(); ++y) {
      const QColor c = row.pixelColor(x, y);
      if (c.red() > 20 || c.green() > 20 || c.blue() < 200) continue;
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

TEST(TreeLabelPaint, CountPartFollowsTitlesOutsideAscii) {
  const std::string titles[] = {"Colour",     "di\u2013ethyl ether", "\u201cLeaf\u201d shape",
                                "D\u0159evo", "\u5317 region",       "Mood \U0001F600"};
  for (const std::string& title : titles) {
    TreeGuiFixture f;
    CountColourDataOnly(f, title);
    const QModelIndex index = f.Index(f.tree->Tree().FindMenuNode(kColourMenu));
    ASSERT_EQ(index.data(Qt::DisplayRole).toString(), QString::fromStdString(title + " |4/5|"));
    const QRect rect = f.tree->visualRect(index);
    const QImage row = f.tree->viewport()->grab(rect).toImage();
    const QFontMetrics metrics(ArialOf(f.tree->font()));
    // The label starts 20 pixels in, after the node's image; the bars are painted as blanks.
    const int digits = 20 + metrics.horizontalAdvance(QString::fromStdString(title + " ") + ' ');
    const auto [first, last] = BlueColumns(row);
    EXPECT_NEAR(first, digits, 2) << title;
    EXPECT_NEAR(last, digits + metrics.horizontalAdvance("4/5"), 3) << title;
  }
}

// The colour at the right end of the node's row, past its label.
QColor RowEndColour(TreeGuiFixture& f, HTREEITEM node) {
  const QRect rect = f.tree->visualRect(f.Index(node));
  const QImage row = f.tree->viewport()->grab(rect).toImage();
  return row.pixelColor(row.width() - 2, row.height() / 2);
}

TEST(TreeLabelPaint, OnlyMenusAndAttributesGetTheGreySelection) {
  TreeGuiFixture f;
  // A node that is neither a menu nor an attribute: a reference.
  f.doc->m_referenceTitles.push_back("Field guide");
  f.doc->m_showReferences = 1;
  f.tree->Model().RefreshAll([&] { f.tree->Tree().FillReferences(); });
  f.tree->expandAll();
  QApplication::processEvents();
  HTREEITEM other = kNoNode;
  std::function<void(const QModelIndex&)> search = [&](const QModelIndex& parent) {
    for (int row = 0; row < f.tree->model()->rowCount(parent) && other == kNoNode; ++row) {
      const QModelIndex index = f.tree->model()->index(row, 0, parent);
      const int kind = f.tree->Tree().GetNodeKind(CTreeModel::NodeOf(index));
      if (kind == KIND_DB_DESCRIPTION || kind == KIND_REFERENCES_ROOT || kind == KIND_MAIN_ITEMS ||
          kind == KIND_MAIN_QOR || kind == KIND_REFERENCE || kind == KIND_ITEMS || kind == KIND_QOR)
        other = CTreeModel::NodeOf(index);
      search(index);
    }
  };
  search({});
  ASSERT_NE(other, kNoNode);
  f.tree->SelectNode(f.Node(kRed));
  QApplication::processEvents();
  EXPECT_EQ(RowEndColour(f, f.Node(kRed)), QColor(230, 230, 230));
  f.tree->SelectNode(other);
  QApplication::processEvents();
  EXPECT_EQ(RowEndColour(f, other), f.tree->palette().color(QPalette::Highlight));
}

}  // namespace
