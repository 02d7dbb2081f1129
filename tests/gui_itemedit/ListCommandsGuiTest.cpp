// The item list's popup on an editable key: duplicate and delete by mouse.
#include <gtest/gtest.h>

#include "ItemEditFixture.h"

TEST(ItemListEditing, TheRowPopupOffersTheEditingCommandsThatWork) {
  ItemEditFixture f;
  f.ListClick(Qt::RightButton, f.RowPoint(1));
  EXPECT_EQ(f.lastPopup,
            (std::vector<std::string>{"Toggle eliminated", "Distinctive attributes", "Edit item attributes",
                                      "Edit item regions", "Edit item references", "Delete", "Duplicate"}));
  f.doc->m_header.lockWord = 0;
  f.ListClick(Qt::RightButton, f.RowPoint(1));
  EXPECT_EQ(f.lastPopup, (std::vector<std::string>{"Toggle eliminated", "Distinctive attributes"}));
}

TEST(ItemListEditing, DuplicateAddsTheCopyAndSelectsIt) {
  ItemEditFixture f;
  f.Choose(1, "Duplicate");
  EXPECT_EQ(f.doc->ItemCount(), 6);
  CItemListBox& box = f.list->ListBox();
  EXPECT_EQ(box.model()->rowCount(), 6);
  EXPECT_EQ(box.GetSelectedItem(), 5);
  EXPECT_EQ(box.Rows().RowsOfItem(5).size(), 1u);
  EXPECT_EQ(f.doc->m_itemNames.at(f.doc->GetItem(5).nameIndex)->name, "Cherry");
  EXPECT_EQ(f.list->CaptionText().toStdString(), f.doc->GetCommonLabel() + " 6 / 6");
  EXPECT_EQ(f.doc->m_reportKind, kReportItemDescription);
  EXPECT_EQ(f.doc->m_reportArgument, 5);
}

TEST(ItemListEditing, DeleteAsksAndRemovesOnYes) {
  ItemEditFixture f;
  f.ui.yesNoAnswers = {false};
  f.Choose(2, "Delete");
  EXPECT_EQ(f.ui.shown.back().text, "Are you sure you want to delete this item?");
  EXPECT_EQ(f.doc->ItemCount(), 5);
  EXPECT_EQ(f.list->ListBox().SelectedRow(), 1);
  f.ui.yesNoAnswers = {true};
  f.Choose(2, "Delete");
  EXPECT_EQ(f.doc->ItemCount(), 4);
  EXPECT_EQ(f.list->ListBox().model()->rowCount(), 4);
  EXPECT_EQ(f.list->ListBox().SelectedRow(), 1);
  ASSERT_FALSE(f.html.pages.empty());
  EXPECT_NE(f.html.pages.back().html.find("Item deleted!"), std::string::npos);
}

TEST(ItemListEditing, AnEmptyDatabaseOffersNoItemCommandAndRunsNone) {
  ScriptedUi ui;
  auto doc = MakeSmallKey(false);
  doc->m_header.lockWord = 1;
  CItemListView list(*doc);
  list.resize(300, 300);
  list.show();
  std::vector<std::string> texts;
  list.ListBox().SetPopupRunner([&](QMenu& menu, const QPoint&) {
    for (QAction* action : menu.actions()) texts.push_back(action->text().toStdString());
    return nullptr;
  });
  TreeGuiFixture::SendMouse(list.ListBox().viewport(), QEvent::MouseButtonPress, Qt::RightButton, {5, 5});
  for (const auto& text : texts) EXPECT_TRUE(text != "Delete" && text != "Duplicate") << text;
  int dialogs = 0;
  platform::qt::SetModalHook([&](QDialog&) { return ++dialogs, 0; });
  for (int command : {32787, 32897, 32841, 32861}) list.OnCommand(command);
  platform::qt::SetModalHook(nullptr);
  EXPECT_EQ(dialogs, 0);
  EXPECT_TRUE(ui.shown.empty());
}
