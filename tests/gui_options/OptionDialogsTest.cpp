// The four report option dialogs, driven by clicks and typing.
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>

#include "DialogDriving.h"
#include "database/CommandIds.h"
#include "database/ProgramFolders.h"
#include "database/UtilityFunction.h"
#include "reportpages/ReportTestDatabase.h"
#include "shell/qt/DialogCommands.h"
#include "shell/qt/DlgGalleryOptions.h"
#include "shell/qt/DlgItemOptions.h"
#include "shell/qt/DlgItemsOptions.h"
#include "shell/qt/DlgMenusOptions.h"

namespace options_test {
namespace {

using reportpages_test::ReportPagesTest;
namespace fs = std::filesystem;

class OptionDialogsTest : public ReportPagesTest {
 protected:
  void TearDown() override {
    platform::qt::SetModalHook(nullptr);
    ReportPagesTest::TearDown();
  }
  bool Enabled(QWidget& dialog, const char* name) { return Find(dialog, name)->isEnabled(); }
  bool Checked(QWidget& dialog, const char* name) { return Find(dialog, name)->isChecked(); }
};

TEST_F(OptionDialogsTest, ItemOptionsOfferAllReferencesWhileReferencesAreOn) {
  CDlgItemOptions dialog(nullptr, *doc);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Species description options");
  EXPECT_FALSE(Enabled(dialog, "allReferencesBox"));
  Click(dialog, "referencesBox");
  EXPECT_TRUE(Enabled(dialog, "allReferencesBox"));
  Click(dialog, "allReferencesBox");
  Click(dialog, "referencesBox");
  EXPECT_FALSE(Enabled(dialog, "allReferencesBox"));
  // Turning the references on again offers "all" again.
  Click(dialog, "referencesBox");
  EXPECT_TRUE(Enabled(dialog, "allReferencesBox"));
  EXPECT_TRUE(Checked(dialog, "allReferencesBox"));
  Click(dialog, "dataAllMenus");
  Click(dialog, "fileBox");
  Click(dialog, "okButton");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const ItemOptions& set = ItemOptions::Shared();
  EXPECT_EQ(set.reference, 1);
  EXPECT_EQ(set.referenceAll, 1);
  EXPECT_EQ(set.file, 1);
  EXPECT_EQ(set.data, 1);
  EXPECT_EQ(set.dataMenus, 1);
  EXPECT_EQ(set.dataAll + set.dataOnly, 0);
}

TEST_F(OptionDialogsTest, ItemOptionsStartWithReferencesOnWhenAllAreListed) {
  ItemOptions::Shared().referenceAll = 1;
  CDlgItemOptions dialog(nullptr, *doc);
  dialog.show();
  EXPECT_TRUE(Checked(dialog, "referencesBox"));
  EXPECT_TRUE(Enabled(dialog, "allReferencesBox"));
  // Without a "Thumbnails" folder the thumbnail mode cannot be chosen.
  EXPECT_FALSE(Enabled(dialog, "thumbnailBox"));
  Click(dialog, "cancelButton");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(OptionDialogsTest, GalleryChecksTheRangesAndKeepsTheDialogOpen) {
  CDlgGalleryOptions dialog(nullptr, GalleryOptionsForm::Mode::Gallery);
  dialog.show();
  Type(dialog, "sizeBox", "5");
  Click(dialog, "okButton");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Enter an integer between 10 and 1000."});
  Type(dialog, "sizeBox", "333");
  Type(dialog, "picturesMaxBox", "101");
  Click(dialog, "okButton");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui.Messages().back(), "Enter an integer between 2 and 100.");
  EXPECT_EQ(GalleryOptions::Shared().pictureWidth, 120);  // nothing stored while a check fails
  Type(dialog, "picturesMaxBox", "20");
  Type(dialog, "perSpeciesBox", "");
  Click(dialog, "showNamesBox");
  Click(dialog, "okButton");
  EXPECT_FALSE(dialog.isVisible());
  const GalleryOptions& set = GalleryOptions::Shared();
  EXPECT_EQ(set.pictureWidth, 333);
  EXPECT_EQ(set.picturesMax, 20);
  EXPECT_EQ(set.picturesPerSpeciesMax, 0);
  EXPECT_EQ(set.showNames, 1);
  EXPECT_EQ(set.thumbnailSize, 120);
}

TEST_F(OptionDialogsTest, ThumbnailModeChangesOnlyTheThumbnailSize) {
  CDlgGalleryOptions dialog(nullptr, GalleryOptionsForm::Mode::ThumbnailSize);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Thumbnail Options");
  EXPECT_FALSE(Find<QWidget>(dialog, "picturesMaxBox")->isVisible());
  EXPECT_FALSE(Find<QWidget>(dialog, "perSpeciesBoxLabel")->isVisible());
  EXPECT_FALSE(Find<QWidget>(dialog, "showNamesBox")->isVisible());
  Type(dialog, "sizeBox", "64");
  Click(dialog, "okButton");
  EXPECT_EQ(GalleryOptions::Shared().thumbnailSize, 64);
  EXPECT_EQ(GalleryOptions::Shared().pictureWidth, 120);
}

TEST_F(OptionDialogsTest, ItemListOptionsReachTheNextItemListPage) {
  ModalScript script([](QDialog& dialog) {
    EXPECT_EQ(dialog.objectName(), "itemsOptionsDialog");
    EXPECT_EQ(dialog.windowTitle(), "Species list options");
    Click(dialog, "fileBox");
    Click(dialog, "dataAll");
    Click(dialog, "scientificOrder");
    Click(dialog, "okButton");
  });
  ASSERT_TRUE(RunDialogCommand(*doc, nullptr, cmd::kItemListReportOptions));
  EXPECT_EQ(script.runs, 1);
  EXPECT_NE(view.last().find("Image name"), std::string::npos);
  EXPECT_EQ(doc->m_itemListOptions[kListFile], 1);
  EXPECT_EQ(ItemListOptions::Shared().file, 1);
  EXPECT_EQ(ItemListOptions::Shared().all, 1);
  EXPECT_EQ(ItemListOptions::Shared().itemOrder, 0);
  // The scientific order is sorted by display name, and the items point at their entries.
  EXPECT_EQ(GetOrderType(*doc), 0);
  const auto& names = doc->m_speciesNames;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int item = names[i]->itemIndex;
    if (i > 0) {
      EXPECT_LE(GetItemDisplayName(*doc, names[i - 1]->itemIndex), GetItemDisplayName(*doc, item));
    }
    if (item >= 0) {
      EXPECT_EQ(doc->GetItem(item).speciesIndex, static_cast<int>(i));
    }
  }
}

TEST_F(OptionDialogsTest, ItemListOptionsLeaveTheThumbnailSwitchToTheDocument) {
  ItemListOptions::Shared().thumbnail = 1;
  doc->m_itemListOptions[kListThumbnail] = 0;
  ModalScript script([](QDialog& dialog) {
    Click(dialog, "pictureBox");
    Click(dialog, "okButton");
  });
  ASSERT_TRUE(RunDialogCommand(*doc, nullptr, cmd::kItemListReportOptions));
  EXPECT_EQ(script.runs, 1);
  EXPECT_EQ(ItemListOptions::Shared().picture, doc->m_itemListOptions[kListPicture]);
  EXPECT_EQ(ItemListOptions::Shared().thumbnail, 1);
  EXPECT_EQ(doc->m_itemListOptions[kListThumbnail], 0);
}

TEST_F(OptionDialogsTest, MenuReportOptionsReachTheMenuPageAndTheCommandTextsNameTheItems) {
  ModalScript script([](QDialog& dialog) {
    Click(dialog, "fileBox");
    Click(dialog, "okButton");
  });
  ASSERT_TRUE(RunDialogCommand(*doc, nullptr, cmd::kMenuReport));
  EXPECT_EQ(MenuListOptions::Shared().file, 1);
  EXPECT_EQ(doc->m_reportKind, kReportMenus);
  EXPECT_EQ(DialogCommandState(*doc, cmd::kItemDescriptionOptions)->text, "Species description");
  EXPECT_EQ(DialogCommandState(*doc, cmd::kItemListReportOptions)->text, "Species list report");
  EXPECT_FALSE(DialogCommandState(*doc, cmd::kCreateThumbnails)->enabled);  // no "Thumbnails" folder
}

TEST_F(OptionDialogsTest, ItemDescriptionOptionsRebuildTheItemPageAlsoAfterCancel) {
  ReportFactory().RunReport(*doc, kReportItemDescription, robin, kFirstPage);
  const std::size_t shown = view.pages.size();
  ModalScript script([](QDialog& dialog) {
    Click(dialog, "pictureBox");
    Click(dialog, "cancelButton");
  });
  ASSERT_TRUE(RunDialogCommand(*doc, nullptr, cmd::kItemDescriptionOptions));
  EXPECT_EQ(ItemOptions::Shared().picture, 1);  // Cancel changes nothing
  EXPECT_EQ(view.pages.size(), shown + 1);
  EXPECT_EQ(doc->m_reportKind, kReportItemDescription);
}

// The narrow option dialogs are as wide as their captions need, so the
// window manager does not shorten "Species description options".
TEST_F(OptionDialogsTest, DialogsAreWideEnoughForTheirWholeCaptions) {
  std::vector<std::pair<QString, int>> seen;  // caption, width
  ModalScript script([&](QDialog& dialog) {
    seen.emplace_back(dialog.windowTitle(), dialog.width());
    Click(dialog, "cancelButton");
  });
  ASSERT_TRUE(RunDialogCommand(*doc, nullptr, cmd::kItemDescriptionOptions));
  ASSERT_TRUE(RunDialogCommand(*doc, nullptr, cmd::kMenuReport));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, "Species description options");
  EXPECT_EQ(seen[1].first, "Menu list report options");
  QFont bold = QApplication::font();
  bold.setBold(true);
  for (const auto& [caption, width] : seen)
    EXPECT_GT(width, QFontMetrics(bold).horizontalAdvance(caption) + 100) << caption.toStdString();
}

// Keeps the addresses of the help dialogs asked for.
struct RecordingHelp : IHelpDisplay {
  void ShowHelpDialog(const std::string& address) override { shown.push_back(address); }
  void OpenHelpWindow(const std::string& address) override { shown.push_back(address); }
  void OpenHtmlWindow(const std::string&) override {}
  std::vector<std::string> shown;
};

TEST_F(OptionDialogsTest, F1ShowsEachDialogsOwnHelpTopic) {
  const fs::path program = folder / "bin";
  fs::create_directories(program / "hlp");
  std::ofstream(program / "hlp" / "help.htm") << "<html></html>";
  SetProgramFile(program / "qor");
  RecordingHelp help;
  SetHelpDisplay(&help);
  CDlgItemOptions item(nullptr, *doc);
  CDlgItemsOptions items(nullptr, *doc);
  CDlgMenusOptions menus(nullptr);
  CDlgGalleryOptions gallery(nullptr, GalleryOptionsForm::Mode::Gallery);
  for (QDialog* dialog : std::initializer_list<QDialog*>{&item, &items, &menus, &gallery}) {
    dialog->show();
    QTest::keyClick(dialog, Qt::Key_F1);
    dialog->hide();
  }
  SetHelpDisplay(nullptr);
  ASSERT_EQ(help.shown.size(), 4u);
  const char* anchors[] = {"#ItemOptionsDialog", "#ItemsOptionsDialog", "#MenuReportOptionsDialog",
                           "#GaleryOptionsDialog"};
  for (int i = 0; i < 4; ++i) EXPECT_NE(help.shown[i].find(std::string("help.htm") + anchors[i]), std::string::npos);
}

}  // namespace
}  // namespace options_test
