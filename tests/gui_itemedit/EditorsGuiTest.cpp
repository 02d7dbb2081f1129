// The attribute-data and reference editors and the reference title editor,
// driven by mouse and keys.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionButton>

#include "ItemEditFixture.h"
#include "editors/ItemAttributeEditor.h"
#include "editors/qt/AttributeFormView.h"
#include "editors/qt/DlgReference.h"
#include "editors/qt/Idatadlg.h"

namespace {

CAttributeFormView& FormOf(QDialog& dialog) {
  auto* form = dialog.findChild<CAttributeFormView*>("attributeForm");
  if (!form) throw std::runtime_error("no attribute form");
  return *form;
}

// A click on the check box (the box at the row's left edge).
void ClickCheck(CAttributeFormView& form, int check) {
  const QRect rect = form.CheckRect(check);
  QTest::mouseClick(form.viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 6, rect.center().y()));
}

// Sizes up to attribute last - 1 in the size menu: a form longer than its window.
void AddSizes(ItemEditFixture& f, int last) {
  for (int a = 5; a < last; ++a) {
    AddAttribute(*f.doc, a, 2, "Size " + std::to_string(a));
    f.doc->GetMenu(2).children.push_back(static_cast<WORD>(a));
  }
  f.doc->WidenForNewAttributes(last - 5);
}

}  // namespace

TEST(AttributeEditorDialog, ClicksAndKeysEditTheItemAndOkStores) {
  ItemEditFixture f;
  std::string caption;
  f.script = [&](QDialog& dialog) {
    caption = dialog.windowTitle().toStdString();
    CAttributeFormView& form = FormOf(dialog);
    EXPECT_EQ(form.FocusedCheck(), 0) << "the first check box has the focus";
    EXPECT_EQ(form.Layout().checkAttributes.size(), 5u);
    ClickCheck(form, 2);  // Blue
    EXPECT_EQ(form.FocusedCheck(), 2);
    QTest::keyClick(&form, Qt::Key_Down);
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(form.FocusedCheck(), 4);
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(form.FocusedCheck(), 0) << "Down on the last wraps to the first";
    QTest::keyClick(&form, Qt::Key_Up);
    EXPECT_EQ(form.FocusedCheck(), 4);
    QTest::keyClick(&form, Qt::Key_Home);
    QTest::keyClick(&form, Qt::Key_Space);  // Red off
    ItemEditFixture::Click(dialog, "okButton");
  };
  f.Choose(1, "Edit item attributes");  // Cherry: Red, Small
  EXPECT_EQ(f.dialogs, 1);
  EXPECT_EQ(caption, f.doc->GetCommonLabel() + " Attribute Data Editor:  Cherry");
  EXPECT_TRUE(f.Has(kCherry, kBlue));
  EXPECT_FALSE(f.Has(kCherry, kRed));
  EXPECT_TRUE(f.Has(kCherry, kSmall));
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_EQ(f.doc->m_recountFlag, 0);
  EXPECT_EQ(f.list->ListBox().GetSelectedItem(), kCherry);
  EXPECT_TRUE(f.ui.shown.empty());
}

TEST(AttributeEditorDialog, NextStepsWithoutAskingCancelAsksAndStays) {
  ItemEditFixture f;
  bool stillOpen = false;
  f.script = [&](QDialog& dialog) {
    CAttributeFormView& form = FormOf(dialog);
    ClickCheck(form, 3);  // Small for Pine
    ItemEditFixture::Click(dialog, "nextButton");
    EXPECT_NE(dialog.windowTitle().indexOf("Plum"), -1);
    EXPECT_TRUE(f.ui.shown.empty());
    ClickCheck(form, 0);  // Red for Plum
    f.ui.yesNoCancelAnswers = {-1, 0};
    ItemEditFixture::Click(dialog, "cancelButton");
    stillOpen = dialog.isVisible();
    QTest::keyClick(&dialog, Qt::Key_Escape);
  };
  f.Choose(3, "Edit item attributes");  // Pine
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(f.Has(kPine, kSmall)) << "Next stored without asking";
  EXPECT_FALSE(f.Has(kPlum, kRed)) << "No threw the change away";
  ASSERT_EQ(f.ui.shown.size(), 2u);
  EXPECT_EQ(f.ui.shown[0].text, "Save changes to Plum?");
}

TEST(AttributeEditorDialog, MarkAllAsksForTheFocusedAttributeAndRefusesOnOk) {
  ItemEditFixture f;
  f.tree->SelectNode(f.Node(kSmall));
  f.tree->OnMarkYes();  // Cherry, Lime, Plum remain
  f.script = [&](QDialog& dialog) {
    CAttributeFormView& form = FormOf(dialog);
    form.setFocus();
    QTest::keyClick(&form, Qt::Key_Home);
    f.ui.yesNoAnswers = {true};
    ItemEditFixture::MenuCommand(dialog, "markAllCommand");
    dialog.findChild<QPushButton*>("okButton")->setFocus();
    ItemEditFixture::MenuCommand(dialog, "clearAllCommand");
    ItemEditFixture::Click(dialog, "cancelButton");
  };
  f.Choose(0, "Edit item attributes");
  ASSERT_GE(f.ui.shown.size(), 2u);
  EXPECT_EQ(f.ui.shown[0].text, "Mark all items in the list as having the attribute Colour: Red?");
  EXPECT_FALSE(f.ui.shown[0].defaultYes) << "Enter leaves the other items as they were";
  EXPECT_EQ(f.ui.shown[1].text, "For Mark/Clear All to work, the focus must not be on the OK or Cancel buttons");
  for (int item : {kCherry, kLime, kPlum}) EXPECT_TRUE(f.Has(item, kRed)) << item;
  EXPECT_FALSE(f.Has(kPine, kRed)) << "eliminated by the mark";
}

TEST(AttributeEditorDialog, ALongFormScrollsTheFocusedBoxIntoView) {
  ItemEditFixture f;
  AddSizes(f, 400);
  f.script = [&](QDialog& dialog) {
    CAttributeFormView& form = FormOf(dialog);
    QTest::keyClick(&form, Qt::Key_End);
    EXPECT_EQ(form.FocusedCheck(), 399);
    EXPECT_EQ(form.ScrollPosition(), form.verticalScrollBar()->maximum());
    QTest::keyClick(&form, Qt::Key_Home);
    EXPECT_EQ(form.ScrollPosition(), 0);
    QTest::keyClick(&form, Qt::Key_PageDown);
    const QRect rect = form.CheckRect(form.FocusedCheck());
    EXPECT_GT(form.FocusedCheck(), 5);
    EXPECT_GE(rect.top(), 0);
    EXPECT_LE(rect.bottom(), form.viewport()->height());
    ClickCheck(form, form.FocusedCheck());
    EXPECT_TRUE(f.dialogs == 1);
    ItemEditFixture::Click(dialog, "okButton");
  };
  f.Choose(0, "Edit item attributes");
  int set = 0;
  for (int a = 5; a < 400; ++a) set += f.Has(f.list->ListBox().GetItemAtRow(0), a);
  EXPECT_EQ(set, 1);
}

TEST(ReferenceEditorDialog, TypedPagesAreStoredAndArrowKeysWrap) {
  ItemEditFixture f;
  f.doc->m_referenceTitles = {"Flora", "Atlas", "Keys"};
  f.doc->GetItem(kLime).referencePages = {"p. 1"};
  f.script = [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Item(s) Reference Editor:  Lime");
    auto* first = dialog.findChild<QLineEdit*>("referencePage0");
    auto* last = dialog.findChild<QLineEdit*>("referencePage2");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->text().toStdString(), "p. 1");
    EXPECT_TRUE(first->hasFocus() || dialog.focusWidget() == first);
    QTest::keyClick(first, Qt::Key_Up);
    EXPECT_EQ(dialog.focusWidget(), last) << "Up on the first wraps to the last";
    QTest::keyClicks(last, "fig. 2");
    QTest::keyClick(last, Qt::Key_Down);
    EXPECT_EQ(dialog.focusWidget(), first);
    ItemEditFixture::Click(dialog, "okButton");
  };
  f.Choose(2, "Edit item references");
  EXPECT_EQ(f.doc->GetItem(kLime).referencePages, (std::vector<std::string>{"p. 1", "", "fig. 2"}));
  EXPECT_EQ(f.list->ListBox().SelectedRow(), 2);
}

TEST(ReferenceEditorDialog, WithoutTitlesTheErrorBoxAndNoDialog) {
  ItemEditFixture f;
  f.Choose(2, "Edit item references");
  EXPECT_EQ(f.dialogs, 0);
  EXPECT_EQ(f.ui.Messages(), std::vector<std::string>{"Must be at least one reference title."});
}

TEST(ReferenceTitleDialog, ABlankTitleKeepsTheDialogOpenATitleIsAdded) {
  ItemEditFixture f;
  f.doc->m_referenceTitles = {"Flora"};
  f.doc->GetItem(kApple).referencePages = {"p. 3"};
  bool openAfterBlank = false, inTitleAfterBlank = false;
  f.script = [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Individual Reference Title Editor");
    auto* edit = dialog.findChild<QLineEdit*>("referenceTitle");
    QTest::keyClicks(edit, "   ");
    ItemEditFixture::Click(dialog, "okButton");
    openAfterBlank = dialog.isVisible() && dialog.result() == 0;
    inTitleAfterBlank = dialog.focusWidget() == edit;  // the field the message is about
    edit->clear();
    QTest::keyClicks(edit, "Flora 1990");
    QTest::keyClick(edit, Qt::Key_Return);
  };
  EXPECT_TRUE(EditReferenceTitle(*f.doc, -1, nullptr));
  EXPECT_TRUE(openAfterBlank);
  EXPECT_TRUE(inTitleAfterBlank);
  EXPECT_EQ(f.ui.Messages(), std::vector<std::string>{"Reference title must be entered"});
  EXPECT_EQ(f.doc->m_referenceTitles, (std::vector<std::string>{"Flora", "Flora 1990"}));
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages, (std::vector<std::string>{"p. 3", ""}));
  f.script = [](QDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>("referenceTitle");
    EXPECT_EQ(edit->text().toStdString(), "Flora 1990");
    edit->selectAll();
    QTest::keyClicks(edit, "Flora of 1990");
    ItemEditFixture::Click(dialog, "okButton");
  };
  EXPECT_TRUE(EditReferenceTitle(*f.doc, 1, nullptr));
  EXPECT_EQ(f.doc->m_referenceTitles[1], "Flora of 1990");
  EXPECT_EQ(f.doc->GetItem(kApple).referencePages.size(), 2u);
}

TEST(AttributeEditorDialog, AfterNextTheBoxMarkAllActsOnKeepsTheFocusInSight) {
  ItemEditFixture f;
  AddSizes(f, 200);
  f.script = [&](QDialog& dialog) {
    CAttributeFormView& form = FormOf(dialog);
    QTest::keyClick(&form, Qt::Key_End);
    QTest::keyClick(&form, Qt::Key_Space);
    QTest::keyClick(&form, Qt::Key_Home);
    QTest::keyClick(&form, Qt::Key_End);  // the box ticked last, at the foot of the form
    ItemEditFixture::Click(dialog, "nextButton");
    // The user scrolled back up on the next item before choosing Mark All.
    form.verticalScrollBar()->setValue(0);
    ItemEditFixture::Click(dialog, "previousButton");
    EXPECT_EQ(dialog.focusWidget(), &form) << "the form, not the button, keeps the keys";
    const QRect rect = form.CheckRect(form.FocusedCheck());
    EXPECT_EQ(form.FocusedCheck(), 199);
    EXPECT_GE(rect.top(), 0);
    EXPECT_LE(rect.bottom(), form.viewport()->height());
    ItemEditFixture::Click(dialog, "cancelButton");
  };
  f.Choose(0, "Edit item attributes");
}

TEST(AttributeEditorDialog, AltNAndAltPStepThroughTheItems) {
  ItemEditFixture f;
  std::vector<std::string> captions;
  f.script = [&](QDialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    // A button pressed by its key clicks once it has shown itself pressed:
    // each step is waited for by the caption it changes.
    const QString first = dialog.windowTitle();
    QTest::keyClick(&FormOf(dialog), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.windowTitle() != first; }));
    captions.push_back(dialog.windowTitle().toStdString());
    const QString second = dialog.windowTitle();
    QTest::keyClick(&FormOf(dialog), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.windowTitle() != second; }));
    captions.push_back(dialog.windowTitle().toStdString());
    ItemEditFixture::Click(dialog, "cancelButton");
  };
  f.Choose(3, "Edit item attributes");  // Pine
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_TRUE(captions[0].ends_with("Plum")) << captions[0];
  EXPECT_TRUE(captions[1].ends_with("Pine")) << captions[1];
}

namespace {

// Records the texts of the check boxes a widget has its style draw.
class CheckTextStyle : public QProxyStyle {
 public:
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_CheckBox)
      if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) texts.push_back(button->text);
    QProxyStyle::drawControl(element, option, painter, widget);
  }
  mutable std::vector<QString> texts;
};

}  // namespace

// A "&" in an attribute's name is part of the name: its check box shows it
// instead of taking it for the mark of an access key.
TEST(AttributeEditorDialog, AnAmpersandInANameShowsAsTyped) {
  ItemEditFixture f;
  f.doc->GetAttribute(kBlue).name = "eckig & <kantig>";
  CheckTextStyle style;
  f.script = [&](QDialog& dialog) {
    CAttributeFormView& form = FormOf(dialog);
    form.setStyle(&style);
    form.viewport()->repaint();
    ItemEditFixture::Click(dialog, "cancelButton");
  };
  f.Choose(1, "Edit item attributes");
  ASSERT_EQ(f.dialogs, 1);
  // Doubled, the style draws one "&" and underlines nothing.
  EXPECT_NE(std::find(style.texts.begin(), style.texts.end(), QString("eckig && <kantig>")), style.texts.end());
  EXPECT_EQ(std::find(style.texts.begin(), style.texts.end(), QString("eckig & <kantig>")), style.texts.end());
}
