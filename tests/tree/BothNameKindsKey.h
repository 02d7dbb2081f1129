// The small key's five fruits with scientific names too, opened from its
// bytes as a file is: the species order differs from the common-name order,
// and the common names are stored out of their order.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tree/SmallKey.h"

// Species of Apple, Cherry, Lime, Pine and Plum: scientific order is
// Lime, Plum, Pine, Cherry, Apple.
inline constexpr const char* kFruitSpecies[] = {"zeta", "delta", "alpha", "gamma", "beta"};

inline std::unique_ptr<CZAVDoc> OpenKeyWithBothNameKinds() {
  auto made = MakeSmallKey();
  made->m_header.title = "Fruit";
  made->m_header.scientificNamesEnabled = 1;
  made->m_genusNames = {"Fructus"};
  made->m_familyNames = {"Pomaceae"};
  for (int item = 0; item < made->ItemCount(); ++item) {
    auto entry = std::make_unique<CQItemname>();
    entry->itemIndex = item;
    entry->name = kFruitSpecies[item];
    made->m_speciesNames.push_back(std::move(entry));
    CQItemrec& record = made->GetItem(item);
    record.speciesIndex = item;
    record.genusIndex = record.familyIndex = 0;
  }
  std::reverse(made->m_itemNames.begin(), made->m_itemNames.end());
  for (int at = 0; at < static_cast<int>(made->m_itemNames.size()); ++at)
    made->GetItem(made->m_itemNames[at]->itemIndex).nameIndex = at;
  const std::vector<std::uint8_t> bytes = made->StoreToBytes();
  auto doc = std::make_unique<CZAVDoc>();
  doc->LoadFromBytes(bytes.data(), bytes.size());
  doc->ResetMarks();
  doc->UpdateAttributeCounts();
  return doc;
}

inline std::vector<std::string> EntryNames(const std::vector<std::unique_ptr<CQItemname>>& names) {
  std::vector<std::string> texts;
  for (const auto& entry : names) texts.push_back(entry->name);
  return texts;
}
