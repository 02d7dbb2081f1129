#include <gtest/gtest.h>

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
