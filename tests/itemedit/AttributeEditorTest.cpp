// The attribute-data editor's rules on the small key: the form, the working
// bits, stepping through the list, Cancel's question, Mark All.
#include <gtest/gtest.h>

#include "editors/AttributeFormLayout.h"
#include "editors/FormFocus.h"
#include "editors/ItemAttributeEditor.h"
#include "editors/MarkAllInList.h"
#include "tree/SmallKey.h"

namespace {

// The list as the user sees it: all five fruits, Apple in row 0.
struct EditorFixture : TreeFixture {
  EditorFixture() {
    doc->m_header.lockWord = 1;
    list.FillList();
  }
  int RowOf(int item) const { return list.rows.RowsOfItem(item).at(0); }
  bool Has(int item, int attribute) const { return TestBit(doc->GetItemAttributeBits(item), attribute); }
};

}  // namespace

TEST(AttributeForm, TitlesIndentedByDepthAndCheckBoxesInTreeOrder) {
  auto doc = MakeSmallKey();
  const AttributeFormMetrics m;
  const AttributeFormLayout form = LayOutAttributeForm(*doc, m);
  ASSERT_EQ(form.rows.size(), 8u);
  // Fruit, Colour, Red, Green, Blue, Size, Small, Large.
  const int menus[] = {0, 1, 1, 1, 1, 2, 2, 2};
  const int attributes[] = {-1, -1, kRed, kGreen, kBlue, -1, kSmall, kLarge};
  for (int r = 0; r < 8; ++r) {
    EXPECT_EQ(form.rows[r].menu, menus[r]) << r;
    EXPECT_EQ(form.rows[r].attribute, attributes[r]) << r;
  }
  EXPECT_EQ(form.rows[0].left, m.leftMargin);
  EXPECT_EQ(form.rows[1].left, m.leftMargin + m.indent);
  EXPECT_EQ(form.rows[2].left, m.leftMargin + m.indent + m.checkIndent);
  EXPECT_EQ(form.rows[0].top, m.top);
  EXPECT_EQ(form.rows[1].top, m.top + m.titleSpacing);
  EXPECT_EQ(form.rows[2].top, form.rows[1].top + m.titleToCheck);
  EXPECT_EQ(form.rows[3].top - form.rows[2].top, m.checkSpacing);
  EXPECT_EQ(form.rows[5].top, form.rows[4].top + m.gapBelowChecks);
  EXPECT_EQ(form.checkAttributes, (std::vector<int>{kRed, kGreen, kBlue, kSmall, kLarge}));
  EXPECT_EQ(form.contentHeight, form.rows[7].top + m.checkSpacing + m.gapBelowChecks - m.checkSpacing + m.checkHeight);
  EXPECT_EQ(form.FirstRowBelow(0), 0);
  EXPECT_EQ(form.FirstRowBelow(form.rows[3].top + 1), 3);
  EXPECT_EQ(form.FirstRowBelow(form.contentHeight), 8);
}

TEST(AttributeForm, ADamagedTreeThatNamesAMenuTwiceIsDrawnOnce) {
  auto doc = MakeSmallKey();
  doc->GetMenu(0).children = {1, 1, 0, 2, 400};
  const AttributeFormLayout form = LayOutAttributeForm(*doc);
  EXPECT_EQ(form.checkAttributes, (std::vector<int>{kRed, kGreen, kBlue, kSmall, kLarge}));
}

TEST(AttributeEditor, ChecksShowTheItemsBitsAndStoreRoundTrips) {
  EditorFixture f;
  ItemAttributeEditor editor(*f.doc, kCherry, f.RowOf(kCherry));
  for (int a : {kRed, kGreen, kBlue, kSmall, kLarge}) EXPECT_EQ(editor.IsChecked(a), a == kRed || a == kSmall) << a;
  EXPECT_EQ(editor.Caption(), f.doc->GetCommonLabel() + " Attribute Data Editor:  Cherry");
  EXPECT_FALSE(editor.IsModified());
  editor.SetChecked(kBlue, true);
  EXPECT_TRUE(editor.IsModified());
  editor.SetChecked(kBlue, false);
  EXPECT_FALSE(editor.IsModified()) << "modified only while a word differs";
  editor.SetChecked(kRed, false);
  editor.SetChecked(kLarge, true);
  f.doc->SetModifiedFlag(false);
  editor.Ok();
  EXPECT_FALSE(f.Has(kCherry, kRed));
  EXPECT_TRUE(f.Has(kCherry, kLarge));
  EXPECT_TRUE(f.Has(kCherry, kSmall));
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_EQ(f.doc->m_recountFlag, 1);
  EXPECT_EQ(f.list.pageRows.back(), f.RowOf(kCherry)) << "OK shows the item's row again";
  EXPECT_TRUE(f.ui.shown.empty());
}

TEST(AttributeEditor, NextOnTheLastRowWrapsAndStoresWithoutAsking) {
  EditorFixture f;
  const int last = f.list.rows.RowCount() - 1;
  const int item = f.list.ItemAtRow(last);
  ItemAttributeEditor editor(*f.doc, item, last);
  editor.SetChecked(kBlue, !editor.IsChecked(kBlue));
  const bool want = editor.IsChecked(kBlue);
  editor.Next();
  EXPECT_EQ(f.Has(item, kBlue), want);
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_EQ(editor.ListRow(), 0);
  EXPECT_EQ(editor.Item(), f.list.ItemAtRow(0));
  EXPECT_EQ(f.list.selectedRow, 0);
  EXPECT_EQ(f.list.pageRows, std::vector<int>{0});
  editor.Previous();
  EXPECT_EQ(editor.ListRow(), last);
  EXPECT_EQ(editor.Item(), item);
  EXPECT_EQ(editor.IsChecked(kBlue), want);
}

TEST(AttributeEditor, SteppingPassesRowsWithoutAnItemAndStaysWhenNoneHasOne) {
  EXPECT_EQ(StepToItemRow(5, 4, +1, [](int row) { return row == 2 ? 7 : -1; }), 2);
  EXPECT_EQ(StepToItemRow(5, 0, -1, [](int row) { return row == 2 ? 7 : -1; }), 2);
  EXPECT_EQ(StepToItemRow(5, 1, +1, [](int) { return -1; }), -1);
  EXPECT_EQ(StepToItemRow(0, 0, +1, [](int) { return 3; }), -1);
  EditorFixture f;
  f.list.rows = CItemListRows();  // a list without rows
  ItemAttributeEditor editor(*f.doc, kLime, 2);
  editor.Next();
  EXPECT_EQ(editor.Item(), kLime);
  EXPECT_EQ(editor.ListRow(), 2);
  EXPECT_TRUE(f.list.pageRows.empty());
}

TEST(AttributeEditor, CancelWithChangesAsksAndItsCancelKeepsTheDialog) {
  EditorFixture f;
  ItemAttributeEditor editor(*f.doc, kLime, f.RowOf(kLime));
  EXPECT_TRUE(editor.Cancel()) << "nothing changed: no question";
  EXPECT_TRUE(f.ui.shown.empty());
  editor.SetChecked(kLarge, true);
  f.ui.yesNoCancelAnswers = {-1, 0, 1};
  EXPECT_FALSE(editor.Cancel());
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, "Save changes to Lime?");
  EXPECT_TRUE(editor.Cancel());
  EXPECT_FALSE(f.Has(kLime, kLarge)) << "No closes without storing";
  EXPECT_TRUE(editor.Cancel());
  EXPECT_TRUE(f.Has(kLime, kLarge)) << "Yes stores";
  EXPECT_EQ(f.list.pageRows.back(), f.RowOf(kLime));
}

TEST(AttributeEditor, AnItemWithoutAttributesOrADatabaseWithoutItemsEditsNothing) {
  ScriptedUi ui;
  auto doc = MakeSmallKey(false);
  ItemAttributeEditor editor(*doc, 0, 0);
  editor.SetChecked(kRed, true);
  EXPECT_FALSE(editor.IsChecked(kRed));
  EXPECT_FALSE(editor.IsModified());
  editor.Store();
  editor.Next();
  EXPECT_TRUE(editor.Cancel());
}

TEST(MarkAllInList, AsksWithTheMenuAndAttributeAndChangesRemainingItemsOnly) {
  EditorFixture f;
  EXPECT_EQ(MarkAllQuestion(*f.doc, kRed, true), "Mark all items in the list as having the attribute Colour: Red?");
  EXPECT_EQ(MarkAllQuestion(*f.doc, kRed, false),
            "Mark all items in the list as not having the attribute Colour: Red?");
  f.doc->m_header.scientificNamesEnabled = 1;
  EXPECT_EQ(MarkAllQuestion(*f.doc, kSmall, true),
            "Mark all " + f.doc->GetSpeciesLabel() + " in the list as having the attribute Size: Small?");
  f.doc->m_header.scientificNamesEnabled = 0;

  f.doc->SetItemState(kApple, STATE_ELIMINATED);
  f.doc->SetItemState(kCherry, STATE_USER_ELIMINATED);
  f.doc->SetItemState(kLime, STATE_MISSING_DATA);
  f.doc->SetItemState(kPine, STATE_SELECTED);
  ItemAttributeEditor editor(*f.doc, kPlum, f.RowOf(kPlum));
  f.ui.yesNoAnswers = {false, true};
  EXPECT_FALSE(editor.MarkAll(kBlue, false));
  EXPECT_TRUE(f.Has(kPlum, kBlue));
  EXPECT_TRUE(editor.MarkAll(kLarge, true));
  EXPECT_TRUE(editor.IsChecked(kLarge));
  for (int item : {kLime, kPine, kPlum}) EXPECT_TRUE(f.Has(item, kLarge)) << item;
  EXPECT_FALSE(f.Has(kCherry, kLarge));
  EXPECT_TRUE(f.Has(kApple, kLarge)) << "Apple had it before";
  f.ui.yesNoAnswers = {true};
  EXPECT_TRUE(editor.MarkAll(kRed, false));
  EXPECT_TRUE(f.Has(kApple, kRed)) << "an item eliminated by the marks keeps its bit";
  EXPECT_TRUE(f.Has(kCherry, kRed));
  EXPECT_EQ(f.doc->m_recountFlag, 1);
  EXPECT_FALSE(editor.IsModified()) << "the form follows the stored row";
}

TEST(FormFocus, KeysWrapPageAndCentre) {
  std::vector<FormSpan> spans;
  for (int i = 0; i < 10; ++i) spans.push_back({10 + 20 * i, 15});
  // The client area shows 100 pixels from the top.
  EXPECT_EQ(MoveFormFocus(spans, 9, FocusKey::Down, 0, 100), 0);
  EXPECT_EQ(MoveFormFocus(spans, 0, FocusKey::Up, 0, 100), 9);
  EXPECT_EQ(MoveFormFocus(spans, 3, FocusKey::Down, 0, 100), 4);
  EXPECT_EQ(MoveFormFocus(spans, 3, FocusKey::Home, 0, 100), 0);
  EXPECT_EQ(MoveFormFocus(spans, 3, FocusKey::End, 0, 100), 9);
  // Control 4 ends at 105: the first whose bottom lies below the window.
  EXPECT_EQ(MoveFormFocus(spans, 1, FocusKey::PageDown, 0, 100), 4);
  EXPECT_EQ(MoveFormFocus(spans, 8, FocusKey::PageUp, 100, 100), 4);
  EXPECT_EQ(MoveFormFocus(spans, 2, FocusKey::PageUp, 0, 100), 0);
  EXPECT_EQ(MoveFormFocus(spans, 8, FocusKey::PageDown, 100, 100), 9);
  EXPECT_EQ(MoveFormFocus({}, 0, FocusKey::Down, 0, 100), -1);
  EXPECT_EQ(ScrollToShow(spans[2], 0, 100, 110), 0) << "wholly visible: no scroll";
  EXPECT_EQ(ScrollToShow(spans[6], 0, 100, 110), 130 - 50 + 7);
  EXPECT_EQ(ScrollToShow(spans[9], 0, 100, 110), 110) << "clamped to the maximum";
  EXPECT_EQ(ScrollToShow(spans[0], 90, 100, 110), 0);
  EXPECT_EQ(ScrollMaximum(210, 100), 110);
  EXPECT_EQ(ScrollMaximum(80, 100), 0);
}
