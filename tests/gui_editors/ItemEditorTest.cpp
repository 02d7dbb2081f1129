// The item editor driven as a user drives it: from the item list's popup,
// typing into its fields and clicking its buttons.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "shell/qt/mylistctrl.h"
#include "bench/GeneratedDatabase.h"
#include "editors/qt/DlgItem.h"
#include "database/UtilityFunction.h"
#include "fakes/ModalScript.h"
#include "fakes/TempFolder.h"
#include "gui_editors/EditorDialogSupport.h"
#include "gui_tree/TreeGuiFixture.h"
#include "shell/qt/ItemEditCommands.h"
#include "shell/qt/PictureListPanel.h"

using editor_test::Click;
using editor_test::TextOf;
using editor_test::Type;

namespace {

struct ItemEditorFixture : TreeGuiFixture {
  ItemEditorFixture() {
    doc->m_header.lockWord = 1;  // editable
    InstallItemEditCommands(*list, *tree);
    list->ListBox().SetPopupRunner([this](QMenu& menu, const QPoint&) {
      listPopup.clear();
      for (QAction* action : menu.actions()) listPopup.push_back(action->text().toStdString());
      return Find(menu, listChoice);
    });
  }
  // A right click on the row, choosing the popup entry.
  void ChooseOnRow(int row, const std::string& entry) {
    listChoice = entry;
    const QRect rect = list->ListBox().visualRect(list->ListBox().model()->index(row, 0));
    ListClick(Qt::RightButton, rect.center());
  }
  // Insert from the first row's popup, the new item named and stored with OK
  // in the script's next dialog.
  void InsertItemNamed(ModalScript& script, const QString& name) {
    script.Then([name](QDialog& dialog) {
      Type(dialog, "nameEdit", name);
      Click(dialog, "ok");
    });
    ChooseOnRow(0, "Insert");
  }
  std::vector<std::string> ItemNames() const {
    std::vector<std::string> names;
    for (const auto& entry : doc->m_itemNames) names.push_back(entry->name);
    return names;
  }

  std::vector<std::string> listPopup;
  std::string listChoice;
};

template <class T>
T* Child(QDialog& dialog, const char* name) {
  return &editor_test::Find<T>(dialog, name);
}

void ClickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void ClickRow(QTreeWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
}

QStringList RowTexts(QTreeWidget* list, int row) {
  return {list->topLevelItem(row)->text(0), list->topLevelItem(row)->text(1)};
}

}  // namespace

TEST(ItemEditorGui, InsertChecksTheNameThenStoresItSortedAndShowsIt) {
  ItemEditorFixture f;
  ModalScript script;
  script.Then([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Item Description");
    EXPECT_FALSE(Child<QPushButton>(dialog, "nextButton")->isEnabled());
    Click(dialog, "ok");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(f.ui.Messages().back(), "Name is blank.");
    Type(dialog, "nameEdit", "  Banana ");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
  });
  f.ChooseOnRow(0, "Insert");
  EXPECT_EQ(script.DialogsRun(), 1);
  EXPECT_EQ(f.ItemNames(), (std::vector<std::string>{"Apple", "Banana", "Cherry", "Lime", "Pine", "Plum"}));
  EXPECT_EQ(f.doc->GetItem(5).nameIndex, 1);
  EXPECT_EQ(f.doc->GetItem(1).nameIndex, 2);  // Cherry moved up behind the new name
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_EQ(f.list->GetSelectedItemOrNone(), 5);
  EXPECT_EQ(f.list->ListBox().Rows().RowCount(), 6);
  EXPECT_FALSE(f.html.pages.empty());
}

TEST(ItemEditorGui, AnInsertedItemKeepsTheTreesOpenMenusAndSelection) {
  ItemEditorFixture f;
  f.CloseSizeAndSelectGreen();
  ModalScript script;
  f.InsertItemNamed(script, "Banana");
  ASSERT_EQ(f.doc->ItemCount(), 6);
  f.ExpectPlaceKept();
}

TEST(ItemEditorGui, NextAndPreviousStoreAndStepAndAFailedCheckStaysPut) {
  ItemEditorFixture f;
  ModalScript script;
  script.Then([&](QDialog& dialog) {
    EXPECT_EQ(TextOf(dialog, "nameEdit"), "Apple");
    Type(dialog, "nameEdit", "Zucchini");
    Click(dialog, "nextButton");  // stored; sorted last, so Next wraps to the first row
    EXPECT_EQ(TextOf(dialog, "nameEdit"), "Cherry");
    Click(dialog, "previousButton");
    EXPECT_EQ(TextOf(dialog, "nameEdit"), "Zucchini");
    Type(dialog, "nameEdit", "");
    Click(dialog, "nextButton");
    EXPECT_EQ(f.ui.Messages().back(), "Name is blank.");
    EXPECT_EQ(TextOf(dialog, "nameEdit"), "");
    Click(dialog, "cancel");
  });
  f.ChooseOnRow(0, "Edit item description");
  EXPECT_EQ(script.DialogsRun(), 1);
  EXPECT_EQ(f.ItemNames(), (std::vector<std::string>{"Cherry", "Lime", "Pine", "Plum", "Zucchini"}));
  EXPECT_EQ(f.doc->m_itemNames[f.doc->GetItem(0).nameIndex]->name, "Zucchini");
  EXPECT_EQ(f.list->GetSelectedItemOrNone(), 0);
}

// A stored item is judged by the marks like every other, and the list keeps
// the edited item selected where its new name put it.
TEST(ItemEditorGui, AStoredItemIsJudgedByTheMarksAndStaysSelected) {
  ItemEditorFixture f;
  f.tree->MarkAttribute(MARK_YES, f.Node(kRed));
  ASSERT_EQ(f.doc->m_remainingCount, 2);  // Apple and Cherry
  ModalScript script;
  f.InsertItemNamed(script, "Banana");
  ASSERT_EQ(f.doc->ItemCount(), 6);
  EXPECT_EQ(f.doc->GetItemState(5), STATE_ELIMINATED);  // Banana is not red
  EXPECT_EQ(f.doc->m_remainingCount, 2);

  script.Then([&](QDialog& dialog) {
    EXPECT_EQ(TextOf(dialog, "nameEdit"), "Apple");
    Type(dialog, "nameEdit", "Zucchini");
    Click(dialog, "ok");
  });
  f.ChooseOnRow(0, "Edit item description");
  EXPECT_EQ(script.DialogsRun(), 2);
  EXPECT_EQ(f.list->ListBox().GetItemAtRow(0), kCherry);  // Zucchini now follows Cherry
  EXPECT_EQ(f.list->GetSelectedItemOrNone(), kApple);
  EXPECT_EQ(f.doc->m_reportArgument, kApple);
}

TEST(ItemEditorGui, PicturesAndLinksAreEditedInTheirListsAndTheLinkMarkerIsRefused) {
  ItemEditorFixture f;
  f.doc->GetItem(0).pictures = "a.jpg;ba.jpg;c.jpg";
  f.doc->GetItem(0).description = "Red.@Linksone@$a.htm\r\ntwo@$b.htm\r\n";
  TempFolder folder;
  f.doc->m_pathName = folder.File("key.qor");
  SetActiveDocument(f.doc.get());
  ModalScript script;
  script.Then([&](QDialog& dialog) {
    auto* pictures = Child<CMyListCtrl>(dialog, "pictureList");
    ASSERT_EQ(pictures->Texts(), (std::vector<std::string>{"a.jpg", "ba.jpg", "c.jpg"}));
    EXPECT_EQ(Child<QPushButton>(dialog, "addPicture")->text(), "Add Image");
    EXPECT_EQ(Child<QPushButton>(dialog, "removePicture")->text(), "Remove Image");
    // The chooser starts at the item's own first picture.
    f.ui.fileAnswers.push_back(std::nullopt);
    Click(dialog, "addPicture");
    EXPECT_EQ(f.ui.lastInitialPath, folder.File("a.jpg"));
    EXPECT_EQ(pictures->Texts().size(), 3u);
    ClickRow(pictures, 1);
    Click(dialog, "removePicture");
    EXPECT_EQ(pictures->Texts(), (std::vector<std::string>{"a.jpg", "c.jpg"}));
    // a.jpg dragged below the last row.
    ClickRow(pictures, 0);
    // The offscreen platform runs no drag session, so the drop reaches the
    // list through the handler its drop event calls, at a point below the rows.
    const QPoint below(5, pictures->visualItemRect(pictures->item(1)).bottom() + 5);
    EXPECT_TRUE(pictures->DropRow(pictures->currentRow(), pictures->DropTargetAt(below)));
    EXPECT_EQ(pictures->Texts(), (std::vector<std::string>{"c.jpg", "a.jpg"}));
    // The chooser's pick inside the database folder joins the rows by its relative name.
    f.ui.fileAnswers.push_back(folder.File("pics/d.jpg"));
    Click(dialog, "addPicture");
    EXPECT_EQ(pictures->Texts(), (std::vector<std::string>{"c.jpg", "a.jpg", "pics\\d.jpg"}));

    // Text and location stand in columns of their own, the locations lined up.
    auto* links = Child<QTreeWidget>(dialog, "linkList");
    ASSERT_EQ(links->topLevelItemCount(), 2);
    EXPECT_EQ(links->columnCount(), 2);
    EXPECT_EQ(RowTexts(links, 0), QStringList({"one", "a.htm"}));
    ClickRow(links, 0);
    Click(dialog, "removeLinkButton");
    EXPECT_EQ(links->topLevelItemCount(), 1);
    Click(dialog, "addLinkButton");  // answered by the link editor's step below
    EXPECT_EQ(RowTexts(links, 1), QStringList({"three", "c.htm"}));
    EXPECT_EQ(links->visualItemRect(links->topLevelItem(0)).left(),
              links->visualItemRect(links->topLevelItem(1)).left());
    ClickRow(links, 0);
    Click(dialog, "editLinkButton");
    EXPECT_EQ(RowTexts(links, 0), QStringList({"Two", "b.htm"}));

    auto* description = Child<QPlainTextEdit>(dialog, "descriptionEdit");
    description->setFocus();
    QTest::keyClick(description, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(description, " See @Links");
    Click(dialog, "ok");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(f.ui.Messages().back(),
              "The description may not contain \"@Links\": it marks the start of the external links.");
    for (int i = 0; i < 11; ++i) QTest::keyClick(description, Qt::Key_Backspace);
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
  });
  script.Then([](QDialog& link) {
    Type(link, "linkText", "three");
    Type(link, "pageLocation", "c.htm");
    Click(link, "ok");
  });
  script.Then([](QDialog& link) {
    EXPECT_EQ(TextOf(link, "linkText"), "two");
    EXPECT_EQ(TextOf(link, "pageLocation"), "b.htm");
    Type(link, "linkText", "Two");
    Click(link, "ok");
  });
  f.ChooseOnRow(0, "Edit item description");
  SetActiveDocument(nullptr, false);
  EXPECT_EQ(f.doc->GetItem(0).pictures, "c.jpg;a.jpg;pics\\d.jpg;");
  EXPECT_EQ(f.doc->GetItem(0).description, "Red.@LinksTwo@$b.htm\r\nthree@$c.htm\r\n");
}

TEST(ItemEditorGui, OfferedOnEditableDatabasesOnly) {
  ItemEditorFixture f;
  f.ChooseOnRow(0, "");
  EXPECT_NE(std::find(f.listPopup.begin(), f.listPopup.end(), "Edit item description"), f.listPopup.end());
  EXPECT_NE(std::find(f.listPopup.begin(), f.listPopup.end(), "Insert"), f.listPopup.end());
  EXPECT_TRUE(f.list->OffersItemCommand(kCmdEditItem));
  f.doc->m_header.lockWord = 0;
  f.ChooseOnRow(0, "");
  EXPECT_EQ(std::find(f.listPopup.begin(), f.listPopup.end(), "Edit item description"), f.listPopup.end());
  EXPECT_EQ(std::find(f.listPopup.begin(), f.listPopup.end(), "Insert"), f.listPopup.end());
  // The item page's popup asks the list, and runs nothing on a locked database.
  ModalScript script;
  EXPECT_FALSE(f.list->EditItemDescription(0));
  EXPECT_EQ(script.DialogsRun(), 0);
}

// Opening the editor on a database at the limits; the time is printed for
// the record (the store's target lives in bench/ItemEditorBench).
TEST(ItemEditorGui, OpensQuicklyAtTheLimits) {
  ScriptedUi ui;
  auto doc = MakeGeneratedDatabase(32000, 16000, 2000, 0.10, 7);
  doc->m_header.lockWord = 1;
  QElapsedTimer timer;
  timer.start();
  CDlgItem dialog(*doc, 16000, 32000, 16000, new CPictureListPanel(CPictureListPanel::Wording::Image));
  dialog.show();
  QApplication::processEvents();
  const qint64 opened = timer.elapsed();
  std::printf("item editor opened at the limits in %lld ms\n", static_cast<long long>(opened));
  EXPECT_EQ(TextOf(dialog, "nameEdit").toStdString(), doc->m_itemNames[doc->GetItem(16000).nameIndex]->name);
}

namespace {

std::string FocusedName(QDialog& dialog) {
  QWidget* focus = dialog.focusWidget();
  return focus ? focus->objectName().toStdString() : "<none>";
}

}  // namespace

// Tab in the description moves on to the links, as Tab does in the help
// texts of the menu and attribute editors; no tab character reaches the key.
TEST(ItemEditorGui, TabInTheDescriptionMovesOnAndTypesNoTab) {
  ItemEditorFixture f;
  ModalScript script;
  std::string afterTab;
  script.Then([&](QDialog& dialog) {
    auto* description = Child<QPlainTextEdit>(dialog, "descriptionEdit");
    description->setFocus();
    QTest::keyClicks(description, "Sweet");
    QTest::keyClick(description, Qt::Key_Tab);
    afterTab = FocusedName(dialog);
    Click(dialog, "ok");
  });
  f.ChooseOnRow(0, "Edit item description");
  EXPECT_EQ(afterTab, "linkList");
  const std::string& stored = f.doc->GetItem(kApple).description;
  EXPECT_NE(stored.find("Sweet"), std::string::npos);
  EXPECT_EQ(stored.find('\t'), std::string::npos);
}

// A refused OK, Next or Previous puts the keyboard into the field the message
// names, not back where the user was.
TEST(ItemEditorGui, ARefusedStorePutsTheKeyboardInTheFieldTheMessageNames) {
  ItemEditorFixture f;
  f.doc->m_header.scientificNamesEnabled = 1;  // name, family, genus and species
  f.doc->m_orderChoice = kCommonNameOrder;     // the fruits have common names only
  ModalScript script;
  std::vector<std::string> afterRefusal;
  script.Then([&](QDialog& dialog) {
    Type(dialog, "nameEdit", "Banana");
    Type(dialog, "genusEdit", "Musa");
    Type(dialog, "speciesEdit", "acuminata");
    QTest::keyClick(&editor_test::Find<QLineEdit>(dialog, "speciesEdit"), Qt::Key_Return);  // "Family is blank."
    afterRefusal.push_back(FocusedName(dialog));
    QTest::keyClicks(dialog.focusWidget(), "Musaceae");
    Type(dialog, "speciesEdit", "");
    Click(dialog, "ok");  // "Species is blank."
    afterRefusal.push_back(FocusedName(dialog));
    editor_test::TypeArea(dialog, "descriptionEdit", "see @Links");
    Type(dialog, "speciesEdit", "acuminata");
    Click(dialog, "ok");  // the links marker
    afterRefusal.push_back(FocusedName(dialog));
    Click(dialog, "cancel");
  });
  f.ChooseOnRow(0, "Insert");
  ASSERT_EQ(f.ui.Messages().size(), 3u);
  EXPECT_EQ(f.ui.Messages()[0], "Family is blank.");
  EXPECT_EQ(afterRefusal, (std::vector<std::string>{"familyEdit", "speciesEdit", "descriptionEdit"}));
}
