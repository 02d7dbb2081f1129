#include "reports/ReportOptions.h"

#include <algorithm>
#include <climits>

#include "platform/Profile.h"

namespace {

// One value of a section: read with its default and clamped, or written.
class Exchange {
 public:
  Exchange(platform::Profile& profile, const char* section, bool reading)
      : m_profile(profile), m_section(section), m_reading(reading) {}

  void Flag(const char* key, int& value) { Number(key, value, 0, 1); }
  void Number(const char* key, int& value, int low, int high) {
    if (!m_reading) {
      m_profile.WriteInt(m_section, key, value);
      return;
    }
    const int stored = m_profile.GetInt(m_section, key, value);
    // A boolean stored as any non-zero value means "on".
    value = (low == 0 && high == 1) ? (stored != 0 ? 1 : 0) : std::clamp(stored, low, high);
  }

 private:
  platform::Profile& m_profile;
  const char* m_section;
  bool m_reading;
};

void ExchangeItemOptions(ItemOptions& o, Exchange& x) {
  x.Flag("Data", o.data);
  x.Flag("DataAll", o.dataAll);
  x.Flag("DataMenus", o.dataMenus);
  x.Flag("DataOnly", o.dataOnly);
  x.Flag("Description", o.description);
  x.Flag("Dont show", o.dontShow);
  x.Flag("File", o.file);
  x.Flag("Picture", o.picture);
  x.Flag("Reference", o.reference);
  x.Flag("ReferenceALL", o.referenceAll);
  x.Flag("Thumbnail", o.thumbnail);
  x.Flag("ExternalLinks", o.externalLinks);
  o.previousNext = 1;
}

void ExchangeItemListOptions(ItemListOptions& o, Exchange& x) {
  x.Flag("Description", o.description);
  x.Flag("Dont show", o.dontShow);
  x.Flag("File", o.file);
  x.Flag("Picture", o.picture);
  x.Flag("Reference", o.reference);
  x.Flag("ItemOrder", o.itemOrder);
  x.Flag("Data", o.data);
  x.Flag("all", o.all);
  x.Flag("Thumbnail", o.thumbnail);
  x.Flag("ExternalLinks", o.externalLinks);
}

void ExchangeMenuListOptions(MenuListOptions& o, Exchange& x) {
  x.Flag("Description", o.description);
  x.Flag("Dont show", o.dontShow);
  x.Flag("File", o.file);
  x.Flag("Picture", o.picture);
}

void ExchangeGalleryOptions(GalleryOptions& o, Exchange& x, bool reading) {
  x.Flag("Dont show", o.dontShow);
  x.Number("PictureWidth", o.pictureWidth, 10, 1000);
  x.Number("ThumbnailSize", o.thumbnailSize, 10, 1000);
  x.Number("PicturesMax", o.picturesMax, 2, 100);
  // Read and written in different orders, as the profile has always had them.
  if (reading) {
    x.Number("PicturesPerSpeciesMax", o.picturesPerSpeciesMax, 0, INT_MAX);
    x.Flag("ShowNames", o.showNames);
  } else {
    x.Flag("ShowNames", o.showNames);
    x.Number("PicturesPerSpeciesMax", o.picturesPerSpeciesMax, 0, INT_MAX);
  }
}

}  // namespace

void ItemOptions::Load(platform::Profile& profile) {
  *this = ItemOptions{};
  Exchange x(profile, kItemOptionsSection, true);
  ExchangeItemOptions(*this, x);
}
void ItemOptions::Save(platform::Profile& profile) {
  Exchange x(profile, kItemOptionsSection, false);
  ExchangeItemOptions(*this, x);
}
ItemOptions& ItemOptions::Shared() {
  static ItemOptions options;
  return options;
}

void ItemListOptions::Load(platform::Profile& profile) {
  const int allMenusNow = allMenus, presentOnlyNow = presentOnly;
  *this = ItemListOptions{};
  allMenus = allMenusNow;
  presentOnly = presentOnlyNow;
  Exchange x(profile, kItemListOptionsSection, true);
  ExchangeItemListOptions(*this, x);
}
void ItemListOptions::Save(platform::Profile& profile) {
  Exchange x(profile, kItemListOptionsSection, false);
  ExchangeItemListOptions(*this, x);
}
std::array<int, 10> ItemListOptions::DocumentCopy() const {
  return {description, dontShow, file, picture, reference, itemOrder, data, all, thumbnail, externalLinks};
}
void ItemListOptions::SetFromDocumentCopy(const std::array<int, 10>& copy) {
  description = copy[kListDescription];
  dontShow = copy[kListDontShow];
  file = copy[kListFile];
  picture = copy[kListPicture];
  reference = copy[kListReference];
  itemOrder = copy[kListItemOrder];
  data = copy[kListData];
  all = copy[kListAll];
  thumbnail = copy[kListThumbnail];
  externalLinks = copy[kListExternalLinks];
}
ItemListOptions& ItemListOptions::Shared() {
  static ItemListOptions options;
  return options;
}

void MenuListOptions::Load(platform::Profile& profile) {
  const int thumbnailNow = thumbnail;
  *this = MenuListOptions{};
  thumbnail = thumbnailNow;
  Exchange x(profile, kMenuListOptionsSection, true);
  ExchangeMenuListOptions(*this, x);
}
void MenuListOptions::Save(platform::Profile& profile) {
  Exchange x(profile, kMenuListOptionsSection, false);
  ExchangeMenuListOptions(*this, x);
}
MenuListOptions& MenuListOptions::Shared() {
  static MenuListOptions options;
  return options;
}

void GalleryOptions::Load(platform::Profile& profile) {
  *this = GalleryOptions{};
  Exchange x(profile, kGalleryOptionsSection, true);
  ExchangeGalleryOptions(*this, x, true);
}
void GalleryOptions::Save(platform::Profile& profile) {
  Exchange x(profile, kGalleryOptionsSection, false);
  ExchangeGalleryOptions(*this, x, false);
}
GalleryOptions& GalleryOptions::Shared() {
  static GalleryOptions options;
  return options;
}

void LoadReportOptions() {
  auto& profile = platform::UserProfile();
  ItemOptions::Shared().Load(profile);
  ItemListOptions::Shared().Load(profile);
  MenuListOptions::Shared().Load(profile);
  GalleryOptions::Shared().Load(profile);
}

void SaveReportOptions() {
  auto& profile = platform::UserProfile();
  ItemOptions::Shared().Save(profile);
  ItemListOptions::Shared().Save(profile);
  MenuListOptions::Shared().Save(profile);
  GalleryOptions::Shared().Save(profile);
}
