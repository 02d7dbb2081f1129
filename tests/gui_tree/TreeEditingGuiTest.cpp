#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "TreeGuiFixture.h"
#include "database/ProgramFolders.h"
#include "database/UtilityFunction.h"
#include "fakes/FakeHelp.h"
#include "fakes/ModalScript.h"
#include "gui_editors/EditorDialogSupport.h"

namespace {

using namespace editor_test;

struct EditingGuiFixture : TreeGuiFixture {
  HTREEITEM MenuNode(int index) const { return tree->Tree().Nodes().Children(tree->Tree().MenuRoot()).at(index); }
  void RightClick(HTREEITEM node, const std::string& entry) {
    chosen = entry;
    Mouse(QEvent::MouseButtonPress, Qt::RightButton, LabelPoint(node));
    Mouse(QEvent::MouseButtonRelease, Qt::RightButton, LabelPoint(node));
  }
  std::vector<QString> Labels(HTREEITEM node) const {
    std::vector<QString> labels;
    const QModelIndex parent = Index(node);
    for (int row = 0; row < tree->Model().rowCount(parent); ++row)
      labels.push_back(tree->Model().index(row, 0, parent).data().toString());
    return labels;
  }
};

}  // namespace

TEST(TreeEditingGui, InsertOnAnAttributeAddsTheTypedAttributeRightAfterIt) {
  EditingGuiFixture f;
  ModalScript script;
  script.Then([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Attribute Editor");
    Type(dialog, "name", "Pink");
    TypeArea(dialog, "helpText", "pale red");
    Click(dialog, "ok");
  });
  f.RightClick(f.Node(kRed), "Insert");
  EXPECT_EQ(script.DialogsRun(), 1);
  EXPECT_EQ(f.doc->GetMenu(1).children, (std::vector<WORD>{kRed, 5, kGreen, kBlue}));
  EXPECT_EQ(f.doc->GetAttribute(5).helpText, "pale red");
  const std::vector<QString> labels = f.Labels(f.MenuNode(0));
  ASSERT_EQ(labels.size(), 4u);
  EXPECT_TRUE(labels[1].endsWith("Pink"));
  EXPECT_EQ(f.tree->SelectedNode(), f.Node(5));
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(TreeEditingGui, MenuEditorKeepsTheDialogOpenUntilTheDifficultyIsRight) {
  EditingGuiFixture f;
  std::vector<std::string> messagesWhileOpen;
  std::vector<bool> openAfterOK;
  ModalScript script;
  script.Then([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Individual Menu Editor");
    Type(dialog, "title", "Hue");
    for (const char* difficulty : {"7", "x", "2"}) {
      Type(dialog, "difficulty", difficulty);
      Click(dialog, "ok");
      openAfterOK.push_back(dialog.isVisible());
      if (dialog.isVisible()) messagesWhileOpen.push_back(f.ui.Messages().back());
    }
  });
  f.RightClick(f.MenuNode(0), "Edit");
  EXPECT_EQ(openAfterOK, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(messagesWhileOpen, (std::vector<std::string>{"Enter an integer between 1 and 4.", "Enter an integer."}));
  EXPECT_EQ(f.doc->GetMenu(1).title, "Hue");
  EXPECT_EQ(f.doc->GetMenu(1).difficulty, 2);
  EXPECT_EQ(f.Index(f.MenuNode(0)).data().toString(), "Hue");
}

TEST(TreeEditingGui, AttributeEditorRefusesALongNameAndCancelStoresNothing) {
  EditingGuiFixture f;
  bool openAfterOK = false;
  SetProgramFile(QCoreApplication::applicationFilePath().toStdString());  // the help pages stand beside it
  FakeHelp help;
  ModalScript script;
  script.Then([&](QDialog& dialog) {
    QTest::keyClick(&Find<QLineEdit>(dialog, "name"), Qt::Key_F1);
    Type(dialog, "name", QString(201, 'n'));
    Click(dialog, "ok");
    openAfterOK = dialog.isVisible();
    Click(dialog, "cancel");
  });
  f.RightClick(f.Node(kBlue), "Edit");
  EXPECT_TRUE(openAfterOK);
  ASSERT_EQ(help.dialogs.size(), 1u);
  EXPECT_TRUE(help.dialogs[0].ends_with("help.htm#Attribute_Editor")) << help.dialogs[0];
  EXPECT_EQ(f.ui.Messages().back(), "Enter no more than 200 characters.");
  EXPECT_EQ(f.doc->GetAttribute(kBlue).name, "Blue");
  EXPECT_FALSE(f.doc->IsModified());
}

TEST(TreeEditingGui, PictureRowsAreRemovedInTheDialogAndStoredInRowOrder) {
  EditingGuiFixture f;
  f.doc->GetAttribute(kGreen).pictures = "a.jpg;ba.jpg;c.jpg";
  ModalScript script;
  script.Then([](QDialog& dialog) {
    QListWidget* list = &Find<QListWidget>(dialog, "pictureList");
    ASSERT_EQ(list->count(), 3);
    const QRect first = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    Click(dialog, "removePicture");
    Click(dialog, "ok");
  });
  f.RightClick(f.Node(kGreen), "Edit");
  EXPECT_EQ(f.doc->GetAttribute(kGreen).pictures, "ba.jpg;c.jpg");
}

TEST(TreeEditingGui, SortAndDeleteFromThePopups) {
  EditingGuiFixture f;
  f.doc->GetAttribute(kRed).name = "beta";
  f.doc->GetAttribute(kGreen).name = "alpha";
  f.doc->GetAttribute(kBlue).name = "Alpha";
  f.RightClick(f.MenuNode(0), "Sort");
  EXPECT_EQ(f.doc->GetMenu(1).children, (std::vector<WORD>{kBlue, kGreen, kRed}));
  const std::vector<QString> labels = f.Labels(f.MenuNode(0));
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_TRUE(labels[0].endsWith("Alpha"));
  EXPECT_TRUE(labels[2].endsWith("beta"));

  f.ui.yesNoAnswers = {true};
  f.RightClick(f.MenuNode(1), "Delete");
  EXPECT_EQ(f.doc->GetMenu(0).children, (std::vector<WORD>{1}));
  EXPECT_EQ(f.tree->Model().rowCount(f.Index(f.tree->Tree().MenuRoot())), 1);
  EXPECT_TRUE(f.doc->GetAttribute(kSmall).IsFreeSlot());
}

// The picture list is labelled in both editors, and its label leads to it.
TEST(TreeEditingGui, BothEditorsLabelTheirPictureList) {
  EditingGuiFixture f;
  std::vector<QString> labels;
  auto pictureLabel = [&](QDialog& dialog) {
    QListWidget* list = &Find<QListWidget>(dialog, "pictureList");
    for (QLabel* label : dialog.findChildren<QLabel*>())
      if (label->buddy() && (label->buddy() == list || label->buddy()->isAncestorOf(list)))
        labels.push_back(label->text());
    Click(dialog, "cancel");
  };
  ModalScript script;
  script.Then(pictureLabel);
  script.Then(pictureLabel);
  f.RightClick(f.Node(kGreen), "Edit");
  f.RightClick(f.tree->Tree().FindMenuNode(1), "Edit");
  EXPECT_EQ(labels, (std::vector<QString>{"Pictures:", "Pictures:"}));
}

TEST(TreeEditingGui, AddAttributeMenuThenAttributeThroughTheDialogs) {
  EditingGuiFixture f;
  ModalScript script;
  script.Then([](QDialog& dialog) {
    Type(dialog, "title", "Shape");
    Click(dialog, "ok");
  });
  script.Then([](QDialog& dialog) {
    Type(dialog, "name", "Round");
    Click(dialog, "ok");
  });
  f.RightClick(f.tree->Tree().MenuRoot(), "Add attribute menu");
  const HTREEITEM shape = f.MenuNode(2);
  EXPECT_EQ(f.tree->GetNodeKind(shape), KIND_ATTRIBUTE_MENU);
  EXPECT_EQ(f.doc->GetMenu(3).difficulty, 4);
  f.RightClick(shape, "Insert attribute");
  EXPECT_EQ(f.doc->GetMenu(3).children, (std::vector<WORD>{5}));
  EXPECT_EQ(f.doc->GetAttribute(5).name, "Round");
  EXPECT_EQ(script.DialogsRun(), 2);
}

TEST(TreeEditingGui, LockedDatabaseOffersNoEditing) {
  EditingGuiFixture f;
  f.doc->m_header.lockWord = 0;
  f.RightClick(f.Node(kRed), "");
  for (const char* entry : {"Edit", "Delete", "Insert"})
    EXPECT_EQ(std::count(f.lastPopup.begin(), f.lastPopup.end(), entry), 0) << entry;
  f.RightClick(f.tree->Tree().MenuRoot(), "");
  for (const char* entry : {"Edit", "Add submenu", "Add attribute menu"})
    EXPECT_EQ(std::count(f.lastPopup.begin(), f.lastPopup.end(), entry), 0) << entry;
  f.doc->m_header.lockWord = 1;
  f.RightClick(f.Node(kRed), "");
  for (const char* entry : {"Edit", "Delete", "Insert"})
    EXPECT_EQ(std::count(f.lastPopup.begin(), f.lastPopup.end(), entry), 1) << entry;
}

TEST(TreeEditingGui, AddChoosesPicturesInTheDatabaseFolderForANewMenu) {
  EditingGuiFixture f;
  f.doc->m_pathName = "/keys/fruit/fruit.qor";
  SetActiveDocument(f.doc.get());
  f.ui.fileAnswers = {std::string("/keys/fruit/round.png"), std::nullopt, std::string("/keys/fruit/long.png")};
  ModalScript script;
  script.Then([](QDialog& dialog) {
    Type(dialog, "title", "Shape");
    for (int press = 0; press < 3; ++press) Click(dialog, "addPicture");  // the second chooser is cancelled
    Click(dialog, "ok");
  });
  f.RightClick(f.tree->Tree().MenuRoot(), "Add submenu");
  SetActiveDocument(nullptr, false);
  ASSERT_EQ(f.doc->MenuCount(), 4);
  EXPECT_EQ(f.doc->GetMenu(3).kind, MENU_OF_MENUS);
  EXPECT_EQ(f.doc->GetMenu(3).pictures, "round.png;long.png");
  EXPECT_EQ(f.tree->GetNodeKind(f.MenuNode(2)), KIND_MENU);
}

TEST(TreeEditingGui, HelpTextKeepsItsLineEnds) {
  EditingGuiFixture f;
  f.doc->GetAttribute(kLarge).helpText = "Longer than\r\na hand.";
  ModalScript script;
  std::string shown;
  script.Then([&](QDialog& dialog) {
    shown = Find<QPlainTextEdit>(dialog, "helpText").toPlainText().toStdString();
    Click(dialog, "ok");
  });
  f.RightClick(f.Node(kLarge), "Edit");
  EXPECT_EQ(shown, "Longer than\na hand.");
  EXPECT_EQ(f.doc->GetAttribute(kLarge).helpText, "Longer than\r\na hand.");
}

TEST(TreeEditingGui, AtTheLimitsThePopupsSayTooManyAndOpenNoEditor) {
  EditingGuiFixture f;
  std::vector<int> indices;
  for (int a = 5; a <= kMaxAttributesOrMenus; ++a) indices.push_back(a);
  f.doc->GetOrCreateAttributes(indices);
  for (int a : indices) f.doc->GetAttribute(a).menuIndex = 2;
  for (int m = f.doc->MenuCount(); m <= kMaxAttributesOrMenus; ++m)
    f.doc->m_menus.push_back(MakeMenu(MENU_OF_MENUS, 0, "m", {}));
  ModalScript script;
  f.RightClick(f.Node(kRed), "Insert");
  EXPECT_EQ(f.ui.Messages().back(), "Too many Attributes!");
  f.RightClick(f.tree->Tree().MenuRoot(), "Add submenu");
  EXPECT_EQ(f.ui.Messages().back(), "Too many menues!");
  EXPECT_EQ(script.DialogsRun(), 0);
  EXPECT_EQ(f.doc->GetMenu(1).children.size(), 3u);
}

TEST(TreeEditingGui, ReferencesAreAddedAndRenamedFromTheirPopups) {
  EditingGuiFixture f;
  f.doc->m_showReferences = 1;
  f.tree->FillReferences();
  ModalScript script;
  script.Then([](QDialog& dialog) {
    Type(dialog, "referenceTitle", "Atlas");
    Click(dialog, "okButton");
  });
  script.Then([](QDialog& dialog) {
    Type(dialog, "referenceTitle", "Bird atlas");
    Click(dialog, "okButton");
  });
  f.RightClick(f.tree->Tree().ReferencesRoot(), "Insert");
  ASSERT_EQ(f.doc->m_referenceTitles, std::vector<std::string>{"Atlas"});
  const HTREEITEM atlas = f.tree->Tree().Nodes().Children(f.tree->Tree().ReferencesRoot()).at(0);
  EXPECT_EQ(f.tree->SelectedNode(), atlas);
  f.RightClick(atlas, "Edit");
  EXPECT_EQ(f.doc->m_referenceTitles, std::vector<std::string>{"Bird atlas"});
  EXPECT_EQ(f.Index(atlas).data().toString(), "Bird atlas");
  EXPECT_EQ(script.DialogsRun(), 2);
}

// Each editor opens with the keyboard in its first field: typed keys land
// there without a click.
TEST(TreeEditingGui, EditorsOpenWithTheFocusInTheirFirstField) {
  EditingGuiFixture f;
  ModalScript script;
  std::vector<std::string> focused;
  auto typeAway = [&](const char* text) {
    return [&focused, text](QDialog& dialog) {
      QWidget* focus = dialog.focusWidget();
      focused.push_back(focus ? focus->objectName().toStdString() : "<none>");
      if (!focus) return;
      QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(focus, text);
      QTest::keyClick(focus, Qt::Key_Return);
    };
  };
  script.Then(typeAway("Hue"));
  script.Then(typeAway("Pink"));
  f.RightClick(f.MenuNode(0), "Edit");
  f.RightClick(f.Node(kRed), "Insert");
  EXPECT_EQ(focused, (std::vector<std::string>{"title", "name"}));
  EXPECT_EQ(f.doc->GetMenu(1).title, "Hue");
  EXPECT_EQ(f.doc->GetAttribute(5).name, "Pink");
}

// After a refused OK the keyboard is in the field the message is about,
// wherever the user was: the menu's title or its difficulty, the attribute's
// name.
TEST(TreeEditingGui, ARefusedOkPutsTheKeyboardInTheFieldTheMessageNames) {
  EditingGuiFixture f;
  const auto focused = [](QDialog& dialog) {
    QWidget* widget = dialog.focusWidget();
    return widget ? widget->objectName().toStdString() : std::string("<none>");
  };
  std::vector<std::string> afterRefusal;
  ModalScript script;
  script.Then([&](QDialog& dialog) {
    Type(dialog, "title", "");
    TypeArea(dialog, "helpText", "shades");
    Click(dialog, "ok");  // "Menu name is empty."
    afterRefusal.push_back(focused(dialog));
    QTest::keyClicks(dialog.focusWidget(), "Hue");
    Type(dialog, "difficulty", "9");
    Find<QLineEdit>(dialog, "title").setFocus();
    QTest::keyClick(&Find<QLineEdit>(dialog, "title"), Qt::Key_Return);  // "Enter an integer between 1 and 4."
    afterRefusal.push_back(focused(dialog));
    QTest::keyClicks(dialog.focusWidget(), "3");  // the refused text is selected: typing replaces it
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  });
  script.Then([&](QDialog& dialog) {
    Type(dialog, "name", "");
    TypeArea(dialog, "helpText", "deep");
    Click(dialog, "ok");  // "Attribute name is empty."
    afterRefusal.push_back(focused(dialog));
    Click(dialog, "cancel");
  });
  f.RightClick(f.MenuNode(0), "Edit");
  f.RightClick(f.Node(kBlue), "Edit");
  EXPECT_EQ(script.DialogsRun(), 2);
  EXPECT_EQ(f.ui.Messages(), (std::vector<std::string>{"Menu name is empty.", "Enter an integer between 1 and 4.",
                                                       "Attribute name is empty."}));
  EXPECT_EQ(afterRefusal, (std::vector<std::string>{"title", "difficulty", "name"}));
  EXPECT_EQ(f.doc->GetMenu(1).title, "Hue");
  EXPECT_EQ(f.doc->GetMenu(1).difficulty, 3);
}

// The new submenu is the selected node, so its page takes the pane; the
// menu shown before is not shown again.
TEST(TreeEditingGui, AddSubmenuShowsTheNewMenusPage) {
  EditingGuiFixture f;
  QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, f.LabelPoint(f.MenuNode(0)));
  ASSERT_EQ(f.doc->m_reportKind, kReportMenuItem);
  ASSERT_EQ(f.doc->m_reportArgument, 1);
  ModalScript script;
  script.Then([](QDialog& dialog) {
    Type(dialog, "title", "Shape");
    Click(dialog, "ok");
  });
  f.RightClick(f.tree->Tree().MenuRoot(), "Add submenu");
  ASSERT_EQ(f.doc->MenuCount(), 4);
  EXPECT_EQ(f.tree->SelectedNode(), f.MenuNode(2));
  EXPECT_EQ(f.doc->m_reportKind, kReportMenuItem);
  EXPECT_EQ(f.doc->m_reportArgument, 3);
  EXPECT_NE(f.html.pages.back().html.find("Shape"), std::string::npos);
}
