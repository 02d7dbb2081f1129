// Which item of the receiving database an incoming item merges into.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

class CZAVDoc;

// The four name parts of one item as the database stores them, blanks
// included; a part the item lacks (no entry at all) is empty.
struct ItemNameParts {
  std::optional<std::string> common;
  std::optional<std::string> genus;
  std::optional<std::string> species;
  std::optional<std::string> family;

  static ItemNameParts Of(const CZAVDoc& document, int item);

  // The texts an item added from these parts is given: each part as it is,
  // a part the item lacks as its default word ("merge", "Genus", "Species",
  // "Family"). A blank part is a text, not a lack.
  std::string CommonText() const { return common.value_or("merge"); }
  std::string GenusText() const { return genus.value_or("Genus"); }
  std::string SpeciesText() const { return species.value_or("Species"); }
  std::string FamilyText() const { return family.value_or("Family"); }
};

// A record linked to no name at all: a free slot, never merged or matched.
bool IsUnnamedItem(const CZAVDoc& document, int item);

// Indexes the items a database holds when built; items added later are no
// candidates. An item matches when all four parts are equal; failing that,
// an item with a species name matches on genus, species and family alone,
// so differing common names do not keep one species apart. Parts compare
// without their surrounding blanks, a lacking part as the default word an
// added item stores for it, so merging one key twice adds its items once.
// The first item in index order wins.
class ItemMatcher {
 public:
  explicit ItemMatcher(const CZAVDoc& target);
  // The matching item, -1 when there is none.
  int Find(const ItemNameParts& parts) const;

 private:
  std::unordered_map<std::string, int> m_byAllParts;
  std::unordered_map<std::string, int> m_byScientificParts;
};
