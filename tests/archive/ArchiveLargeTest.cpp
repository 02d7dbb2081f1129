// A database past 32767 table entries needs the long tags.
#include <gtest/gtest.h>

#include "bench/GeneratedDatabase.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/fakes/ScriptedUi.h"

namespace {

std::size_t CountOccurrences(const Bytes& bytes, const Bytes& pattern) {
  std::size_t count = 0;
  for (auto at = bytes.begin(); (at = std::search(at, bytes.end(), pattern.begin(), pattern.end())) != bytes.end();
       ++at)
    ++count;
  return count;
}

TEST(ArchiveLarge, TwentyThousandItemsRoundTripWithLongTags) {
  ScriptedUi ui;
  auto original = MakeGeneratedDatabase(20000, 40, 4, 0.3, 7);
  const std::string before = Describe(*original);
  const Bytes bytes = original->StoreToBytes();
  // Items come after 40 attributes, 4 menus and 40000 name entries, so the
  // CQItemrec class sits past 0x7FFF and every further item refers to it
  // with "FF 7F" and a DWORD with the top bit set.
  const DWORD itemClass = 1 + 41 + 1 + 4 + 1 + 40000;
  ByteBuilder longTag;
  longTag.u16(0x7FFF).u32(0x80000000u | itemClass);
  EXPECT_EQ(CountOccurrences(bytes, longTag.bytes), 19999u);

  CZAVDoc loaded;
  std::string error;
  ASSERT_EQ(loaded.LoadFromBytes(bytes.data(), bytes.size(), &error), CZAVDoc::LoadResult::Ok) << error;
  EXPECT_EQ(Describe(loaded), before);
  EXPECT_EQ(loaded.m_namedItemCount, 20000);
  EXPECT_EQ(loaded.StoreToBytes(), bytes);
}

TEST(ArchiveLarge, NamesAreSortedByDisplayNameIgnoringCase) {
  ScriptedUi ui;
  auto doc = MakeGeneratedDatabase(4, 3, 2, 0.5, 1);
  doc->m_header.scientificNamesEnabled = 0;  // common-name order: the item names are sorted
  doc->m_itemNames[0]->name = "delta";
  doc->m_itemNames[1]->name = "Beta";
  doc->m_itemNames[2]->name = "alpha";
  doc->m_itemNames[3]->name = "Charlie";
  const Bytes bytes = StoreFieldsOnly(*doc);
  CZAVDoc loaded;
  ASSERT_EQ(loaded.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  std::vector<std::string> order;
  for (const auto& entry : loaded.m_itemNames) order.push_back(entry->name);
  EXPECT_EQ(order, (std::vector<std::string>{"alpha", "Beta", "Charlie", "delta"}));
  for (int p = 0; p < 4; ++p) {
    const int item = loaded.m_itemNames[p]->itemIndex;
    EXPECT_EQ(loaded.GetItem(item).nameIndex, p);
  }
  EXPECT_EQ(CompareItemDisplayNames(loaded, loaded.m_itemNames, 0, 1), -1);
  EXPECT_EQ(CompareItemDisplayNames(loaded, loaded.m_itemNames, 0, 9), 0);
}

TEST(ArchiveLarge, FreeItemSlotsAreWrittenThenCompactedInMemory) {
  ScriptedUi ui;
  auto doc = MakeGeneratedDatabase(5, 3, 2, 0.5, 1);
  doc->GetItem(2).nameIndex = -1;
  doc->GetItem(2).speciesIndex = -1;
  doc->m_itemNames[2]->itemIndex = -1;
  doc->m_speciesNames[2]->itemIndex = -1;
  const Bytes bytes = doc->StoreToBytes();
  EXPECT_EQ(doc->ItemCount(), 4);
  CZAVDoc reread;
  ASSERT_EQ(reread.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  EXPECT_EQ(reread.ItemCount(), 4);
  EXPECT_EQ(reread.m_namedItemCount, 4);
}

TEST(ArchiveNames, NameWithCzechLetterSurvivesSaveAndLoad) {
  ScriptedUi ui;
  auto doc = MakeGeneratedDatabase(3, 2, 2, 0.5, 1);
  const std::string name = "\xC5\x98\x65\x72\x69\x63\x68 \xC5\x99\x65\x6B\x61";  // "Řerich řeka"
  const int item = doc->m_itemNames[0]->itemIndex;
  doc->m_itemNames[0]->name = name;
  doc->GetAttribute(1).name = "cr\xC3\xA8me \xE2\x82\xAC";  // fits the single-byte code page
  const Bytes bytes = doc->StoreToBytes();
  CZAVDoc loaded;
  ASSERT_EQ(loaded.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  // The load sorts the names: the item keeps its own.
  EXPECT_EQ(loaded.m_itemNames[loaded.GetItem(item).nameIndex]->name, name);
  EXPECT_EQ(loaded.GetAttribute(1).name, "cr\xC3\xA8me \xE2\x82\xAC");
}

}  // namespace

// Enough matrix blocks that their words are copied in several chunks side
// by side; every block lands where it was.
TEST(ArchiveLarge, AMatrixOfManyBlocksRoundTrips) {
  ScriptedUi ui;
  auto original = MakeGeneratedDatabase(18000, 4000, 40, 0.1, 3);
  const Bytes bytes = original->StoreToBytes();
  ASSERT_GT(original->m_dataBlocks.size(), 64u * 2);
  CZAVDoc loaded;
  std::string error;
  ASSERT_EQ(loaded.LoadFromBytes(bytes.data(), bytes.size(), &error), CZAVDoc::LoadResult::Ok) << error;
  ASSERT_EQ(loaded.m_dataBlocks.size(), original->m_dataBlocks.size());
  for (std::size_t b = 0; b < loaded.m_dataBlocks.size(); ++b)
    ASSERT_EQ(loaded.m_dataBlocks[b].words, original->m_dataBlocks[b].words) << "block " << b;
}
