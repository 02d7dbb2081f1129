// Copy, cut and paste of menu branches in the tree, by their keys, inside
// one database and from one open database into another.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMimeData>
#include <QTest>

#include "ProgramTestSupport.h"
#include "database/CommandIds.h"
#include "editors/ClipboardMenu.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/TreeClipboard.h"
#include "shell/qt/TreeModel.h"

using namespace program_test;

namespace {

class TreeClipboardKeysTest : public ProgramTest {
 protected:
  CChildFrame* Open(const std::string& name, const std::string& title, bool locked = false) {
    CChildFrame* frame = m_app->OpenDocumentFile(Database(name, title, locked));
    Pump();
    return frame;
  }
  // Selects the node in the frame's tree with the focus there, as a click
  // would, and brings the menus' states up to date.
  void Select(CChildFrame* frame, HTREEITEM node) {
    // The keys of the menus reach their actions in the active window only.
    m_app->MainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_app->MainFrame()));
    m_app->MainFrame()->MdiArea()->setActiveSubWindow(frame);
    frame->LeftView()->setFocus();
    frame->LeftView()->SelectNode(node);
    m_app->MainFrame()->UpdateCommandStates();
  }
  void Keys(CChildFrame* frame, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(frame->LeftView(), key, modifiers);
    Pump();
  }
  static HTREEITEM RootChild(CChildFrame* frame, int row) {
    CMenuTree& tree = frame->LeftView()->Tree();
    return tree.Nodes().Children(tree.MenuRoot()).at(row);
  }
  static std::vector<std::uint8_t> ClipboardBytes() {
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    const QByteArray bytes = held ? held->data(CTreeClipboard::kMimeType) : QByteArray();
    return {bytes.begin(), bytes.end()};
  }
  bool Enabled(int command) const { return m_app->MainFrame()->Action(command)->isEnabled(); }
};

}  // namespace

TEST_F(TreeClipboardKeysTest, CopyInOneDatabaseAndPasteInAnother) {
  StartApp();
  ASSERT_TRUE(m_app->InitInstance({QString::fromStdString(Database("first.qor", "First"))}));
  CChildFrame* first = m_app->MainFrame()->ActiveChild();
  CChildFrame* second = Open("second.qor", "Second");
  ASSERT_NE(second, nullptr);
  ASSERT_NE(first, second);
  CZAVDoc& from = first->GetDocument();
  CZAVDoc& into = second->GetDocument();

  Select(first, RootChild(first, 0));
  EXPECT_TRUE(Enabled(cmd::kEditCopy));
  EXPECT_FALSE(Enabled(cmd::kEditPaste));  // a menu of attributes takes no menu
  QGuiApplication::clipboard()->clear();
  Keys(first, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(ClipboardBytes(), CClipboardMenu::Copy(from, 1));  // exactly the codec's bytes

  CMenuTree& tree = second->LeftView()->Tree();
  const std::size_t menus = into.GetMenu(0).children.size();
  Select(second, tree.MenuRoot());
  EXPECT_TRUE(Enabled(cmd::kEditPaste));
  Keys(second, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(into.GetMenu(0).children.size(), menus + 1);
  const int pasted = into.GetMenu(0).children.back();
  EXPECT_EQ(into.GetMenu(pasted).title, from.GetMenu(1).title);
  const HTREEITEM node = tree.Nodes().Children(tree.MenuRoot()).back();
  EXPECT_EQ(tree.GetNodeLabel(node), from.GetMenu(1).title);
  EXPECT_EQ(tree.Nodes().Children(node).size(), from.GetMenu(1).children.size());
  EXPECT_EQ(second->LeftView()->SelectedNode(), node);
  EXPECT_TRUE(into.IsModified());
  EXPECT_FALSE(from.IsModified());

  // The older keys do the same: Shift+Insert pastes once more.
  Select(second, tree.MenuRoot());
  Keys(second, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(into.GetMenu(0).children.size(), menus + 2);
}

TEST_F(TreeClipboardKeysTest, CutTakesTheBranchOnlyOnceTheClipboardHoldsIt) {
  StartApp();
  ASSERT_TRUE(m_app->InitInstance({QString::fromStdString(Database("cut.qor", "Cut"))}));
  CChildFrame* frame = m_app->MainFrame()->ActiveChild();
  CZAVDoc& doc = frame->GetDocument();
  const WORD cut = doc.GetMenu(0).children.front();
  const auto expected = CClipboardMenu::Copy(doc, cut);
  Select(frame, RootChild(frame, 0));
  EXPECT_TRUE(Enabled(cmd::kEditCut));
  QGuiApplication::clipboard()->clear();
  m_ui.yesNoAnswers = {true};  // the branch's item data may go
  Keys(frame, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(ClipboardBytes(), expected);
  EXPECT_EQ(doc.GetMenu(cut).kind, MENU_FREE);
  EXPECT_EQ(std::count(doc.GetMenu(0).children.begin(), doc.GetMenu(0).children.end(), cut), 0);
  CMenuTree& tree = frame->LeftView()->Tree();
  EXPECT_EQ(tree.Nodes().Children(tree.MenuRoot()).size(), doc.GetMenu(0).children.size());
  EXPECT_TRUE(doc.IsModified());

  // Ctrl+Insert copies, and the branch goes back in from the clipboard.
  Select(frame, RootChild(frame, 0));
  Keys(frame, Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(ClipboardBytes(), CClipboardMenu::Copy(doc, doc.GetMenu(0).children.front()));
}

TEST_F(TreeClipboardKeysTest, ALockedDatabaseOnlyCopies) {
  StartApp();
  ASSERT_TRUE(m_app->InitInstance({QString::fromStdString(Database("locked.qor", "Locked", true))}));
  CChildFrame* frame = m_app->MainFrame()->ActiveChild();
  CZAVDoc& doc = frame->GetDocument();
  Select(frame, RootChild(frame, 0));
  QGuiApplication::clipboard()->clear();
  Keys(frame, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(Enabled(cmd::kEditCopy));
  EXPECT_EQ(ClipboardBytes(), CClipboardMenu::Copy(doc, doc.GetMenu(0).children.front()));
  EXPECT_FALSE(Enabled(cmd::kEditCut));
  const std::size_t menus = doc.GetMenu(0).children.size();
  Keys(frame, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(doc.GetMenu(0).children.size(), menus);
  Select(frame, frame->LeftView()->Tree().MenuRoot());
  EXPECT_FALSE(Enabled(cmd::kEditPaste));
  Keys(frame, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(doc.GetMenu(0).children.size(), menus);
  EXPECT_FALSE(doc.IsModified());
}

// The clipboard carries no item data: Ctrl+X on a menu whose attributes
// items have asks first, Enter answers No, and the key keeps the menu and
// its data.
TEST_F(TreeClipboardKeysTest, CtrlXAsksBeforeLosingItemDataAndNoKeepsTheMenu) {
  StartApp();
  ASSERT_TRUE(m_app->InitInstance({QString::fromStdString(Database("data.qor", "Data"))}));
  CChildFrame* frame = m_app->MainFrame()->ActiveChild();
  CZAVDoc& doc = frame->GetDocument();
  const std::vector<WORD> menus = doc.GetMenu(0).children;
  const WORD cut = menus.front();
  ASSERT_TRUE(BranchHasItemData(doc, cut));
  Select(frame, RootChild(frame, 0));
  QGuiApplication::clipboard()->clear();
  Keys(frame, Qt::Key_X, Qt::ControlModifier);
  ASSERT_EQ(m_ui.shown.size(), 1u);
  EXPECT_EQ(m_ui.shown[0].kind, "question");
  EXPECT_FALSE(m_ui.shown[0].defaultYes);
  EXPECT_EQ(doc.GetMenu(0).children, menus);
  EXPECT_EQ(doc.GetMenu(cut).kind, MENU_OF_ATTRIBUTES);
  EXPECT_TRUE(BranchHasItemData(doc, cut));
  EXPECT_TRUE(ClipboardBytes().empty());
  EXPECT_FALSE(doc.IsModified());
}
