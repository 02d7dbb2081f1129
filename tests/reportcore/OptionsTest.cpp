// The report option sets: defaults, clamping, keys written.
#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "reports/ReportOptions.h"

TEST(ReportOptions, EmptyProfileGivesTheDefaults) {
  platform::MemoryProfile profile;
  ItemOptions item;
  item.previousNext = 0;
  item.Load(profile);
  EXPECT_EQ(item.description, 1);
  EXPECT_EQ(item.picture, 1);
  EXPECT_EQ(item.data, 0);
  EXPECT_EQ(item.previousNext, 1);
  ItemListOptions list;
  list.Load(profile);
  EXPECT_EQ(list.DocumentCopy(), (std::array<int, 10>{1, 0, 0, 1, 0, 0, 1, 0, 1, 1}));
  GalleryOptions gallery;
  gallery.Load(profile);
  EXPECT_EQ(gallery.pictureWidth, 120);
  EXPECT_EQ(gallery.thumbnailSize, 120);
  EXPECT_EQ(gallery.picturesMax, 12);
  EXPECT_EQ(gallery.picturesPerSpeciesMax, 0);
}

TEST(ReportOptions, ValuesReadAreClampedToTheDialogsRanges) {
  platform::MemoryProfile profile;
  profile.WriteInt("Gallery options", "PictureWidth", 5);
  profile.WriteInt("Gallery options", "ThumbnailSize", 999999);
  profile.WriteInt("Gallery options", "PicturesMax", 1);
  profile.WriteInt("Gallery options", "PicturesPerSpeciesMax", -4);
  profile.WriteInt("Gallery options", "ShowNames", 7);
  profile.WriteInt("Item list options", "ItemOrder", 5);
  profile.WriteInt("Item options", "Picture", -1);
  profile.WriteInt("Item options", "Description", 0);
  GalleryOptions gallery;
  gallery.Load(profile);
  EXPECT_EQ(gallery.pictureWidth, 10);
  EXPECT_EQ(gallery.thumbnailSize, 1000);
  EXPECT_EQ(gallery.picturesMax, 2);
  EXPECT_EQ(gallery.picturesPerSpeciesMax, 0);
  EXPECT_EQ(gallery.showNames, 1);
  ItemListOptions list;
  list.Load(profile);
  EXPECT_EQ(list.itemOrder, 1);
  ItemOptions item;
  item.Load(profile);
  EXPECT_EQ(item.picture, 1);
  EXPECT_EQ(item.description, 0);
}

TEST(ReportOptions, SaveWritesEveryKeyAndUnkeyedValuesStayOut) {
  platform::MemoryProfile profile;
  ItemListOptions list;
  list.all = 1;
  list.allMenus = 1;
  list.Save(profile);
  EXPECT_EQ(profile.GetInt("Item list options", "all", 0), 1);
  EXPECT_EQ(profile.values().size(), 10u);
  ItemListOptions again;
  again.Load(profile);
  EXPECT_EQ(again.all, 1);
  EXPECT_EQ(again.allMenus, 0) << "\"All Menus\" has no key";
  ItemOptions item;
  item.Save(profile);
  MenuListOptions menus;
  menus.Save(profile);
  GalleryOptions gallery;
  gallery.Save(profile);
  EXPECT_EQ(profile.values().size(), 10u + 12u + 4u + 6u);
  EXPECT_TRUE(profile.Has("Gallery options", "Dont show"));
}
