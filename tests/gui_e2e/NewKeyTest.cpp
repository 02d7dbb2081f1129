// A key started from nothing: File → New asks for the description, the new
// database is saved at once and opens again as it was described.
#include <QTest>

#include "database/LevelNames.h"
#include "database/ZAVDoc.h"
#include "fakes/ModalScript.h"
#include "gui_e2e/E2eSupport.h"
#include "gui_editors/EditorDialogSupport.h"

namespace {

using namespace editor_test;

class NewKey : public e2e::SampleKeyTest {};

TEST_F(NewKey, NewDescribedSavedAndReopened) {
  ModalScript script;
  script.Then([](QDialog& d) {
    Type(d, "title", "Pond life");
    Type(d, "databaseVersion", "0.1");
    Type(d, "menuVersion", "1");
    TypeArea(d, "description", "Animals of a garden pond");
    Click(d, "scientificNames");
    Click(d, "rootMenuOfAttributes");
    Click(d, "useLevelNames");
    Type(d, "levelSpecies", "Taxon");
    Click(d, "ok");
  });
  const std::string path = m_folder.filePath("pond.qor").toStdString();
  m_ui.fileAnswers = {path};
  CMainFrame& main = *m_app->MainFrame();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));  // shortcuts reach only the active window
  QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier);
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();

  EXPECT_EQ(script.DialogsRun(), 1);
  ASSERT_FALSE(m_ui.Messages().empty());
  EXPECT_EQ(m_ui.Messages().back(), "You must save QOR file to work with.");
  ASSERT_EQ(main.Children().size(), 2);
  EXPECT_EQ(main.ActiveChild()->GetDocument().m_pathName, path);

  CZAVDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path));
  EXPECT_EQ(reopened.m_header.title, "Pond life");
  EXPECT_EQ(reopened.m_header.dbVersion, "0.1");
  EXPECT_EQ(reopened.m_header.menuVersion, "1");
  EXPECT_EQ(reopened.m_header.description, "Animals of a garden pond");
  EXPECT_EQ(reopened.m_header.commonNamesEnabled, 1);
  EXPECT_EQ(reopened.m_header.scientificNamesEnabled, 1);
  EXPECT_TRUE(reopened.IsEditable());
  ASSERT_EQ(reopened.MenuCount(), 1);
  EXPECT_EQ(reopened.GetMenu(0).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(reopened.GetMenu(0).title, "Pond life");
  EXPECT_TRUE(reopened.m_levelNames->inUse);
  EXPECT_EQ(reopened.GetSpeciesLabel(), "Taxon");
  EXPECT_EQ(reopened.GetFamilyLabel(), "Family");
}

}  // namespace
