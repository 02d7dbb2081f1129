// The name list a load sorts: in order at once, and the same on every load
// of a saved file, even where names repeat or a damaged file's name entries
// and items do not name each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/EngineFixtures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes LoadAndStore(const Bytes& bytes) {
  CZAVDoc doc;
  EXPECT_EQ(doc.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  return doc.StoreToBytes();
}

// The items the entries of one name stand for, in the name list's order.
std::vector<std::int32_t> ItemsNamed(const Bytes& bytes, const std::string& name) {
  CZAVDoc doc;
  EXPECT_EQ(doc.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  std::vector<std::int32_t> items;
  for (const auto& entry : doc.m_itemNames)
    if (entry->name == name) items.push_back(entry->itemIndex);
  return items;
}

TEST(NameOrderAfterLoad, ItemsOfTheSameNameKeepTheirOrderAcrossSaves) {
  DocBuilder builder;
  for (int i = 0; i < 40; ++i) builder.AddItem(i % 3 ? "Same" : "Other", "Genus", "sp" + std::to_string(i), "", {});
  const Bytes built = builder.Build()->StoreToBytes();
  const Bytes saved = LoadAndStore(built);
  // Items of one name stay in the order they were added, on every load.
  const std::vector<std::int32_t> same = ItemsNamed(built, "Same");
  ASSERT_EQ(same.size(), 26u);
  EXPECT_TRUE(std::is_sorted(same.begin(), same.end()));
  EXPECT_EQ(ItemsNamed(saved, "Same"), same);
  EXPECT_EQ(ItemsNamed(saved, "Other"), ItemsNamed(built, "Other"));
  EXPECT_EQ(LoadAndStore(saved), saved);
}

// The names the items show, in list order (an entry no item names shows nothing).
std::vector<std::string> ShownNames(const CZAVDoc& doc) {
  std::vector<std::string> names;
  for (std::size_t p = 0; p < doc.m_itemNames.size(); ++p)
    if (doc.GetItem(doc.m_itemNames[p]->itemIndex).nameIndex == static_cast<std::int32_t>(p))
      names.push_back(doc.m_itemNames[p]->name);
  return names;
}

TEST(NameOrderAfterLoad, AStrayEntryThatTakesOverItsItemSortsUnderItsOwnName) {
  DocBuilder builder;
  for (const char* name : {"Cherry", "Apple", "Bean"}) builder.AddItem(name, "", "", "", {});
  auto built = builder.Build();
  // A damaged file: a fourth entry names item 2, which names another entry.
  auto stray = std::make_unique<CQItemname>();
  stray->name = "Aardvark";
  stray->itemIndex = 2;
  built->m_itemNames.push_back(std::move(stray));
  const Bytes damaged = built->StoreToBytes();
  CZAVDoc doc;
  ASSERT_EQ(doc.LoadFromBytes(damaged.data(), damaged.size()), CZAVDoc::LoadResult::Ok);
  EXPECT_EQ(ShownNames(doc), (std::vector<std::string>{"Aardvark", "Apple", "Cherry"}));
  const Bytes saved = doc.StoreToBytes();
  EXPECT_EQ(LoadAndStore(saved), saved);
}

}  // namespace

namespace {

std::string FileText(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One line per item that names all four parts, in item order.
std::string PlainNameList(const CZAVDoc& doc) {
  std::string text;
  char line[512];
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const CQItemrec& item = doc.GetItem(i);
    if (item.nameIndex < 0 || item.speciesIndex < 0 || item.genusIndex < 0 || item.familyIndex < 0) continue;
    std::snprintf(line, sizeof line, "%s/%s %s/%s, %4i, %4i, %4i, %4i, %4i\n",
                  doc.m_itemNames[item.nameIndex]->name.c_str(), doc.m_genusNames[item.genusIndex].c_str(),
                  doc.m_speciesNames[item.speciesIndex]->name.c_str(), doc.m_familyNames[item.familyIndex].c_str(),
                  item.nameIndex, item.genusIndex, item.speciesIndex, item.familyIndex, i);
    text += line;
  }
  return text;
}

}  // namespace

// Enough items that the lists are written in several pieces side by side.
TEST(NameOrderAfterLoad, TheNameListsAfterSortingListEveryNamedItemInOrder) {
  DocBuilder builder;
  for (int i = 0; i < 5000; ++i)
    builder.AddItem("Name " + std::to_string((i * 7919) % 5000), i % 9 ? "Genus" : "", "sp" + std::to_string(i),
                    "Family", {});
  const Bytes saved = builder.Build()->StoreToBytes();
  CZAVDoc doc;
  ASSERT_EQ(doc.LoadFromBytes(saved.data(), saved.size()), CZAVDoc::LoadResult::Ok);
  const std::string after = FileText("after_sorting.txt");
  EXPECT_EQ(after, PlainNameList(doc));
  EXPECT_GT(std::count(after.begin(), after.end(), '\n'), 4000);
  const std::string before = FileText("before_sorting.txt");
  EXPECT_EQ(std::count(before.begin(), before.end(), '\n'), std::count(after.begin(), after.end(), '\n'));
}

namespace {

// Names in memory are UTF-8: the name lists keep them so, and the XML dump,
// declared ISO-8859-1, writes what that set lacks as character references.
TEST(NameOrderAfterLoad, NamesBeyondLatin1ReadTheSameInBothDumps) {
  DocBuilder builder;
  builder.AddItem("Gr\u00fcnling", "Chloris", "chloris", "Fringillidae", {});
  builder.AddItem("\u0414\u0440\u043e\u0437\u0434", "Turdus", "merula", "Turdidae", {});
  const Bytes saved = builder.Build()->StoreToBytes();
  CZAVDoc doc;
  ASSERT_EQ(doc.LoadFromBytes(saved.data(), saved.size()), CZAVDoc::LoadResult::Ok);
  const std::string after = FileText("after_sorting.txt");
  EXPECT_NE(after.find("Gr\u00fcnling/Chloris chloris/Fringillidae"), std::string::npos);
  EXPECT_NE(after.find("\u0414\u0440\u043e\u0437\u0434/Turdus merula/Turdidae"), std::string::npos);
  const std::string xml = doc.WriteXml();
  EXPECT_NE(xml.find("name=\"Gr\xfcnling\""), std::string::npos);
  EXPECT_NE(xml.find("name=\"&#1044;&#1088;&#1086;&#1079;&#1076;\""), std::string::npos);
}

}  // namespace
