#include "database/MergeItemMatcher.h"

#include <memory>
#include <vector>

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"

namespace {

std::optional<std::string> PartText(const std::string* text) {
  return text ? std::optional<std::string>(*text) : std::nullopt;
}

// Each part goes in behind its length, so that no texts, whatever bytes
// they hold, run into one another.
void AppendPart(std::string& key, std::string part) {
  TrimSpaces(part);
  key.append(std::to_string(part.size())).push_back(':');
  key.append(part);
}

std::string ScientificKey(const ItemNameParts& parts) {
  std::string key;
  AppendPart(key, parts.GenusText());
  AppendPart(key, parts.SpeciesText());
  AppendPart(key, parts.FamilyText());
  return key;
}

std::string FullKey(const ItemNameParts& parts) {
  std::string key = ScientificKey(parts);
  AppendPart(key, parts.CommonText());
  return key;
}

}  // namespace

ItemNameParts ItemNameParts::Of(const CZAVDoc& document, int item) {
  const CQItemrec& record = document.GetItem(item);
  return {PartText(NameAt(document.m_itemNames, record.nameIndex)),
          PartText(TextAt(document.m_genusNames, record.genusIndex)),
          PartText(NameAt(document.m_speciesNames, record.speciesIndex)),
          PartText(TextAt(document.m_familyNames, record.familyIndex))};
}

bool IsUnnamedItem(const CZAVDoc& document, int item) {
  const CQItemrec& record = document.GetItem(item);
  return record.IsFreeSlot() && record.genusIndex == -1 && record.familyIndex == -1;
}

ItemMatcher::ItemMatcher(const CZAVDoc& target) {
  for (int i = 0; i < target.ItemCount(); ++i) {
    if (IsUnnamedItem(target, i)) continue;
    const ItemNameParts parts = ItemNameParts::Of(target, i);
    m_byAllParts.try_emplace(FullKey(parts), i);
    if (parts.species) m_byScientificParts.try_emplace(ScientificKey(parts), i);
  }
}

int ItemMatcher::Find(const ItemNameParts& parts) const {
  if (auto it = m_byAllParts.find(FullKey(parts)); it != m_byAllParts.end()) return it->second;
  if (!parts.species) return -1;
  auto it = m_byScientificParts.find(ScientificKey(parts));
  return it != m_byScientificParts.end() ? it->second : -1;
}
