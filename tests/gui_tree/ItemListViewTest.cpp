#include <gtest/gtest.h>

#include "TreeGuiFixture.h"
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "shell/ColourContrast.h"
#include "shell/qt/ItemListModel.h"
#include "shell/PopupCommandIds.h"
#include "fakes/ModalScript.h"
#include "reports/ReportOptions.h"
#include <QListWidget>
#include <QPushButton>

namespace {

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
  int count = 0;
};

}  // namespace

// A mark keeps the list's rows in place: the list is repainted, not reset,
// which on a large key costs a layout of every row twice per mark. Plum keeps
// its row and only changes its look, so no row is announced as changed, but
// the rows on screen are still painted again.
TEST(ItemListView, AMarkRepaintsTheListWithoutResettingIt) {
  TreeGuiFixture f;
  QSignalSpy resets(f.list->ListBox().model(), &QAbstractItemModel::modelReset);
  QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, f.LabelPoint(f.Node(kBlue)));
  QApplication::processEvents();
  PaintCounter paints(*f.list->ListBox().viewport());
  f.tree->OnMarkNever();
  QApplication::processEvents();
  EXPECT_EQ(resets.count(), 0);
  EXPECT_GT(paints.count, 0);
  EXPECT_EQ(f.list->ListBox().GetItemAtRow(4), kPlum);
  EXPECT_EQ(CItemListRows::RowStyle(*f.doc, kPlum).icon, 0);  // painted as eliminated
}

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

TEST(ItemListView, HoveringTheListTipsItsKindOfItems) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  const QPoint on = box.visualRect(box.model()->index(1, 0)).center();
  QHelpEvent help(QEvent::ToolTip, on, box.viewport()->mapToGlobal(on));
  QApplication::sendEvent(box.viewport(), &help);
  const std::string label = f.doc->m_header.scientificNamesEnabled ? f.doc->GetSpeciesLabel() : f.doc->GetCommonLabel();
  EXPECT_EQ(QToolTip::text().toStdString(), label + " List");
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

TEST(ItemListView, AMouseClickOnARowShowsItsItemPage) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  auto click = [&](int row) {
    const std::size_t before = f.html.pages.size();
    f.ListClick(Qt::LeftButton, box.visualRect(box.model()->index(row, 0)).center());
    EXPECT_EQ(box.SelectedRow(), row);
    EXPECT_EQ(f.doc->m_reportKind, kReportItemDescription);
    EXPECT_EQ(f.doc->m_reportArgument, box.GetItemAtRow(row));
    return f.html.pages.size() - before;
  };
  EXPECT_GT(click(2), 0u);
  // Filling the list selected row 0 without a page; a click on it still shows one.
  EXPECT_GT(click(0), 0u);
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

// What the popup on a row of an editable database offers.
const std::vector<std::string> kEditableRowPopup{"Toggle eliminated", "Distinctive attributes", "Edit item attributes",
                                                 "Edit item regions", "Edit item references",   "Delete",
                                                 "Duplicate"};

// The popup a right press opens: its texts, and the command chosen in it.
struct ListPopup {
  explicit ListPopup(CItemListBox& box) {
    box.SetPopupRunner([this](QMenu& menu, const QPoint&) {
      ++shown;
      texts.clear();
      for (QAction* action : menu.actions()) texts.push_back(action->text().toStdString());
      return chosen.empty() ? nullptr : TreeGuiFixture::Find(menu, chosen);
    });
  }
  int shown = 0;
  std::vector<std::string> texts;
  std::string chosen;
};

TEST(ItemListView, ARightPressOnARowOffersTheItemCommandsThatWork) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  ListPopup popup(box);
  popup.chosen = "Toggle eliminated";
  f.ListClick(Qt::RightButton, box.visualRect(box.model()->index(1, 0)).center());
  EXPECT_EQ(popup.shown, 1);
  EXPECT_EQ(popup.texts, kEditableRowPopup);
  EXPECT_EQ(f.doc->GetItemState(kCherry), STATE_USER_ELIMINATED);
  popup.chosen = "Distinctive attributes";
  f.ListClick(Qt::RightButton, box.visualRect(box.model()->index(0, 0)).center());
  EXPECT_EQ(popup.shown, 2);
  EXPECT_EQ(f.doc->m_reportKind, kReportDistinctive);
  EXPECT_EQ(f.doc->m_reportArgument, box.GetItemAtRow(0));
}

TEST(ItemListView, ARightPressBelowTheRowsOffersTheListCommands) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  ListPopup popup(box);
  const QPoint below(5, box.viewport()->height() - 2);
  f.ListClick(Qt::RightButton, below);
  EXPECT_EQ(popup.shown, 1);
  EXPECT_EQ(popup.texts, std::vector<std::string>{"View image/description"});
  EXPECT_EQ(box.SelectedRow(), box.model()->rowCount() - 1);
  EXPECT_EQ(f.doc->m_reportArgument, box.GetItemAtRow(box.model()->rowCount() - 1));
  popup.chosen = "View image/description";
  f.ListClick(Qt::RightButton, below);
  EXPECT_EQ(f.doc->m_reportKind, kReportItemList);
}

TEST(ItemListView, TheMenuKeyOpensThePopupAtTheSelectedRow) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  ListPopup popup(box);
  box.SelectRow(3);
  const QPoint at = box.visualRect(box.model()->index(3, 0)).center();
  QContextMenuEvent key(QContextMenuEvent::Keyboard, at, box.viewport()->mapToGlobal(at));
  QApplication::sendEvent(box.viewport(), &key);
  EXPECT_EQ(popup.shown, 1);
  EXPECT_EQ(popup.texts, kEditableRowPopup);
  // The event a right press brings after it opens no second popup.
  QContextMenuEvent mouse(QContextMenuEvent::Mouse, at, box.viewport()->mapToGlobal(at));
  QApplication::sendEvent(box.viewport(), &mouse);
  EXPECT_EQ(popup.shown, 1);
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

// More rows than a small list shows, so that it scrolls.
std::unique_ptr<CZAVDoc> MakeKeyOfSixtyFruits() {
  auto doc = MakeSmallKey();
  for (int i = 5; i < 60; ++i) AddFruit(*doc, i, "Zfruit" + std::to_string(i));
  CBitMatrix(doc->AttributeCount(), doc->ItemCount()).BuildBlocks(doc->m_dataBlocks);
  Evaluate(*doc);
  return doc;
}

TEST(ItemListView, ScrollingKeepsTheSelectionOnScreen) {
  auto doc = MakeKeyOfSixtyFruits();
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

TEST(ItemListView, ScrollingUpMovesTheSelectionToTheLastWholeRowWhenRowsFitExactly) {
  auto doc = MakeKeyOfSixtyFruits();
  ScriptedUi ui;
  CItemListView list(*doc);
  list.resize(200, 400);
  list.show();
  QApplication::processEvents();
  CItemListBox& box = list.ListBox();
  const int rowHeight = box.sizeHintForRow(0);
  box.setFixedHeight(10 * rowHeight + 2 * box.frameWidth());
  QApplication::processEvents();
  ASSERT_EQ(box.viewport()->height(), 10 * rowHeight);
  box.scrollToBottom();
  box.SelectRow(box.model()->rowCount() - 1);
  box.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  QApplication::processEvents();
  const int first = box.indexAt(QPoint(1, 1)).row();
  EXPECT_EQ(box.SelectedRow(), first + 9);
}

TEST(ItemListView, ASelectedRowsTextStandsOnItsOwnBackground) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  auto textBackground = [&](int row) {
    const QImage image = box.viewport()->grab(box.visualRect(box.model()->index(row, 0))).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == QColor(QRgb{kSelectedTextBackground})) ++count;
    return count;
  };
  box.SelectRow(1);
  QApplication::processEvents();
  EXPECT_GT(textBackground(1), 20);
  EXPECT_EQ(textBackground(2), 0);
}

namespace {

// The strongest ink of a row's name as painted: its contrast with the box the
// name stands on. The icon and the focus frame are left out.
double NameContrast(CItemListBox& box, int row, std::uint32_t background) {
  const QImage image = box.viewport()->grab(box.visualRect(box.model()->index(row, 0))).toImage();
  double strongest = 1;
  for (int y = 1; y < image.height() - 1; ++y)
    for (int x = 20; x < image.width() - 1; ++x)
      strongest = std::max(strongest, ContrastRatio(image.pixel(x, y) & 0xFFFFFFu, background));
  return strongest;
}

// Drives the "Edit item regions" dialog: the Colour rows are Red, Green, Blue.
struct RegionsDialog {
  explicit RegionsDialog(QDialog& dialog) : d(dialog) {}
  QListWidget& List() const { return *d.findChild<QListWidget*>("attributeList"); }
  void Toggle(int row) const {
    List().setCurrentRow(row);
    QTest::keyClick(List().viewport(), Qt::Key_Space);
  }
  void Press(const char* button) const { QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton); }
  QDialog& d;
};

// The user's click on an item's row, which shows its page.
void ClickItem(TreeGuiFixture& f, int item) {
  CItemListBox& box = f.list->ListBox();
  const int row = box.Rows().RowsOfItem(item).front();
  f.ListClick(Qt::LeftButton, box.visualRect(box.model()->index(row, 0)).center());
}

}  // namespace

// Every state's name reads on white and, selected, on the selection's box.
TEST(ItemListView, EveryStatesNameIsReadableSelectedOrNot) {
  TreeGuiFixture f;
  CItemListBox& box = f.list->ListBox();
  f.doc->m_mismatchCounts.assign(f.doc->ItemCount(), 0);
  const std::vector<std::vector<std::pair<int, BYTE>>> rounds = {
      {{kApple, STATE_ELIMINATED},
       {kCherry, STATE_REMAINING},
       {kLime, STATE_USER_ELIMINATED},
       {kPine, STATE_MISSING_DATA},
       {kPlum, STATE_SELECTED}},
      {{kPlum, STATE_SELECTED_ELIMINATED}, {kCherry, STATE_REMAINING}}};
  for (std::size_t round = 0; round < rounds.size(); ++round) {
    f.doc->m_mismatchCounts[kCherry] = round == 0 ? 0 : 2;
    for (auto [item, state] : rounds[round]) f.doc->SetItemState(item, state);
    f.list->FillList();
    QApplication::processEvents();
    for (auto [item, state] : rounds[round]) {
      const int row = box.Rows().RowsOfItem(item).front();
      box.clearSelection();
      QApplication::processEvents();
      EXPECT_GE(NameContrast(box, row, kRowBackground), kReadableContrast) << "state " << int(state);
      box.SelectRow(row);
      QApplication::processEvents();
      EXPECT_GE(NameContrast(box, row, kSelectedTextBackground), kReadableContrast) << "selected, state " << int(state);
    }
  }
}

// Taking Red from Apple while Red is marked leaves Cherry alone: the
// announcement selects Cherry, and the list keeps it rather than going back
// to the row selected before the dialog.
TEST(ItemListView, TheItemTheRegionsOkLeavesStaysSelected) {
  TreeGuiFixture f;
  f.doc->SetAttributeMark(kRed, MARK_YES);
  f.doc->ResetItemStates(false);
  f.doc->UpdateRemainingItems();
  f.doc->UpdateIdentifiedStatus(true);
  f.list->FillList();
  ClickItem(f, kApple);
  ModalScript script;
  script.Then([](QDialog& dialog) {
    RegionsDialog(dialog).Toggle(0);
    RegionsDialog(dialog).Press("ok");
  });
  f.list->OnCommand(popup_cmd::kEditItemRegions);
  ASSERT_EQ(script.DialogsRun(), 1);
  EXPECT_FALSE(TestBit(f.doc->GetItemAttributeBits(kApple), kRed));
  ASSERT_FALSE(f.ui.Messages().empty());
  EXPECT_NE(f.ui.Messages().back().find("Cherry"), std::string::npos);
  EXPECT_EQ(f.list->GetSelectedItemOrNone(), kCherry);
  EXPECT_EQ(f.doc->m_reportKind, kReportItemDescription);
  EXPECT_EQ(f.doc->m_reportArgument, kCherry);
}

// A region stored by Next and then left with Cancel is on the item's page at
// once, without selecting the row again.
TEST(ItemListView, ARegionStoredBeforeCancelShowsOnTheItemPage) {
  TreeGuiFixture f;
  ItemOptions& options = ItemOptions::Shared();
  const ItemOptions saved = options;
  options.data = 1;
  ClickItem(f, kApple);
  ASSERT_EQ(f.doc->m_reportArgument, kApple);
  ASSERT_EQ(f.html.pages.back().html.find("Blue"), std::string::npos);
  ModalScript script;
  script.Then([](QDialog& dialog) {
    const RegionsDialog regions(dialog);
    regions.Toggle(2);  // Blue
    regions.Press("nextItem");
    regions.Press("previousItem");
    regions.Press("cancel");
  });
  f.list->OnCommand(popup_cmd::kEditItemRegions);
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(kApple), kBlue));
  EXPECT_EQ(f.list->GetSelectedItemOrNone(), kApple);
  EXPECT_EQ(f.doc->m_reportKind, kReportItemDescription);
  EXPECT_EQ(f.doc->m_reportArgument, kApple);
  EXPECT_NE(f.html.pages.back().html.find("Blue"), std::string::npos);
  options = saved;
}
