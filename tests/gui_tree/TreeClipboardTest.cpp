// The tree's clipboard commands on the small key: which nodes offer them,
// what the clipboard holds, and the tree after a paste and a cut.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "TreeGuiFixture.h"
#include "editors/ClipboardMenu.h"
#include "shell/qt/TreeClipboard.h"

namespace {

enum { kColourMenu = 1, kSizeMenu = 2 };

bool Enabled(CLeftView& tree, int command) { return tree.CommandStateOf(command)->enabled; }

QByteArray Held() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data ? data->data(CTreeClipboard::kMimeType) : QByteArray();
}

}  // namespace

TEST(TreeClipboard, CommandsFollowTheNodeAndTheLock) {
  TreeGuiFixture f;
  QGuiApplication::clipboard()->clear();
  f.tree->SelectNode(f.Node(kRed));
  EXPECT_FALSE(Enabled(*f.tree, cmd::kEditCopy));
  EXPECT_FALSE(Enabled(*f.tree, cmd::kEditCut));
  const HTREEITEM colour = f.tree->Tree().FindMenuNode(kColourMenu);
  f.tree->SelectNode(colour);
  EXPECT_TRUE(Enabled(*f.tree, cmd::kEditCopy));
  EXPECT_TRUE(Enabled(*f.tree, cmd::kEditCut));
  EXPECT_FALSE(Enabled(*f.tree, cmd::kEditPaste));  // a menu of attributes takes no menu
  f.tree->OnCommand(cmd::kEditCopy);
  f.tree->SelectNode(f.tree->Tree().MenuRoot());
  EXPECT_TRUE(Enabled(*f.tree, cmd::kEditPaste));
  EXPECT_FALSE(Enabled(*f.tree, cmd::kEditCut));  // the top menu stays
  f.doc->m_header.lockWord = 0;
  EXPECT_TRUE(Enabled(*f.tree, cmd::kEditCopy));
  EXPECT_FALSE(Enabled(*f.tree, cmd::kEditPaste));
}

TEST(TreeClipboard, PasteBuildsTheBranchAndCutRemovesIt) {
  TreeGuiFixture f;
  CMenuTree& tree = f.tree->Tree();
  const auto expected = CClipboardMenu::Copy(*f.doc, kColourMenu);
  f.tree->SelectNode(tree.FindMenuNode(kColourMenu));
  f.ui.yesNoAnswers = {true};  // the fruits' colours may go
  f.tree->OnCommand(cmd::kEditCut);
  const auto bytes = Held();
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
  EXPECT_EQ(f.doc->GetMenu(0).children, std::vector<WORD>{kSizeMenu});
  EXPECT_EQ(tree.Nodes().Children(tree.MenuRoot()).size(), 1u);
  EXPECT_EQ(f.tree->SelectedNode(), tree.MenuRoot());
  EXPECT_TRUE(f.doc->IsModified());

  f.tree->OnCommand(cmd::kEditPaste);
  const HTREEITEM pasted = tree.Nodes().Children(tree.MenuRoot()).back();
  EXPECT_EQ(tree.GetNodeLabel(pasted), "Colour");
  EXPECT_EQ(f.tree->SelectedNode(), pasted);
  std::vector<std::string> labels;
  for (HTREEITEM child : tree.Nodes().Children(pasted)) labels.push_back(tree.GetNodeLabel(child));
  // Pasted attributes start without item data.
  EXPECT_EQ(labels, (std::vector<std::string>{"| 0| Red", "| 0| Green", "| 0| Blue"}));
  EXPECT_EQ(Held(), bytes);  // the clipboard keeps it for another paste
}

// The pane follows the selection: the cut menu's page does not stay.
TEST(TreeClipboard, AfterCutThePaneShowsThePageOfTheNodeNowSelected) {
  TreeGuiFixture f;
  CMenuTree& tree = f.tree->Tree();
  const HTREEITEM colour = tree.FindMenuNode(kColourMenu);
  f.tree->SelectNode(colour);
  f.tree->ShowNodeReport(colour);
  ASSERT_EQ(f.doc->m_reportArgument, kColourMenu);
  const std::size_t pages = f.html.pages.size(), navigated = f.html.navigated.size();
  f.ui.yesNoAnswers = {true};
  f.tree->OnCommand(cmd::kEditCut);  // Ctrl+X reaches it through the frame's shortcuts
  ASSERT_EQ(f.tree->SelectedNode(), tree.MenuRoot());
  // The top menu has no text of its own, so its page is the opening page.
  EXPECT_EQ(f.html.pages.size(), pages);
  EXPECT_EQ(f.html.navigated.size(), navigated + 1);
}

TEST(TreeClipboard, CtrlCOnAnAttributeLeavesTheCopiedMenu) {
  TreeGuiFixture f;
  f.tree->SelectNode(f.tree->Tree().FindMenuNode(kSizeMenu));
  f.tree->OnCommand(cmd::kEditCopy);
  const QByteArray copied = Held();
  ASSERT_FALSE(copied.isEmpty());
  f.tree->SelectNode(f.Node(kRed));
  QTest::keyClick(f.tree.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Held(), copied);
}

// Another program may put anything under the type: a damaged block is
// refused with a message and the key and the tree stay as they were.
TEST(TreeClipboard, ADamagedBlockPastesNothing) {
  TreeGuiFixture f;
  CMenuTree& tree = f.tree->Tree();
  auto good = CClipboardMenu::Copy(*f.doc, kColourMenu);
  for (const std::size_t keep : {std::size_t{1}, good.size() / 2, good.size() - 1}) {
    auto data = std::make_unique<QMimeData>();
    data->setData(CTreeClipboard::kMimeType,
                  QByteArray(reinterpret_cast<const char*>(good.data()), static_cast<qsizetype>(keep)));
    QGuiApplication::clipboard()->setMimeData(data.release());
    f.tree->SelectNode(tree.MenuRoot());
    f.ui.shown.clear();
    f.tree->OnCommand(cmd::kEditPaste);
    EXPECT_EQ(f.ui.Messages().size(), 1u) << keep;
    EXPECT_EQ(f.doc->GetMenu(0).children, (std::vector<WORD>{kColourMenu, kSizeMenu}));
    EXPECT_EQ(tree.Nodes().Children(tree.MenuRoot()).size(), 2u);
    EXPECT_FALSE(f.doc->IsModified());
  }
}

// Cut and Paste carry no item data, so a cut that would lose some asks
// first (No by default, pointing to dragging); No leaves everything, and a
// branch whose attributes no item has is cut without a question.
TEST(TreeClipboard, CutAsksBeforeItLosesItemDataAndNoKeepsEverything) {
  TreeGuiFixture f;
  CMenuTree& tree = f.tree->Tree();
  QGuiApplication::clipboard()->clear();
  f.tree->SelectNode(tree.FindMenuNode(kColourMenu));
  f.ui.yesNoAnswers = {false};
  f.tree->OnCommand(cmd::kEditCut);
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].kind, "question");
  EXPECT_FALSE(f.ui.shown[0].defaultYes);
  EXPECT_NE(f.ui.shown[0].text.find("item data"), std::string::npos);
  EXPECT_NE(f.ui.shown[0].text.find("drag"), std::string::npos);
  EXPECT_EQ(f.doc->GetMenu(0).children, (std::vector<WORD>{kColourMenu, kSizeMenu}));
  EXPECT_EQ(tree.Nodes().Children(tree.MenuRoot()).size(), 2u);
  EXPECT_TRUE(Held().isEmpty());
  EXPECT_TRUE(TestBit(f.doc->GetItemAttributeBits(kApple), kRed));
  EXPECT_FALSE(f.doc->IsModified());

  for (int item = 0; item < f.doc->ItemCount(); ++item)
    for (int a : {kSmall, kLarge}) ClearBit(f.doc->GetItemAttributeBits(item), static_cast<WORD>(a));
  f.ui.shown.clear();
  f.tree->SelectNode(tree.FindMenuNode(kSizeMenu));
  f.tree->OnCommand(cmd::kEditCut);
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_EQ(f.doc->GetMenu(0).children, std::vector<WORD>{kColourMenu});
  EXPECT_FALSE(Held().isEmpty());
}
