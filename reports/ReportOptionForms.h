// What the four option dialogs edit while they are open, and their rules
// without widgets: the values taken from a set, the enabling of boxes, the
// range checks and what OK writes back. A dialog keeps one form and shows it.
#pragma once

#include <optional>
#include <string>

#include "reports/ReportOptions.h"

class CZAVDoc;

// The "Attribute Data" radio group of the item dialogs.
enum class AttributeData { None, PresentOnly, AllMenus, All };

struct ItemOptionsForm {
  bool picture = true, description = true, file = false, references = false, allReferences = false;
  bool externalLinks = true, thumbnail = true, dontShow = false;
  AttributeData data = AttributeData::None;

  // "all" references implies references, so a set that has the one has the other.
  static ItemOptionsForm From(const ItemOptions& options);
  // "all" is offered whenever "References" is on, however the boxes came there.
  bool AllReferencesEnabled() const { return references; }
  void ApplyTo(ItemOptions& options) const;
};

struct ItemListOptionsForm {
  bool picture = true, description = true, file = false, references = false, externalLinks = true;
  bool thumbnail = true, dontShow = false;
  int itemOrder = 0;  // 0 scientific name, 1 common name
  AttributeData data = AttributeData::None;

  // The document's copy for the boxes, the shared set for the data group.
  static ItemListOptionsForm From(const CZAVDoc& document, const ItemListOptions& options);
  // OK: the document's copy and the set take the values, the document's name
  // order is sorted again, and the list and the page follow. The order type
  // before the dialog decides whether the item list is refilled.
  void Apply(CZAVDoc& document, ItemListOptions& options, int orderTypeBefore) const;
};

struct MenuListOptionsForm {
  bool picture = true, description = true, file = false, dontShow = false;

  static MenuListOptionsForm From(const MenuListOptions& options);
  void ApplyTo(MenuListOptions& options) const;
};

// The gallery dialog edits the gallery's values, or in its thumbnail mode
// only the thumbnail size.
struct GalleryOptionsForm {
  enum class Mode { Gallery, ThumbnailSize };
  static constexpr int kSizeMin = 10, kSizeMax = 1000, kPicturesMin = 2, kPicturesMax = 100;

  Mode mode = Mode::Gallery;
  std::string size;  // picture width, or thumbnail size
  std::string picturesMax;
  std::string picturesPerSpeciesMax;
  bool showNames = false;

  static GalleryOptionsForm From(const GalleryOptions& options, Mode mode);
  // The first failing check's message, as typed numbers are checked; nothing
  // when OK may store.
  std::optional<std::string> Check() const;
  // Stores after a passing Check.
  void ApplyTo(GalleryOptions& options) const;
};

// The message of a number outside its range or not a number.
std::string IntegerRangeMessage(int low, int high);
// A whole decimal number inside [low, high] with optional blanks around it.
std::optional<int> ParseIntegerInRange(const std::string& text, int low, int high);
