#include <QCheckBox>
#include <QCoreApplication>
#include <QRadioButton>

#include "database/LevelNames.h"
#include "database/ProgramFolders.h"
#include "database/ZAVDoc.h"
#include "editors/qt/DlgDBDescription.h"
#include "fakes/FakeHelp.h"
#include "fakes/ModalScript.h"
#include "fakes/ScriptedUi.h"
#include "fakes/TempFolder.h"
#include "gui_editors/EditorDialogSupport.h"

using namespace editor_test;
using editors::qt::RunDescriptionEditor;

namespace {

class DescriptionDialogTest : public ::testing::Test {
 protected:
  // Runs the editor on the document; the step drives it.
  bool Edit(ModalScript::Step step) {
    ModalScript script;
    script.Then(std::move(step));
    return RunDescriptionEditor(doc, nullptr);
  }

  ScriptedUi ui;
  CZAVDoc doc;
};

TEST_F(DescriptionDialogTest, OkShowsTheFirstFailingCheckAndStaysOpen) {
  std::vector<std::string> afterEachOk;
  bool stillOpen = true;
  EXPECT_TRUE(Edit([&](QDialog& d) {
    Click(d, "commonNames");  // no name kind left
    Click(d, "ok");
    afterEachOk.push_back(ui.Messages().back());
    Click(d, "scientificNames");
    Click(d, "ok");  // the title is still empty
    afterEachOk.push_back(ui.Messages().back());
    Type(d, "title", "Garden birds");
    TypeArea(d, "description", "See @Links below");
    Click(d, "ok");
    afterEachOk.push_back(ui.Messages().back());
    stillOpen = d.isVisible();
    TypeArea(d, "description", "Nineteen birds");
    QTest::keyClick(&Find<QLineEdit>(d, "title"), Qt::Key_Return);  // Enter is OK
  }));
  ASSERT_EQ(afterEachOk.size(), 3u);
  EXPECT_EQ(afterEachOk[0], "At least one item name type must be selected");
  EXPECT_EQ(afterEachOk[1], "Database title must be entered");
  EXPECT_NE(afterEachOk[2].find("\"@Links\""), std::string::npos);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(doc.m_header.title, "Garden birds");
  EXPECT_EQ(doc.m_header.description, "Nineteen birds");
  EXPECT_EQ(doc.m_header.commonNamesEnabled, 0);
  EXPECT_EQ(doc.m_header.scientificNamesEnabled, 1);
}

TEST_F(DescriptionDialogTest, RootKindIsChosenOnlyBeforeTheRootExists) {
  EXPECT_TRUE(Edit([&](QDialog& d) {
    EXPECT_TRUE(Find<QRadioButton>(d, "rootMenuOfMenus").isChecked());
    Type(d, "title", "Keys");
    Click(d, "rootMenuOfAttributes");
    Click(d, "ok");
  }));
  ASSERT_EQ(doc.MenuCount(), 1);
  EXPECT_EQ(doc.GetMenu(0).kind, MENU_OF_ATTRIBUTES);
  EXPECT_EQ(doc.GetMenu(0).title, "Keys");
  bool enabled = true, shown = false;
  EXPECT_FALSE(Edit([&](QDialog& d) {
    enabled = Find<QRadioButton>(d, "rootMenuOfMenus").isEnabled();
    shown = Find<QRadioButton>(d, "rootMenuOfAttributes").isChecked();
    Click(d, "cancel");
  }));
  EXPECT_FALSE(enabled);
  EXPECT_TRUE(shown);
}

TEST_F(DescriptionDialogTest, TurningScientificNamesOnWithItemsNamesThemAll) {
  doc.m_header.title = "Birds";
  for (const char* name : {"Robin", "Jay"}) doc.AddItem("", "", name, "", "", "");
  EXPECT_TRUE(Edit([&](QDialog& d) {
    Click(d, "scientificNames");
    Click(d, "ok");
  }));
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"All species will be given default genus and species names"});
  ASSERT_EQ(doc.m_speciesNames.size(), 2u);
  EXPECT_EQ(doc.m_speciesNames[1]->name, "species");
  EXPECT_EQ(doc.m_speciesNames[doc.GetItem(1).speciesIndex]->itemIndex, 1);
  EXPECT_EQ(doc.m_genusNames, std::vector<std::string>{"genus"});

  // Off again: No keeps everything and the dialog open; Yes deletes.
  ui.yesNoAnswers = {false, true};
  bool openAfterNo = false;
  EXPECT_TRUE(Edit([&](QDialog& d) {
    Click(d, "scientificNames");
    Click(d, "ok");
    openAfterNo = d.isVisible();
    EXPECT_EQ(doc.m_speciesNames.size(), 2u);
    Click(d, "ok");
  }));
  EXPECT_TRUE(openAfterNo);
  EXPECT_TRUE(doc.m_speciesNames.empty());
  EXPECT_EQ(doc.GetItem(0).speciesIndex, -1);
}

TEST_F(DescriptionDialogTest, LevelNamesFollowTheBoxesAndReachTheLevelsFile) {
  TempFolder folder;
  doc.m_header.title = "Birds";
  QString commonShown, familyBefore, familyAfterClick;
  bool familyEnabled = true;
  EXPECT_TRUE(Edit([&](QDialog& d) {
    EXPECT_FALSE(Find<QLineEdit>(d, "levelCommon").isEnabled());
    Click(d, "useLevelNames");
    commonShown = TextOf(d, "levelCommon");
    familyEnabled = Find<QLineEdit>(d, "levelFamily").isEnabled();
    Type(d, "levelCommon", "Vernacular");
    Click(d, "scientificNames");  // replaces what was typed
    familyAfterClick = TextOf(d, "levelFamily");
    EXPECT_EQ(TextOf(d, "levelCommon"), "Common");
    Type(d, "levelCommon", "Vernacular");
    Type(d, "levelFamily", "");
    Type(d, "levelSpecies", "Taxon");
    Click(d, "ok");
  }));
  EXPECT_EQ(commonShown, "Common");
  EXPECT_FALSE(familyEnabled);
  EXPECT_EQ(familyAfterClick, "Family");
  ASSERT_TRUE(doc.OnSaveDocument(folder.File("birds.qor")));
  LevelNames read;
  read.SetFilePath(folder.File("birds.qor"));
  ASSERT_TRUE(read.Exists());
  read.Load();
  EXPECT_EQ(read.common, "Vernacular");
  EXPECT_EQ(read.family, "");
  EXPECT_EQ(read.genus, "Genus");
  EXPECT_EQ(read.species, "Taxon");
  EXPECT_EQ(doc.GetSpeciesLabel(), "Taxon");
}

TEST_F(DescriptionDialogTest, F1OpensTheEditorsHelpTopic) {
  SetProgramFile(QCoreApplication::applicationFilePath().toStdString());
  FakeHelp help;
  EXPECT_FALSE(Edit([&](QDialog& d) {
    QTest::keyClick(&Find<QLineEdit>(d, "title"), Qt::Key_F1);
    Click(d, "cancel");
  }));
  ASSERT_EQ(help.dialogs.size(), 1u) << (ui.Messages().empty() ? "" : ui.Messages().back());
  EXPECT_NE(help.dialogs[0].find("help.htm#Database_Description_Editor"), std::string::npos);
  EXPECT_EQ(doc.MenuCount(), 0);  // Cancel stores nothing
}

}  // namespace
