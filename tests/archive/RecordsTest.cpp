#include <gtest/gtest.h>

#include <random>

#include "database/ItemSlots.h"
#include "database/NameTextSlots.h"
#include "database/Records.h"

TEST(PictureList, NormalisedOnStoreAndLoad) {
  EXPECT_EQ(NormalizePictureList("a.jpg;;b.jpg;;;"), "a.jpg;b.jpg");
  EXPECT_EQ(NormalizePictureList(";"), "");
  EXPECT_EQ(NormalizePictureList(";;;;"), "");
  EXPECT_EQ(NormalizePictureList("a.jpg"), "a.jpg");
}

TEST(StringSlot, EmptySlotReusedBeforeAppending) {
  std::vector<std::string> names{"Aus", "", "Cus"};
  EXPECT_EQ(FindStringSlot(names, "Bus"), 1);
  EXPECT_EQ(FindStringSlot(names, "Cus"), 2);
  EXPECT_EQ(FindStringSlot({"Aus"}, "Bus"), 1);
}

TEST(StringSlot, AnEmptySlotTheCallerStillUsesIsPassedOver) {
  const std::vector<std::string> names{"", "Aus", ""};
  const auto onlyTheLast = [](int slot) { return slot == 2; };
  EXPECT_EQ(FindStringSlot(names, "Bus", onlyTheLast), 2);
  EXPECT_EQ(FindStringSlot(names, "Bus", [](int) { return false; }), 3);
  EXPECT_EQ(FindStringSlot(names, "", [](int) { return false; }), 0);  // equal text is shared
}

// The indexed placement a merge uses gives every slot the walk gives, on
// tables with repeated texts, empty slots still in use and empty texts.
TEST(StringSlot, IndexedPlacementAgreesWithTheWalk) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::string> table;
    for (int i = 0; i < 12; ++i) table.push_back(random() % 3 == 0 ? "" : "T" + std::to_string(random() % 8));
    std::vector<std::string> walked = table;
    std::vector<std::string> indexed = table;
    NameTextSlots slots(indexed);
    const auto inUse = [](int slot) { return slot % 4 != 1; };  // which empty slots may be reused
    for (int k = 0; k < 40; ++k) {
      const std::string text = random() % 5 == 0 ? "" : "T" + std::to_string(random() % 16);
      ASSERT_EQ(slots.Place(indexed, text, inUse), PlaceNameText(walked, text, inUse)) << round << " " << k;
      ASSERT_EQ(indexed, walked);
    }
  }
}
