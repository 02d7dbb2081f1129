// The location chooser answered with the mouse, alone and inside an import.
#include <QLabel>
#include <QListWidget>

#include "DialogDriving.h"
#include "database/CommandIds.h"
#include "editors/qt/DlgSelectLocation.h"
#include "reportpages/ReportTestDatabase.h"
#include "shell/qt/DialogCommands.h"

namespace options_test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kPlaces = {"./", "a/", "b/"};

// Clicks the row of the list as the mouse does.
void ClickRow(QDialog& dialog, int row) {
  auto* list = Find<QListWidget>(dialog, "candidates");
  ASSERT_NE(list, nullptr);
  const QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

TEST(LocationChooser, ShowsTheRecordAndPreselectsTheFirstPlace) {
  CDialogLocationChooser chooser;
  ModalScript script([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Import Select Location");
    EXPECT_EQ(Find<QLabel>(dialog, "itemText")->text(), "Robin");
    EXPECT_EQ(Find<QLabel>(dialog, "storedLocation")->text(), "robin.jpg");
    EXPECT_EQ(Find<QListWidget>(dialog, "candidates")->count(), 3);
    EXPECT_EQ(Find<QListWidget>(dialog, "candidates")->currentRow(), 0);
    Click(dialog, "okButton");
  });
  EXPECT_EQ(chooser.ChooseLocation("Robin", "robin.jpg", kPlaces), 0);
}

TEST(LocationChooser, AClickedRowIsTheChoiceAndCancelSkips) {
  CDialogLocationChooser chooser;
  {
    ModalScript script([](QDialog& dialog) {
      ClickRow(dialog, 2);
      Click(dialog, "okButton");
    });
    EXPECT_EQ(chooser.ChooseLocation("Robin", "robin.jpg", kPlaces), 2);
  }
  ModalScript script([](QDialog& dialog) {
    ClickRow(dialog, 1);
    Click(dialog, "cancelButton");
  });
  EXPECT_EQ(chooser.ChooseLocation("Robin", "robin.jpg", kPlaces), std::nullopt);
}

TEST(LocationChooser, WithoutPlacesOkStaysOpenAndOnlyCancelEnds) {
  CDialogLocationChooser chooser;
  ModalScript script([](QDialog& dialog) {
    Click(dialog, "okButton");
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, "cancelButton");
  });
  EXPECT_EQ(chooser.ChooseLocation("Robin", "robin.jpg", {}), std::nullopt);
}

class ImportWithChooserTest : public reportpages_test::ReportPagesTest {
 protected:
  void TearDown() override {
    platform::SetLocationChooser(nullptr);
    fs::remove_all(import);
    ReportPagesTest::TearDown();
  }
  fs::path import = folder.string() + "-import";
};

TEST_F(ImportWithChooserTest, TheImportCommandAsksForTheFolderThenForThePlace) {
  doc->GetItem(jay).pictures = "jay.jpg";
  for (const char* sub : {"one", "two"}) {
    fs::create_directories(import / sub);
    std::ofstream(import / sub / "jay.jpg") << sub;
  }
  CDialogLocationChooser chooser;
  platform::SetLocationChooser(&chooser);
  ui.fileAnswers.push_back(import.string() + "/");
  ModalScript script([](QDialog& dialog) {
    ClickRow(dialog, 1);
    Click(dialog, "okButton");
  });
  ASSERT_TRUE(RunDialogCommand(*doc, nullptr, cmd::kImportItemImages));
  EXPECT_EQ(script.runs, 1);
  // Stored names keep the database's own separator.
  EXPECT_EQ(doc->GetItem(jay).pictures, "two\\jay.jpg;");
  std::ifstream copied(folder / "two" / "jay.jpg");
  std::string text;
  copied >> text;
  EXPECT_EQ(text, "two");
  EXPECT_NE(view.last().find("image file two\\jay.jpg is copied and path is changed."), std::string::npos);
}

}  // namespace
}  // namespace options_test
