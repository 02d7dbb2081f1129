#include "reports/ReportOptionForms.h"

#include <cerrno>
#include <cstdlib>

#include "database/NameOrderSort.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/ReportFactory.h"

namespace {

AttributeData DataChoice(bool shown, bool all, bool allMenus, bool presentOnly) {
  if (!shown) return AttributeData::None;
  if (all) return AttributeData::All;
  if (allMenus) return AttributeData::AllMenus;
  if (presentOnly) return AttributeData::PresentOnly;
  return AttributeData::None;
}

int Flag(bool on) { return on ? 1 : 0; }

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

ItemOptionsForm ItemOptionsForm::From(const ItemOptions& o) {
  ItemOptionsForm form;
  form.picture = o.picture != 0;
  form.description = o.description != 0;
  form.file = o.file != 0;
  form.allReferences = o.referenceAll != 0;
  form.references = o.reference != 0 || form.allReferences;
  form.externalLinks = o.externalLinks != 0;
  form.thumbnail = o.thumbnail != 0;
  form.dontShow = o.dontShow != 0;
  // "All" is the widest choice and wins when a hand-edited profile set more than one.
  form.data = o.data ? DataChoice(true, o.dataAll, o.dataMenus, o.dataOnly) : AttributeData::None;
  if (o.data && form.data == AttributeData::None) form.data = AttributeData::PresentOnly;
  return form;
}

void ItemOptionsForm::ApplyTo(ItemOptions& o) const {
  o.data = Flag(data != AttributeData::None);
  o.dataAll = Flag(data == AttributeData::All);
  o.dataMenus = Flag(data == AttributeData::AllMenus);
  o.dataOnly = Flag(data == AttributeData::PresentOnly);
  o.description = Flag(description);
  o.dontShow = Flag(dontShow);
  o.file = Flag(file);
  o.picture = Flag(picture);
  o.reference = Flag(references);
  o.referenceAll = Flag(allReferences);
  o.previousNext = 1;
  o.thumbnail = Flag(thumbnail);
  o.externalLinks = Flag(externalLinks);
}

ItemListOptionsForm ItemListOptionsForm::From(const CZAVDoc& document, const ItemListOptions& o) {
  const auto& copy = document.m_itemListOptions;
  ItemListOptionsForm form;
  form.description = copy[kListDescription] != 0;
  form.dontShow = copy[kListDontShow] != 0;
  form.file = copy[kListFile] != 0;
  form.picture = copy[kListPicture] != 0;
  form.references = copy[kListReference] != 0;
  form.itemOrder = copy[kListItemOrder] != 0 ? 1 : 0;
  form.thumbnail = copy[kListThumbnail] != 0;
  form.externalLinks = copy[kListExternalLinks] != 0;
  form.data = DataChoice(true, o.all != 0, o.allMenus != 0, o.presentOnly != 0);
  return form;
}

void ItemListOptionsForm::Apply(CZAVDoc& document, ItemListOptions& o, int orderTypeBefore) const {
  auto& copy = document.m_itemListOptions;
  copy[kListItemOrder] = itemOrder;
  document.m_orderChoice = itemOrder;  // the order both name kinds follow
  copy[kListDescription] = Flag(description);
  copy[kListDontShow] = Flag(dontShow);
  copy[kListFile] = Flag(file);
  copy[kListPicture] = Flag(picture);
  copy[kListReference] = Flag(references);
  copy[kListExternalLinks] = Flag(externalLinks);
  o.data = Flag(data != AttributeData::None);
  o.all = Flag(data == AttributeData::All);
  o.allMenus = Flag(data == AttributeData::AllMenus);
  o.presentOnly = Flag(data == AttributeData::PresentOnly);
  copy[kListData] = o.data;
  copy[kListAll] = o.all;
  SortCurrentNameOrder(document);
  if (GetOrderType(document) != orderTypeBefore) {
    if (ILeftView* tree = document.GetLeftView()) tree->RefreshItemList();
    document.ShowReport(false);
  }
  if (document.m_reportKind == kReportItemList) ReportFactory().RunReport(document, kReportItemList, -1, kFirstPage);
  // The set written at the end of the run holds the last values chosen.
  o.TakeChoicesFromDocumentCopy(copy);
}

MenuListOptionsForm MenuListOptionsForm::From(const MenuListOptions& o) {
  return {o.picture != 0, o.description != 0, o.file != 0, o.dontShow != 0};
}

void MenuListOptionsForm::ApplyTo(MenuListOptions& o) const {
  o.picture = Flag(picture);
  o.description = Flag(description);
  o.file = Flag(file);
  o.dontShow = Flag(dontShow);
}

GalleryOptionsForm GalleryOptionsForm::From(const GalleryOptions& o, Mode mode) {
  GalleryOptionsForm form;
  form.mode = mode;
  form.size = std::to_string(mode == Mode::ThumbnailSize ? o.thumbnailSize : o.pictureWidth);
  form.picturesMax = std::to_string(o.picturesMax);
  form.picturesPerSpeciesMax = std::to_string(o.picturesPerSpeciesMax);
  form.showNames = o.showNames != 0;
  return form;
}

std::optional<std::string> GalleryOptionsForm::Check() const {
  if (!ParseIntegerInRange(size, kSizeMin, kSizeMax)) return IntegerRangeMessage(kSizeMin, kSizeMax);
  if (mode == Mode::Gallery && !ParseIntegerInRange(picturesMax, kPicturesMin, kPicturesMax))
    return IntegerRangeMessage(kPicturesMin, kPicturesMax);
  return std::nullopt;
}

void GalleryOptionsForm::ApplyTo(GalleryOptions& o) const {
  if (mode == Mode::ThumbnailSize) {
    o.thumbnailSize = ParseIntegerInRange(size, kSizeMin, kSizeMax).value_or(o.thumbnailSize);
    return;
  }
  o.pictureWidth = ParseIntegerInRange(size, kSizeMin, kSizeMax).value_or(o.pictureWidth);
  o.picturesMax = ParseIntegerInRange(picturesMax, kPicturesMin, kPicturesMax).value_or(o.picturesMax);
  o.showNames = Flag(showNames);
  // Blank or not a number means every picture of an item.
  o.picturesPerSpeciesMax = ParseIntegerInRange(picturesPerSpeciesMax, 0, 1 << 30).value_or(0);
}

std::string IntegerRangeMessage(int low, int high) {
  return "Enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".";
}

std::optional<int> ParseIntegerInRange(const std::string& text, int low, int high) {
  const std::string trimmed = Trimmed(text);
  if (trimmed.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(trimmed.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return std::nullopt;
  return static_cast<int>(value);
}
