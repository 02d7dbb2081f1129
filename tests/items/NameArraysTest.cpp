// Every name array the item list can show, or a new item is inserted into,
// stays sorted by the display names of its own order.
#include <gtest/gtest.h>

#include "database/UtilityFunction.h"
#include "editors/NameKindSwitch.h"
#include "tree/BothNameKindsKey.h"

namespace {

using Names = std::vector<std::string>;

void ExpectItemsPointAtTheirEntries(const CZAVDoc& doc) {
  for (int at = 0; at < static_cast<int>(doc.m_itemNames.size()); ++at)
    EXPECT_EQ(doc.GetItem(doc.m_itemNames[at]->itemIndex).nameIndex, at);
  for (int at = 0; at < static_cast<int>(doc.m_speciesNames.size()); ++at)
    EXPECT_EQ(doc.GetItem(doc.m_speciesNames[at]->itemIndex).speciesIndex, at);
}

TEST(NameArrays, ALoadWithBothKindsSortsBothArrays) {
  ScriptedUi ui;
  auto doc = OpenKeyWithBothNameKinds();
  ASSERT_EQ(GetOrderType(*doc), kScientificOrder);
  EXPECT_EQ(EntryNames(doc->m_speciesNames), (Names{"alpha", "beta", "delta", "gamma", "zeta"}));
  EXPECT_EQ(EntryNames(doc->m_itemNames), (Names{"Apple", "Cherry", "Lime", "Pine", "Plum"}));
  ExpectItemsPointAtTheirEntries(*doc);

  // A new item goes to its sorted place in both arrays.
  doc->AddItem("", "epsilon", "Banana", "Fructus", "Pomaceae", "");
  EXPECT_EQ(EntryNames(doc->m_itemNames), (Names{"Apple", "Banana", "Cherry", "Lime", "Pine", "Plum"}));
  EXPECT_EQ(EntryNames(doc->m_speciesNames), (Names{"alpha", "beta", "delta", "epsilon", "gamma", "zeta"}));
  ExpectItemsPointAtTheirEntries(*doc);
}

TEST(NameArrays, SwitchingScientificNamesOffListsByCommonName) {
  ScriptedUi ui;
  auto doc = OpenKeyWithBothNameKinds();
  // The arrays as a key saved before both were kept sorted may hold them.
  std::sort(doc->m_itemNames.begin(), doc->m_itemNames.end(),
            [](const auto& a, const auto& b) { return a->name > b->name; });
  for (int at = 0; at < 5; ++at) doc->GetItem(doc->m_itemNames[at]->itemIndex).nameIndex = at;
  doc->m_header.scientificNamesEnabled = 0;
  editors::SwitchNameKinds(*doc, {true, true}, {true, false});
  ASSERT_EQ(GetOrderType(*doc), kCommonNameOrder);
  EXPECT_EQ(EntryNames(doc->m_itemNames), (Names{"Apple", "Cherry", "Lime", "Pine", "Plum"}));
  ExpectItemsPointAtTheirEntries(*doc);
}

}  // namespace
