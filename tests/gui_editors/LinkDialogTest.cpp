#include <QCoreApplication>

#include "database/ProgramFolders.h"
#include "database/ZAVDoc.h"
#include "editors/qt/DlgEditLinks.h"
#include "fakes/FakeHelp.h"
#include "fakes/ModalScript.h"
#include "fakes/ScriptedUi.h"
#include "fakes/TempFolder.h"
#include "gui_editors/EditorDialogSupport.h"

using namespace editor_test;
using editors::qt::EditExternalLink;
using editors::qt::ExternalLinkText;
using editors::qt::LinkEditMode;

namespace {

class LinkDialogTest : public ::testing::Test {
 protected:
  LinkDialogTest() { doc.m_pathName = folder.File("birds/birds.qor"); }

  std::optional<ExternalLinkText> Edit(LinkEditMode mode, const ExternalLinkText& link, ModalScript::Step step) {
    ModalScript script;
    script.Then(std::move(step));
    return EditExternalLink(doc, mode, link, nullptr);
  }

  ScriptedUi ui;
  TempFolder folder;
  CZAVDoc doc;
};

TEST_F(LinkDialogTest, CaptionFollowsTheModeAndAnEmptyTextIsAccepted) {
  QString caption;
  const auto added = Edit(LinkEditMode::Add, {}, [&](QDialog& d) {
    caption = d.windowTitle();
    Type(d, "pageLocation", "./a.htm");
    Click(d, "ok");
  });
  EXPECT_EQ(caption, "Add External Link");
  EXPECT_EQ(added, (ExternalLinkText{"", "./a.htm"}));
  const auto cancelled = Edit(LinkEditMode::Edit, {"Song", "./song.htm"}, [&](QDialog& d) {
    caption = d.windowTitle();
    EXPECT_EQ(TextOf(d, "linkText"), "Song");
    EXPECT_EQ(TextOf(d, "pageLocation"), "./song.htm");
    Type(d, "linkText", "Other");
    Click(d, "cancel");
  });
  EXPECT_EQ(caption, "Edit External Link");
  EXPECT_EQ(cancelled, std::nullopt);
}

TEST_F(LinkDialogTest, ALinkTextWithTheSeparatorIsRefusedAndTheDialogStays) {
  bool stillOpen = false;
  const auto edited = Edit(LinkEditMode::Add, {}, [&](QDialog& d) {
    Type(d, "linkText", "Price @$ 3");
    Type(d, "pageLocation", "http://example.org/price");
    Click(d, "ok");
    stillOpen = d.isVisible();
    Type(d, "linkText", "Price");
    QTest::keyClick(&Find<QLineEdit>(d, "pageLocation"), Qt::Key_Return);  // Enter is OK, not Browse
  });
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find("\"@$\""), std::string::npos);
  EXPECT_EQ(edited, (ExternalLinkText{"Price", "http://example.org/price"}));
  for (const auto& shown : ui.shown) EXPECT_NE(shown.kind, "open");  // Enter never browsed
}

TEST_F(LinkDialogTest, BrowseStoresTheChosenPageRelativeToTheDatabaseFolder) {
  folder.Write("birds/song.htm");
  folder.Write("birds/pages/jay.htm");
  folder.Write("shared/index.htm");
  ui.fileAnswers = {folder.File("birds/song.htm"), folder.File("birds/pages/jay.htm"), folder.File("shared/index.htm"),
                    std::nullopt};
  std::vector<QString> shown;
  const auto edited = Edit(LinkEditMode::Edit, {"Song", "old.htm"}, [&](QDialog& d) {
    for (int browse = 0; browse < 4; ++browse) {
      Click(d, "browse");
      shown.push_back(TextOf(d, "pageLocation"));
    }
    Click(d, "ok");
  });
  // Nothing stored yet uses "/", so the file's own "\" is used; Cancel keeps the last.
  EXPECT_EQ(shown, (std::vector<QString>{".\\song.htm", ".\\pages\\jay.htm", "..\\shared\\index.htm",
                                         "..\\shared\\index.htm"}));
  EXPECT_EQ(edited, (ExternalLinkText{"Song", "..\\shared\\index.htm"}));
}

TEST_F(LinkDialogTest, BrowseOnAnUnsavedDatabaseSaysSoAndF1ShowsTheTopic) {
  SetProgramFile(QCoreApplication::applicationFilePath().toStdString());
  FakeHelp help;
  doc.m_pathName.clear();
  Edit(LinkEditMode::Add, {}, [&](QDialog& d) {
    Click(d, "browse");
    QTest::keyClick(&Find<QLineEdit>(d, "linkText"), Qt::Key_F1);
    Click(d, "cancel");
  });
  EXPECT_EQ(ui.Messages().front(), "Please save the document.");
  ASSERT_EQ(help.dialogs.size(), 1u);
  EXPECT_NE(help.dialogs[0].find("help.htm#External_Link_Editor"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(LinkDialogTest, TheTextFieldHasTheFocusAndTypedKeysFillIt) {
  std::string focused;
  const auto added = Edit(LinkEditMode::Add, {}, [&](QDialog& d) {
    QWidget* focus = d.focusWidget();
    focused = focus ? focus->objectName().toStdString() : "<none>";
    if (!focus) return;
    QTest::keyClicks(focus, "Guide");
    QTest::keyClick(focus, Qt::Key_Tab);
    QTest::keyClicks(d.focusWidget(), "./guide.htm");
    QTest::keyClick(d.focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(focused, "linkText");
  EXPECT_EQ(added, (ExternalLinkText{"Guide", "./guide.htm"}));
}

}  // namespace

namespace {

std::string FocusedName(QDialog& dialog) {
  QWidget* focus = dialog.focusWidget();
  return focus ? focus->objectName().toStdString() : "<none>";
}

// Tab goes down the fields as they stand, then to the buttons; Enter with no
// location says so and keeps the dialog with what was typed, the keyboard in
// the location.
TEST_F(LinkDialogTest, TabGoesDownTheFieldsAndAnEmptyLocationIsRefused) {
  std::vector<std::string> visited;
  bool stillOpen = false;
  std::string afterRefusal;
  QString keptText;
  const auto added = Edit(LinkEditMode::Add, {}, [&](QDialog& d) {
    for (int step = 0; step < 5; ++step) {
      visited.push_back(FocusedName(d));
      if (!d.focusWidget()) return;
      QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClicks(d.focusWidget(), "Guide");
    QTest::keyClick(d.focusWidget(), Qt::Key_Return);
    stillOpen = d.isVisible();
    if (!stillOpen) return;
    afterRefusal = FocusedName(d);
    keptText = TextOf(d, "linkText");
    QTest::keyClicks(d.focusWidget(), "./guide.htm");
    QTest::keyClick(d.focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(visited, (std::vector<std::string>{"linkText", "pageLocation", "browse", "ok", "cancel"}));
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Enter the page location."});
  EXPECT_EQ(afterRefusal, "pageLocation");
  EXPECT_EQ(keptText, "Guide");
  EXPECT_EQ(added, (ExternalLinkText{"Guide", "./guide.htm"}));
}

}  // namespace
