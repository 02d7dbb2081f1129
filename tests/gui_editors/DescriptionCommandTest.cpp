#include <QRadioButton>

#include "fakes/ModalScript.h"
#include "gui_editors/EditorDialogSupport.h"
#include "gui_tree/TreeGuiFixture.h"
#include "database/UtilityFunction.h"
#include "tree/BothNameKindsKey.h"

using namespace editor_test;

namespace {

class DescriptionCommandTest : public ::testing::Test, public TreeGuiFixture {
 protected:
  void SetUp() override {
    doc->m_header.title = "Fruit";
    doc->m_showDescription = 1;
    tree->ShowDescriptionNode(true);
    QApplication::processEvents();
  }
  // A right click on the database description node.
  void RightClickDescription() {
    const HTREEITEM node = tree->Tree().DescriptionNode();
    ASSERT_TRUE(tree->Tree().Nodes().IsValid(node));
    Mouse(QEvent::MouseButtonPress, Qt::RightButton, LabelPoint(node));
    Mouse(QEvent::MouseButtonRelease, Qt::RightButton, LabelPoint(node));
  }
};

TEST_F(DescriptionCommandTest, EditOnTheDescriptionNodeRunsTheEditorAndRefreshes) {
  ModalScript script;
  bool rootKindEnabled = true;
  script.Then([&](QDialog& d) {
    EXPECT_EQ(TextOf(d, "title"), "Fruit");
    rootKindEnabled = editor_test::Find<QRadioButton>(d, "rootMenuOfAttributes").isEnabled();
    Type(d, "title", "Fruit key");
    Click(d, "scientificNames");
    Click(d, "ok");
  });
  chosen = "Edit";
  RightClickDescription();
  EXPECT_EQ(script.DialogsRun(), 1);
  EXPECT_NE(std::find(lastPopup.begin(), lastPopup.end(), "Edit"), lastPopup.end());
  EXPECT_FALSE(rootKindEnabled);
  EXPECT_EQ(doc->m_header.title, "Fruit key");
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->m_speciesNames.size(), 5u);
  EXPECT_EQ(ui.Messages().back(), "All species will be given default genus and species names");
  EXPECT_EQ(list->ListBox().Rows().RowCount(), 5);
  // The tree is whole again below its root.
  EXPECT_TRUE(tree->Tree().Nodes().IsValid(Node(kRed)));
}

TEST_F(DescriptionCommandTest, CancelChangesNothingAndALockedDatabaseOffersNoEdit) {
  ModalScript script;
  script.Then([&](QDialog& d) {
    Type(d, "title", "Other");
    Click(d, "cancel");
  });
  chosen = "Edit";
  RightClickDescription();
  EXPECT_EQ(doc->m_header.title, "Fruit");
  EXPECT_FALSE(doc->IsModified());

  doc->m_header.lockWord = 0;
  RightClickDescription();
  EXPECT_EQ(std::find(lastPopup.begin(), lastPopup.end(), "Edit"), lastPopup.end());
  EXPECT_EQ(script.DialogsRun(), 1);
}

// A key with both name kinds, opened from its bytes, in the real panes.
class NameKindSwitchListTest : public ::testing::Test, public TreeGuiFixture {
 protected:
  NameKindSwitchListTest() : TreeGuiFixture([] { return OpenKeyWithBothNameKinds(); }) {}
  // The names on the list's rows, top to bottom.
  std::vector<std::string> ListedNames() const {
    QAbstractItemModel& model = *list->ListBox().model();
    std::vector<std::string> names;
    for (int row = 0; row < model.rowCount(); ++row)
      names.push_back(GetItemDisplayName(*doc, model.index(row, 0).data(Qt::UserRole).toInt()));
    return names;
  }
};

TEST_F(NameKindSwitchListTest, ScientificNamesOffListTheItemsByCommonName) {
  doc->m_showDescription = 1;
  tree->ShowDescriptionNode(true);
  QApplication::processEvents();
  ASSERT_EQ(ListedNames().front(), "Fructus alpha / Pomaceae / Lime");
  ModalScript script;
  script.Then([&](QDialog& d) {
    Click(d, "scientificNames");
    Click(d, "ok");
  });
  ui.yesNoAnswers = {true};
  chosen = "Edit";
  const HTREEITEM node = tree->Tree().DescriptionNode();
  Mouse(QEvent::MouseButtonPress, Qt::RightButton, LabelPoint(node));
  Mouse(QEvent::MouseButtonRelease, Qt::RightButton, LabelPoint(node));
  ASSERT_EQ(script.DialogsRun(), 1);
  ASSERT_EQ(doc->m_header.scientificNamesEnabled, 0);
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Apple", "Cherry", "Lime", "Pine", "Plum"}));
}

}  // namespace
