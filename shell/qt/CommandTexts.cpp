#include "shell/qt/CommandTexts.h"

#include <array>

#include "database/CommandIds.h"

namespace {

using K = QKeySequence;

const std::array kTexts = {
    CommandText{cmd::kFileNew, "&New", "Create a new database", K::New, false},
    CommandText{cmd::kFileOpen, "&Open...", "Open an existing database", K::Open, false},
    CommandText{cmd::kOpenQorDatabase, "Open QOR &Database", "Choose a database in the folder tree", K::UnknownKey,
                false},
    CommandText{cmd::kFileClose, "&Close", "Close the active database", K::UnknownKey, false},
    CommandText{cmd::kFileSave, "&Save", "Save the active database", K::Save, false},
    CommandText{cmd::kFileSaveAs, "Save &As...", "Save the active database with a new name", K::SaveAs, false},
    CommandText{cmd::kFilePageSetup, "Page Set&up...", "Change the printing options", K::UnknownKey, false},
    CommandText{cmd::kFilePrint, "&Print...", "Print the active document", K::Print, false},
    CommandText{cmd::kAppExit, "E&xit", "Quit the program; prompts to save databases", K::Quit, false},
    CommandText{cmd::kEditCut, "Cu&t", "Cut the selection and put it on the Clipboard", K::Cut, false},
    CommandText{cmd::kEditCopy, "&Copy", "Copy the selection and put it on the Clipboard", K::Copy, false},
    CommandText{cmd::kEditPaste, "&Paste", "Insert Clipboard contents", K::Paste, false},
    CommandText{cmd::kItemListReport, "&View image/description", "Item list report", K::UnknownKey, false},
    CommandText{cmd::kGallery, "&Gallery", "Gallery of the remaining items", K::UnknownKey, false},
    CommandText{cmd::kMarkedAndEliminated, "&Marked attributes && eliminated items",
                "Marked attributes and eliminated items", K::UnknownKey, false},
    CommandText{cmd::kAnalyze, "&Analyze", "Menu analysis", K::UnknownKey, false},
    CommandText{cmd::kDisplayMenus, "&Display Menus", "Menu list report", K::UnknownKey, false},
    CommandText{cmd::kCommonAttributes, "&Common attributes", "Attributes the remaining items share", K::UnknownKey,
                false},
    CommandText{cmd::kDeleteAllExceptRemaining, "&Delete all except remaining items",
                "Delete all except remaining items", K::UnknownKey, false},
    CommandText{cmd::kThumbnailRegularSize, "Thumbnail/regular size", "thumbnail/regular size", K::UnknownKey, false},
    CommandText{cmd::kUseThumbnails, "&Use thumbnail images", "Show thumbnails in place of pictures", K::UnknownKey,
                true},
    CommandText{cmd::kMarkYes, "YES", "Mark the attribute YES", K::UnknownKey, false},
    CommandText{cmd::kMarkNo, "NO", "Mark the attribute NO", K::UnknownKey, false},
    CommandText{cmd::kMarkClear, "Clear", "Clear the attribute's mark", K::UnknownKey, false},
    CommandText{cmd::kMarkOr, "OR", "Mark the attribute OR", K::UnknownKey, false},
    CommandText{cmd::kMarkNever, "NEVER", "Mark the attribute NEVER", K::UnknownKey, false},
    CommandText{cmd::kMarkOnly, "ONLY", "Mark the attribute ONLY", K::UnknownKey, false},
    CommandText{cmd::kClearAllMarks, "&Clear all marks", "Clear all marks", K::UnknownKey, false},
    CommandText{cmd::kEliminateItem, "Eliminate item", "Eliminate or restore the item", K::UnknownKey, false},
    CommandText{cmd::kAppAbout, "&About QOR...", "Program information", K::UnknownKey, false},
    CommandText{cmd::kHelpTopics, "&Help", "Help topics", K::UnknownKey, false},
    CommandText{cmd::kShowReferences, "Show/hide References", "Show/hide References", K::UnknownKey, true},
    CommandText{cmd::kShowDatabaseDescription, "Show/hide Database Description", "Show/hide Database Description",
                K::UnknownKey, true},
    CommandText{cmd::kMerge, "Mer&ge", "Merge two databases into a third", K::UnknownKey, false},
    CommandText{cmd::kExport, "&Export ...", "Export the database through an exporter", K::UnknownKey, false},
    CommandText{cmd::kLockDatabase, "&Lock", "Lock the database against editing", K::UnknownKey, false},
    CommandText{cmd::kForgivenessLevel0, "&Zero level", "No mismatch forgiven", K::UnknownKey, true},
    CommandText{cmd::kForgivenessLevel0 + 1, "Level -&1", "One mismatch forgiven", K::UnknownKey, true},
    CommandText{cmd::kForgivenessLevel0 + 2, "Level -&2", "Two mismatches forgiven", K::UnknownKey, true},
    CommandText{cmd::kForgivenessLevel0 + 3, "Level -&3", "Three mismatches forgiven", K::UnknownKey, true},
    CommandText{cmd::kAllowMissingData, "&Allow Missing Data", "Missing data counts as matching", K::UnknownKey, true},
    CommandText{cmd::kToggleRightPaneRefresh, "Update the &right pane after every mark operation",
                "Update the right pane after every mark operation.", K::UnknownKey, true},
    CommandText{cmd::kItemDescriptionOptions, "Item &description", "Item description report options", K::UnknownKey,
                false},
    CommandText{cmd::kItemListReportOptions, "Item &list report", "Item list report options", K::UnknownKey, false},
    CommandText{cmd::kMenuReport, "&Menu report", "Menu list report options", K::UnknownKey, false},
    CommandText{cmd::kGalleryOptions, "&Gallery", "Gallery report options", K::UnknownKey, false},
    CommandText{cmd::kThumbnailImageSize, "&Thumbnail Image Size", "Size of the thumbnails in the reports",
                K::UnknownKey, false},
    CommandText{cmd::kNoMatchingImageFile, "&No Matching Image File Present",
                "Menus, attributes and items whose pictures are missing", K::UnknownKey, false},
    CommandText{cmd::kImportItemImages, "&Import  and Resolve Location Item/Species Images",
                "Import the items' pictures from a folder", K::UnknownKey, false},
    CommandText{cmd::kImportMenuImages, "Import/Resolve Location for &Menu/Attribute Help Images and Region files",
                "Import the pictures and region files of menus and attributes from a folder", K::UnknownKey, false},
    CommandText{cmd::kCreateThumbnails, "Create &Thumbnails...", "Convert images to their thumbnail representation",
                K::UnknownKey, false},
    CommandText{cmd::kRefreshTreeOrder, "Update &order in tree", "Update order in tree", K::UnknownKey, false},
};

}  // namespace

const CommandText* FindCommandText(int command) {
  for (const auto& entry : kTexts)
    if (entry.command == command) return &entry;
  return nullptr;
}

QList<QKeySequence> CommandKeys(const CommandText& text) {
  QList<QKeySequence> keys;
  // A standard key without a binding on this desktop gives no key.
  if (const QKeySequence standard(text.key); !standard.isEmpty()) keys << standard;
  switch (text.command) {
    case cmd::kEditCopy:
      keys << QKeySequence(Qt::CTRL | Qt::Key_Insert);
      break;
    case cmd::kEditCut:
      keys << QKeySequence(Qt::SHIFT | Qt::Key_Delete);
      break;
    case cmd::kEditPaste:
      keys << QKeySequence(Qt::SHIFT | Qt::Key_Insert);
      break;
    // Closing a database window answers both keys on every desktop: the
    // platform's standard Close key is only one of them, and which one
    // depends on the desktop's key scheme.
    case cmd::kFileClose:
      keys << QKeySequence(Qt::CTRL | Qt::Key_F4) << QKeySequence(Qt::CTRL | Qt::Key_W);
      break;
    default:
      break;
  }
  return keys;
}
