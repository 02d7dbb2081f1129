#include "reports/ReportOptions.h"

#include <algorithm>
#include <climits>

#include "database/ZAVDoc.h"
#include "platform/Profile.h"

namespace {

// One value of a section: read with its default and clamped, or written.
class Exchange {
 public:
  Exchange(platform::Profile& profile, const char* section, bool reading)
      : m_profile(profile), m_section(section), m_reading(reading) {}

  bool Reading() const { return m_reading; }
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

void ExchangeFields(ItemOptions& o, Exchange& x) {
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

void ExchangeFields(ItemListOptions& o, Exchange& x) {
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

void ExchangeFields(MenuListOptions& o, Exchange& x) {
  x.Flag("Description", o.description);
  x.Flag("Dont show", o.dontShow);
  x.Flag("File", o.file);
  x.Flag("Picture", o.picture);
}

void ExchangeFields(GalleryOptions& o, Exchange& x) {
  x.Flag("Dont show", o.dontShow);
  x.Number("PictureWidth", o.pictureWidth, 10, 1000);
  x.Number("ThumbnailSize", o.thumbnailSize, 10, 1000);
  x.Number("PicturesMax", o.picturesMax, 2, 100);
  // Read and written in different orders, as the profile has always had them.
  if (x.Reading()) {
    x.Number("PicturesPerSpeciesMax", o.picturesPerSpeciesMax, 0, INT_MAX);
    x.Flag("ShowNames", o.showNames);
  } else {
    x.Flag("ShowNames", o.showNames);
    x.Number("PicturesPerSpeciesMax", o.picturesPerSpeciesMax, 0, INT_MAX);
  }
}

// One option set's section of the profile, read or written.
template <typename Options>
void ExchangeSection(Options& o, platform::Profile& profile, const char* section, bool reading) {
  Exchange x(profile, section, reading);
  ExchangeFields(o, x);
}

// The one set of each kind the whole program shares.
template <typename Options>
Options& SharedSet() {
  static Options options;
  return options;
}

// The document's copy holds the keyed values in this order.
constexpr std::array<int ItemListOptions::*, 10> kDocumentCopyFields = {
    &ItemListOptions::description, &ItemListOptions::dontShow,     &ItemListOptions::file, &ItemListOptions::picture,
    &ItemListOptions::reference,   &ItemListOptions::itemOrder,    &ItemListOptions::data, &ItemListOptions::all,
    &ItemListOptions::thumbnail,   &ItemListOptions::externalLinks};

}  // namespace

void ItemOptions::Load(platform::Profile& profile) {
  *this = ItemOptions{};
  ExchangeSection(*this, profile, kItemOptionsSection, true);
}
void ItemOptions::Save(platform::Profile& profile) { ExchangeSection(*this, profile, kItemOptionsSection, false); }
ItemOptions& ItemOptions::Shared() { return SharedSet<ItemOptions>(); }

void ItemListOptions::Load(platform::Profile& profile) {
  const int allMenusNow = allMenus, presentOnlyNow = presentOnly;
  *this = ItemListOptions{};
  allMenus = allMenusNow;
  presentOnly = presentOnlyNow;
  ExchangeSection(*this, profile, kItemListOptionsSection, true);
}
void ItemListOptions::Save(platform::Profile& profile) {
  ExchangeSection(*this, profile, kItemListOptionsSection, false);
}
std::array<int, 10> ItemListOptions::DocumentCopy() const {
  std::array<int, 10> copy{};
  for (std::size_t i = 0; i < copy.size(); ++i) copy[i] = this->*kDocumentCopyFields[i];
  return copy;
}
void ItemListOptions::TakeChoicesFromDocumentCopy(const std::array<int, 10>& copy) {
  for (const int field :
       {kListDescription, kListDontShow, kListFile, kListPicture, kListReference, kListItemOrder, kListExternalLinks})
    this->*kDocumentCopyFields[field] = copy[field];
}
ItemListOptions& ItemListOptions::Shared() { return SharedSet<ItemListOptions>(); }

void MenuListOptions::Load(platform::Profile& profile) {
  const int thumbnailNow = thumbnail;
  *this = MenuListOptions{};
  thumbnail = thumbnailNow;
  ExchangeSection(*this, profile, kMenuListOptionsSection, true);
}
void MenuListOptions::Save(platform::Profile& profile) {
  ExchangeSection(*this, profile, kMenuListOptionsSection, false);
}
MenuListOptions& MenuListOptions::Shared() { return SharedSet<MenuListOptions>(); }

void GalleryOptions::Load(platform::Profile& profile) {
  *this = GalleryOptions{};
  ExchangeSection(*this, profile, kGalleryOptionsSection, true);
}
void GalleryOptions::Save(platform::Profile& profile) {
  ExchangeSection(*this, profile, kGalleryOptionsSection, false);
}
GalleryOptions& GalleryOptions::Shared() { return SharedSet<GalleryOptions>(); }

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
