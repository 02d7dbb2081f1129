// A key's menus built from nothing with the tree's popups: File → New, then
// menus of attributes and their attributes through the editors, saved and
// opened again as they were built.
#include <QMenu>
#include <QTest>

#include "database/ZAVDoc.h"
#include "fakes/ModalScript.h"
#include "gui_e2e/E2eSupport.h"
#include "gui_editors/EditorDialogSupport.h"
#include "shell/qt/LeftView.h"
#include "shell/qt/TreeModel.h"

namespace {

using namespace editor_test;

class NewKeyMenus : public e2e::SampleKeyTest {
 protected:
  // A right press on the node's label, choosing the popup's entry.
  void RightClick(CLeftView& tree, HTREEITEM node, const QString& entry) {
    tree.SetPopupRunner([entry](QMenu& menu, const QPoint&) -> QAction* {
      for (QAction* action : menu.actions())
        if (action->text() == entry) return action;
      ADD_FAILURE() << "no entry " << entry.toStdString();
      return nullptr;
    });
    const QModelIndex index = tree.Model().IndexOf(node);
    tree.scrollTo(index);
    const QRect rect = tree.visualRect(index);
    QTest::mouseClick(tree.viewport(), Qt::RightButton, Qt::NoModifier, {rect.left() + 40, rect.center().y()});
  }
  // The editor's answer: the one field typed, then OK.
  static ModalScript::Step Typing(const char* field, const QString& text) {
    return [field, text](QDialog& d) {
      Type(d, field, text);
      Click(d, "ok");
    };
  }
};

TEST_F(NewKeyMenus, MenusAndAttributesBuiltFromTheTreeAreSavedAndReopened) {
  ModalScript script;
  script.Then(Typing("title", "Pond life"));
  const std::string path = m_folder.filePath("pond.qor").toStdString();
  m_ui.fileAnswers = {path};
  CMainFrame& main = *m_app->MainFrame();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier);
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  ASSERT_EQ(main.ActiveChild()->GetDocument().m_pathName, path);
  CLeftView& tree = *main.ActiveChild()->LeftView();
  const HTREEITEM root = tree.Tree().MenuRoot();

  script.Then(Typing("title", "Shape"));
  RightClick(tree, root, "Add attribute menu");
  script.Then(Typing("title", "Colour"));
  RightClick(tree, root, "Add attribute menu");
  const HTREEITEM shape = tree.Tree().FindMenuNode(1);
  const HTREEITEM colour = tree.Tree().FindMenuNode(2);
  script.Then(Typing("name", "Round"));
  RightClick(tree, shape, "Insert attribute");
  script.Then(Typing("name", "Long"));
  RightClick(tree, shape, "Insert attribute");
  script.Then(Typing("name", "Oval"));  // right after Round
  RightClick(tree, tree.Tree().FindAttributeNode(0), "Insert");
  script.Then(Typing("name", "Green"));
  RightClick(tree, colour, "Insert attribute");
  EXPECT_EQ(script.DialogsRun(), 7);
  EXPECT_TRUE(main.ActiveChild()->GetDocument().IsModified());
  main.activateWindow();  // the editors had the focus; shortcuts reach only the active window
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();

  CZAVDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path));
  ASSERT_EQ(reopened.MenuCount(), 3);
  EXPECT_EQ(reopened.GetMenu(0).children, (std::vector<WORD>{1, 2}));
  EXPECT_EQ(reopened.GetMenu(1).title, "Shape");
  EXPECT_EQ(reopened.GetMenu(1).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(reopened.GetMenu(2).title, "Colour");
  EXPECT_EQ(reopened.GetMenu(1).children, (std::vector<WORD>{0, 2, 1}));
  EXPECT_EQ(reopened.GetMenu(2).children, (std::vector<WORD>{3}));
  ASSERT_EQ(reopened.AttributeCount(), 4);
  const char* names[] = {"Round", "Long", "Oval", "Green"};
  for (int a = 0; a < 4; ++a) EXPECT_EQ(reopened.GetAttribute(a).name, names[a]);
  EXPECT_EQ(reopened.GetAttribute(3).menuIndex, 2);
}

}  // namespace
