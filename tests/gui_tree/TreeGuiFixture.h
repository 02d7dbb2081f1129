// The small key in a real tree pane and item list, with a recording HTML view.
#pragma once

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "database/CommandIds.h"
#include "reports/Report.h"
#include "shell/qt/ItemListBox.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/TreeModel.h"
#include "tree/SmallKey.h"

struct TreeGuiFixture {
  // The key is made once the scripted answers are in place.
  explicit TreeGuiFixture(const std::function<std::unique_ptr<CZAVDoc>()>& makeKey = [] { return MakeSmallKey(); })
      : doc(makeKey()) {
    g_partialMatchWarned = false;
    tree = std::make_unique<CLeftView>(*doc);
    list = std::make_unique<CItemListView>(*doc);
    doc->AttachViews(&html, tree.get(), list.get());
    doc->InstallReportDriver();
    tree->resize(400, 600);
    list->resize(300, 300);
    tree->show();
    list->show();
    tree->expandAll();
    QApplication::processEvents();
    tree->SetPopupRunner([this](QMenu& menu, const QPoint&) {
      ++popups;
      lastPopup.clear();
      for (QAction* action : menu.actions())
        if (!action->isSeparator()) lastPopup.push_back(action->text().toStdString());
      return chosen.empty() ? nullptr : Find(menu, chosen);
    });
    tree->SetCtrlQuery([this] { return ctrl; });
  }
  ~TreeGuiFixture() { doc->AttachViews(nullptr, nullptr, nullptr); }

  static QAction* Find(QMenu& menu, const std::string& text) {
    for (QAction* action : menu.actions())
      if (action->text().toStdString() == text) return action;
    return nullptr;
  }
  HTREEITEM Node(int attribute) const { return tree->Tree().FindAttributeNode(attribute); }
  QModelIndex Index(HTREEITEM node) const { return tree->Model().IndexOf(node); }
  QString Label(int attribute) const { return Index(Node(attribute)).data(Qt::DisplayRole).toString(); }
  int Image(int attribute) const { return tree->Tree().Nodes().Image(Node(attribute)); }
  QPoint LabelPoint(HTREEITEM node) const {
    const QRect rect = tree->visualRect(Index(node));
    return {rect.left() + 40, rect.center().y()};
  }
  static void SendMouse(QWidget* viewport, QEvent::Type type, Qt::MouseButton button, const QPoint& at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, viewport->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button, const QPoint& at) {
    SendMouse(tree->viewport(), type, button, at);
  }
  // A press and a release on the item list, as a click of the user's mouse.
  void ListClick(Qt::MouseButton button, const QPoint& at) {
    QWidget* viewport = list->ListBox().viewport();
    SendMouse(viewport, QEvent::MouseButtonPress, button, at);
    SendMouse(viewport, QEvent::MouseButtonRelease, button, at);
  }
  void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
  }

  // The user's place in the tree: Size closed by its key, Green clicked.
  void CloseSizeAndSelectGreen() {
    const HTREEITEM size = tree->Tree().Nodes().Parent(Node(kSmall));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, LabelPoint(size));
    QTest::keyClick(tree.get(), Qt::Key_Left);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, LabelPoint(Node(kGreen)));
    ASSERT_FALSE(tree->isExpanded(Index(size)));
    ASSERT_EQ(tree->SelectedNode(), Node(kGreen));
  }
  void ExpectPlaceKept() const {
    const CTreeNodes& nodes = tree->Tree().Nodes();
    EXPECT_EQ(tree->SelectedNode(), Node(kGreen));
    EXPECT_TRUE(tree->isExpanded(Index(tree->Tree().MenuRoot())));
    EXPECT_TRUE(tree->isExpanded(Index(nodes.Parent(Node(kGreen)))));
    EXPECT_FALSE(tree->isExpanded(Index(nodes.Parent(Node(kSmall)))));
  }

  ScriptedUi ui;
  std::unique_ptr<CZAVDoc> doc;
  RecordingHtml html;
  std::unique_ptr<CLeftView> tree;
  std::unique_ptr<CItemListView> list;
  int popups = 0;
  std::vector<std::string> lastPopup;
  std::string chosen;
  bool ctrl = false;
};
