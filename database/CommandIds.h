// Command identifiers of the menus, the toolbar and the status panes. The
// numbers are those the key's users and its help pages know.
#pragma once

#include "platform/DocumentViews.h"

namespace cmd {

// Framework file and edit commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePageSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFileMru1 = 57616;  // 57616..57619: the recent files
inline constexpr int kAppExit = 57665;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelpKey = 57670;  // F1
inline constexpr int kHelpTopics = 32810;
inline constexpr int kOpenQorDatabase = 32827;

// Marking commands of the tree and the item list; the region popup of the
// views (platform/DocumentViews.h) owns their numbers.
inline constexpr int kMarkYes = kCmdMarkYes;
inline constexpr int kMarkNo = kCmdMarkNo;
inline constexpr int kMarkNever = kCmdMarkNever;
inline constexpr int kMarkOr = kCmdMarkOr;
inline constexpr int kMarkClear = kCmdMarkClear;
inline constexpr int kMarkOnly = kCmdMarkOnly;
inline constexpr int kEliminateItem = 32817;

// Document commands.
inline constexpr int kItemListReport = 32801;
inline constexpr int kClearAllMarks = 32812;
inline constexpr int kAnalyze = 32813;
inline constexpr int kLockDatabase = 32814;
inline constexpr int kExport = 32815;
inline constexpr int kRefreshTreeOrder = 32816;
inline constexpr int kItemDescriptionOptions = 32819;
inline constexpr int kItemListReportOptions = 32821;
inline constexpr int kMenuListOptions = 32822;
inline constexpr int kGallery = 32831;
inline constexpr int kGalleryOptions = 32833;
inline constexpr int kDeleteRemaining = 32842;
inline constexpr int kDeleteAllExceptRemaining = 32843;
inline constexpr int kMarkedAndEliminated = 32854;
inline constexpr int kDisplayMenus = 32856;
inline constexpr int kCommonAttributes = 32860;
inline constexpr int kToggleRightPaneRefresh = 32863;
inline constexpr int kNoMatchingImageFile = 32866;
inline constexpr int kImportItemImages = 32867;
inline constexpr int kImportMenuImages = 32868;
inline constexpr int kThumbnailRegularSize = 32870;
inline constexpr int kCreateThumbnails = 32878;
inline constexpr int kForgivenessLevel0 = 32882;  // 32882..32885: levels 0..3
inline constexpr int kMerge = 32887;
inline constexpr int kShowReferences = 32888;
inline constexpr int kShowDatabaseDescription = 32889;
inline constexpr int kUseThumbnails = 32899;
inline constexpr int kAllowMissingData = 32900;
inline constexpr int kMenuReport = 32901;
inline constexpr int kThumbnailImageSize = 32905;

// Status panes.
inline constexpr int kLockPane = 59142;
inline constexpr int kForgivenessPane = 59143;

}  // namespace cmd
