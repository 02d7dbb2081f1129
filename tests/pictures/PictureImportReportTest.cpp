// The two picture import reports and the commands that start them.
#include <gtest/gtest.h>

#include "database/UtilityFunction.h"
#include "fakes/ScriptedLocationChooser.h"
#include "platform/ErrorBox.h"
#include "reportpages/ReportTestDatabase.h"
#include "reports/HtmlWriter.h"
#include "reports/PictureImportCommands.h"
#include "reports/Report.h"
#include "reports/ReportPictureImport.h"

namespace reportpages_test {
namespace {

namespace fs = std::filesystem;

class PictureImportReportTest : public ReportPagesTest {
 protected:
  void SetUp() override {
    ReportPagesTest::SetUp();
    import = folder.string() + "-import";
    fs::create_directories(import);
    doc->SetModifiedFlag(false);
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(import, error);
    ReportPagesTest::TearDown();
  }
  static void Put(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "picture";
  }
  static std::string Line(const std::string& text) { return "<p>" + text + "</p>"; }

  fs::path import;
  ScriptedLocationChooser chooser;
};

TEST_F(PictureImportReportTest, ImportFolderInsideTheDatabaseFolderIsRefused) {
  doc->GetItem(jay).pictures = "jay.jpg";
  Put(folder / "pics" / "sub" / "jay.jpg");
  RunItemPictureImport(*doc, (folder / "pics").string());
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{kImportFolderInsideDatabase});
  EXPECT_EQ(view.last().find("<html>"), std::string::npos);
  EXPECT_EQ(doc->GetItem(jay).pictures, "jay.jpg");
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(PictureImportReportTest, SiblingFolderWithALongerNameIsAccepted) {
  ASSERT_EQ(import.string().rfind(folder.string(), 0), 0u);  // its text begins with the database folder's
  RunMenuPictureImport(*doc, import.string());
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_NE(view.last().find("<h1>Images import report.</h1>"), std::string::npos);
  EXPECT_NE(view.last().find(CReport::CourierSpan("There is no image file references.")), std::string::npos);
}

TEST_F(PictureImportReportTest, ItemImportResolvesRemainingItemsInNameOrder) {
  doc->GetItem(jay).pictures = "jay.jpg";
  doc->GetItem(magpie).pictures = "magpie.jpg";
  Put(import / "sub" / "jay.jpg");
  Put(import / "magpie.jpg");
  Mark(kRound, MARK_YES);  // the Magpie drops out and is not imported
  RunItemPictureImport(*doc, import.string());
  const std::string& page = view.last();
  EXPECT_NE(page.find("<h1>Images import report</h1><div class='param'>"), std::string::npos);
  auto itemLink = [&](int item) {
    return FormatLink("item%20", item, CReport::VerdanaSpan(GetItemDisplayName(*doc, item)));
  };
  const std::string jayBlock =
      "<br>" + itemLink(jay) + Line(" : image file sub\\jay.jpg is copied and path is changed.");
  const std::string robinBlock = "<br>" + itemLink(robin) + Line(" : image file robin.jpg already exists, skipped.");
  ASSERT_NE(page.find(jayBlock), std::string::npos);
  ASSERT_NE(page.find(robinBlock), std::string::npos);
  EXPECT_LT(At(page, jayBlock), At(page, robinBlock));
  EXPECT_EQ(page.find(GetItemDisplayName(*doc, magpie)), std::string::npos);
  EXPECT_EQ(doc->GetItem(jay).pictures, "sub\\jay.jpg;");
  EXPECT_EQ(doc->GetItem(magpie).pictures, "magpie.jpg");
  EXPECT_FALSE(fs::exists(folder / "magpie.jpg"));
  EXPECT_TRUE(fs::exists(folder / "sub" / "jay.jpg"));
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(PictureImportReportTest, ItemWithoutPicturesSaysSo) {
  RunItemPictureImport(*doc, import.string());
  EXPECT_NE(view.last().find(FormatLink("item%20", crow, CReport::VerdanaSpan(GetItemDisplayName(*doc, crow))) +
                             "<p> : image file attribute is empty.</p>"),
            std::string::npos);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(PictureImportReportTest, MenuImportGoesByTitleOrPathAndAsksWithIt) {
  doc->GetMenu(kBody).pictures = "body.jpg";
  doc->GetAttribute(kRound).pictures = "round.jpg";
  Put(import / "body.jpg");
  Put(import / "a" / "round.jpg");
  Put(import / "b" / "round.jpg");
  chooser.answers = {0};
  RunMenuPictureImport(*doc, import.string());
  const std::string& page = view.last();
  EXPECT_NE(page.find("<br>&bull;" + FormatLink("menu", kBody, CReport::VerdanaSpan("Body")) +
                      CReport::CourierSpan(" : image file body.jpg is copied.")),
            std::string::npos);
  EXPECT_NE(page.find("<br>&bull;" + CReport::VerdanaSpan("Body / Shape") + " : " +
                      FormatLink("att", kRound, CReport::VerdanaSpan("Round")) +
                      CReport::CourierSpan(" : image file a\\round.jpg is copied and path is changed.")),
            std::string::npos);
  ASSERT_EQ(chooser.questions.size(), 1u);
  EXPECT_EQ(chooser.questions[0].itemText, "Body / Shape");
  EXPECT_EQ(doc->GetAttribute(kRound).pictures, "a\\round.jpg;");
  EXPECT_EQ(doc->GetMenu(kBody).pictures, "body.jpg");
  EXPECT_EQ(page.find("There is no image file references."), std::string::npos);
}

TEST_F(PictureImportReportTest, ImportFolderIsAskedAndCleaned) {
  ui.fileAnswers = {std::optional<std::string>(import.string() + "/ \\")};
  EXPECT_EQ(AskImportFolder(*doc), import.string());
  EXPECT_EQ(ui.shown.back().text, "Choose Import Folder");

  ui.fileAnswers = {std::nullopt};
  EXPECT_FALSE(AskImportFolder(*doc).has_value());

  ui.fileAnswers = {std::optional<std::string>("/ ")};
  EXPECT_THROW(AskImportFolder(*doc), UserAbort);
  EXPECT_EQ(ui.Messages().back(), "Unable to get the folder name.");
}

TEST_F(PictureImportReportTest, CommandsRunTheReportsOnlyWithAFolder) {
  ui.fileAnswers = {std::nullopt};
  const auto pagesBefore = view.pages.size();
  OnImportItemImages(*doc);
  EXPECT_EQ(view.pages.size(), pagesBefore);
  ui.fileAnswers = {std::optional<std::string>(import.string())};
  OnImportItemImages(*doc);
  EXPECT_NE(view.last().find("<h1>Images import report</h1>"), std::string::npos);
  EXPECT_NE(dynamic_cast<ActionForItemsReport*>(view.action()), nullptr);
  ui.fileAnswers = {std::optional<std::string>(import.string())};
  OnImportMenuImages(*doc);
  EXPECT_NE(view.last().find("<h1>Images import report.</h1>"), std::string::npos);
  ASSERT_NE(dynamic_cast<ActionFindMenuAndItem*>(view.action()), nullptr);
  EXPECT_EQ(view.action()->m_kind, kReportPictureImport2);
  EXPECT_EQ(ImportItemImagesCommandText(*doc), "Import and Resolve Location " + doc->GetSpeciesLabel() + " images");
  doc->m_header.scientificNamesEnabled = 0;
  EXPECT_EQ(ImportItemImagesCommandText(*doc), "Import and Resolve Location " + doc->GetCommonLabel() + " images");
}

}  // namespace
}  // namespace reportpages_test
