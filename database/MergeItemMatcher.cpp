#include "database/MergeItemMatcher.h"

#include <memory>
#include <vector>

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"

namespace {

std::optional<std::string> PartText(const std::string* text) {
  if (!text) return std::nullopt;
  std::string trimmed = *text;
  TrimSpaces(trimmed);
  if (trimmed.empty()) return std::nullopt;
  return trimmed;
}

// One key text per combination of parts; a missing part and an empty one
// can never give the same key.
void AppendPart(std::string& key, const std::optional<std::string>& part) {
  key += part ? '\x02' : '\x01';
  if (part) key.append(*part).push_back('\0');
}

std::string ScientificKey(const ItemNameParts& parts) {
  std::string key;
  AppendPart(key, parts.genus);
  AppendPart(key, parts.species);
  AppendPart(key, parts.family);
  return key;
}

std::string FullKey(const ItemNameParts& parts) {
  std::string key = ScientificKey(parts);
  AppendPart(key, parts.common);
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
