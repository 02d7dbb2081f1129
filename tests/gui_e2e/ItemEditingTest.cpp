// Editing items of the sample key from the item list's popup, as a user
// does it: duplicate, delete, the attribute-data and reference editors.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "E2eSupport.h"
#include "database/BitMatrix.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "editors/qt/AttributeFormView.h"
#include "shell/ItemListRows.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/ItemListView.h"

namespace {

class SampleItemEditing : public e2e::SampleKeyTest {
 protected:
  CItemListBox& Box() const { return m_frame->ItemListView()->ListBox(); }
  // A right press on the row and the entry chosen from its popup.
  void Choose(int row, const QString& entry) {
    Box().SetPopupRunner([entry](QMenu& menu, const QPoint&) {
      for (QAction* action : menu.actions())
        if (action->text() == entry) return action;
      return static_cast<QAction*>(nullptr);
    });
    Box().scrollTo(Box().model()->index(row, 0));
    const QPoint at = Box().visualRect(Box().model()->index(row, 0)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, Box().viewport()->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(Box().viewport(), &press);
  }
  void OnDialog(std::function<void(QDialog&)> script) {
    platform::qt::SetModalHook([script = std::move(script)](QDialog& dialog) {
      dialog.show();
      QApplication::processEvents();
      script(dialog);
      return dialog.result();
    });
  }
};

TEST_F(SampleItemEditing, DuplicateThenDeleteTheCopy) {
  const int items = Doc().ItemCount();
  const int source = Box().GetItemAtRow(2);
  Choose(2, "Duplicate");
  ASSERT_EQ(Doc().ItemCount(), items + 1);
  const int copy = Box().GetSelectedItem();
  EXPECT_NE(copy, source);
  EXPECT_EQ(GetItemDisplayName(Doc(), copy), GetItemDisplayName(Doc(), source));
  EXPECT_EQ(Box().model()->rowCount(), items + 1);
  m_ui.yesNoAnswers = {true};
  Choose(Box().SelectedRow(), "Delete");
  EXPECT_EQ(m_ui.shown.back().text, "Are you sure you want to delete this item?");
  EXPECT_EQ(Doc().ItemCount(), items);
  EXPECT_EQ(Box().model()->rowCount(), items);
  EXPECT_TRUE(WaitForPage("document.body && document.body.innerText.indexOf('Item deleted!') >= 0"));
}

TEST_F(SampleItemEditing, TheAttributeEditorChangesTheItemAndTheListFollows) {
  const int item = Box().GetItemAtRow(0);
  int attribute = -1;
  bool had = false;
  OnDialog([&](QDialog& dialog) {
    auto* form = dialog.findChild<CAttributeFormView*>("attributeForm");
    ASSERT_NE(form, nullptr);
    attribute = form->FocusedAttribute();
    had = TestBit(Doc().GetItemAttributeBits(item), attribute);
    QTest::keyClick(form, Qt::Key_Space);
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
  });
  Choose(0, "Edit item attributes");
  platform::qt::SetModalHook(nullptr);
  ASSERT_GE(attribute, 0);
  EXPECT_NE(TestBit(Doc().GetItemAttributeBits(item), attribute), had);
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_EQ(Box().GetSelectedItem(), item);
}

TEST_F(SampleItemEditing, TheReferenceEditorStoresATypedPage) {
  ASSERT_FALSE(Doc().m_referenceTitles.empty()) << "the sample has reference titles";
  const int item = Box().GetItemAtRow(1);
  OnDialog([&](QDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>("referencePage0");
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "p. 123");
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
  });
  Choose(1, "Edit item references");
  platform::qt::SetModalHook(nullptr);
  EXPECT_EQ(Doc().GetItem(item).referencePages.at(0), "p. 123");
  EXPECT_EQ(Box().SelectedRow(), 1);
}

}  // namespace
