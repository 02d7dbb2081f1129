// The four report option sets, shared by the whole program: loaded from the
// user's profile at start, written back at the end. Values read are clamped
// to what the option dialogs allow, so a hand-edited profile cannot reach
// the reports with sizes they cannot lay out.
#pragma once

#include <array>

namespace platform {
class Profile;
}

// The item description report, section "Item options".
struct ItemOptions {
  int data = 0;           // "Data": show attribute data
  int dataAll = 0;        // "DataAll"
  int dataMenus = 0;      // "DataMenus"
  int dataOnly = 0;       // "DataOnly"
  int description = 1;    // "Description"
  int dontShow = 0;       // "Dont show"
  int file = 0;           // "File"
  int picture = 1;        // "Picture"
  int reference = 0;      // "Reference"
  int referenceAll = 0;   // "ReferenceALL"
  int thumbnail = 1;      // "Thumbnail"
  int externalLinks = 1;  // "ExternalLinks"
  int previousNext = 1;   // no key: every read and write sets it to 1

  void Load(platform::Profile& profile);
  void Save(platform::Profile& profile);
  static ItemOptions& Shared();
};

// The item list and references reports, section "Item list options".
struct ItemListOptions {
  int description = 1;    // "Description"
  int dontShow = 0;       // "Dont show"
  int file = 0;           // "File"
  int picture = 1;        // "Picture"
  int reference = 0;      // "Reference"
  int itemOrder = 0;      // "ItemOrder": 0 scientific, 1 common name
  int data = 1;           // "Data"
  int all = 0;            // "all"
  int thumbnail = 1;      // "Thumbnail"
  int externalLinks = 1;  // "ExternalLinks"
  int allMenus = 0;       // no key: starts at 0 in every run
  int presentOnly = 0;    // no key

  void Load(platform::Profile& profile);
  void Save(platform::Profile& profile);
  // The ten keyed values in key order, as a document keeps its copy
  // (positions: ItemListCopyIndex, database/ZAVDoc.h).
  std::array<int, 10> DocumentCopy() const;
  // What the list dialog hands back from a document's copy: Description,
  // Dont show, File, Picture, Reference, ItemOrder and ExternalLinks. The
  // data group is the dialog's own, and the thumbnail switch belongs to the
  // document alone.
  void TakeChoicesFromDocumentCopy(const std::array<int, 10>& copy);
  static ItemListOptions& Shared();
};

// The menu report, section "Menu list options".
struct MenuListOptions {
  int description = 1;  // "Description"
  int dontShow = 0;     // "Dont show"
  int file = 0;         // "File"
  int picture = 1;      // "Picture"
  int thumbnail = 0;    // no key: follows the thumbnail toggle during a run

  void Load(platform::Profile& profile);
  void Save(platform::Profile& profile);
  static MenuListOptions& Shared();
};

// The gallery, picture sizes and the right-pane refresh switch, section
// "Gallery options".
struct GalleryOptions {
  int dontShow = 0;               // "Dont show": 0 rebuilds the report after every mark
  int pictureWidth = 120;         // "PictureWidth", 10..1000
  int thumbnailSize = 120;        // "ThumbnailSize", 10..1000
  int picturesMax = 12;           // "PicturesMax", 2..100
  int picturesPerSpeciesMax = 0;  // "PicturesPerSpeciesMax", 0 for all
  int showNames = 0;              // "ShowNames"

  void Load(platform::Profile& profile);
  void Save(platform::Profile& profile);
  static GalleryOptions& Shared();
};

// The four sets through the installed profile, in start-up order.
void LoadReportOptions();
void SaveReportOptions();

inline constexpr const char* kItemOptionsSection = "Item options";
inline constexpr const char* kItemListOptionsSection = "Item list options";
inline constexpr const char* kMenuListOptionsSection = "Menu list options";
inline constexpr const char* kGalleryOptionsSection = "Gallery options";
