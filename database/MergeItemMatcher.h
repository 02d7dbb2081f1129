// Which item of the receiving database an incoming item merges into.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

class CZAVDoc;

// The four name parts of one item; a part the item lacks (no entry, or a
// text of blanks only) is empty. Texts are trimmed.
struct ItemNameParts {
  std::optional<std::string> common;
  std::optional<std::string> genus;
  std::optional<std::string> species;
  std::optional<std::string> family;

  static ItemNameParts Of(const CZAVDoc& document, int item);
};

// A record linked to no name at all: a free slot, never merged or matched.
bool IsUnnamedItem(const CZAVDoc& document, int item);

// Indexes the items a database holds when built; items added later are no
// candidates. An item matches when all four parts are equal; failing that,
// an item with a species name matches on genus, species and family alone,
// so differing common names do not keep one species apart. A missing part
// matches only a missing part. The first item in index order wins.
class ItemMatcher {
 public:
  explicit ItemMatcher(const CZAVDoc& target);
  // The matching item, -1 when there is none.
  int Find(const ItemNameParts& parts) const;

 private:
  std::unordered_map<std::string, int> m_byAllParts;
  std::unordered_map<std::string, int> m_byScientificParts;
};
