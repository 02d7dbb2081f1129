// The small key, editable, in a real tree and item list; dialogs opened
// through the modal seam are shown and handed to the test's script.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "gui_tree/TreeGuiFixture.h"
#include "platform/qt/DialogRunner.h"

struct ItemEditFixture : TreeGuiFixture {
  ItemEditFixture() {
    doc->m_header.lockWord = 1;
    list->ListBox().SetPopupRunner([this](QMenu& menu, const QPoint&) {
      lastPopup.clear();
      for (QAction* action : menu.actions()) lastPopup.push_back(action->text().toStdString());
      return chosen.empty() ? nullptr : Find(menu, chosen);
    });
    platform::qt::SetModalHook([this](QDialog& dialog) {
      ++dialogs;
      dialog.show();
      QApplication::processEvents();
      if (script) script(dialog);
      return dialog.result();
    });
  }
  ~ItemEditFixture() { platform::qt::SetModalHook(nullptr); }

  QPoint RowPoint(int row) const {
    CItemListBox& box = list->ListBox();
    return box.visualRect(box.model()->index(row, 0)).center();
  }
  // A right press on the row and the popup's entry chosen.
  void Choose(int row, const std::string& entry) {
    chosen = entry;
    ListClick(Qt::RightButton, RowPoint(row));
  }
  static void Click(QDialog& dialog, const char* button) {
    auto* found = dialog.findChild<QPushButton*>(button);
    ASSERT_NE(found, nullptr) << button;
    QTest::mouseClick(found, Qt::LeftButton);
  }
  // A click on a command of the dialog's menu bar.
  static void MenuCommand(QDialog& dialog, const char* objectName) {
    auto* bar = dialog.findChild<QMenuBar*>("editorMenuBar");
    ASSERT_NE(bar, nullptr);
    for (QAction* action : bar->actions())
      if (action->objectName() == objectName)
        return QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
    FAIL() << objectName;
  }
  bool Has(int item, int attribute) const { return TestBit(doc->GetItemAttributeBits(item), attribute); }

  std::function<void(QDialog&)> script;
  int dialogs = 0;
};
