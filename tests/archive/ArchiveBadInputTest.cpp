// Damaged, truncated and hostile files fail cleanly and leave the document
// as it was.
#include <gtest/gtest.h>

#include <random>

#include "tests/archive/ArchiveTestSupport.h"
#include "tests/fakes/ScriptedUi.h"

namespace {

class BadInput : public ::testing::Test {
 protected:
  // Loads into a document that already holds the small database and checks
  // that a failed load left it untouched.
  CZAVDoc::LoadResult LoadOver(const Bytes& bytes, std::string* error = nullptr) {
    CZAVDoc doc;
    const Bytes good = MakeSmallDatabase(false)->StoreToBytes();
    EXPECT_EQ(doc.LoadFromBytes(good.data(), good.size()), CZAVDoc::LoadResult::Ok);
    const std::string before = Describe(doc);
    std::string message;
    const auto result = doc.LoadFromBytes(bytes.data(), bytes.size(), &message);
    if (result != CZAVDoc::LoadResult::Ok) {
      EXPECT_EQ(Describe(doc), before);
    }
    if (error) *error = message;
    return result;
  }

  void ExpectDamaged(CZAVDoc& bad, const std::string& inMessage) {
    std::string error;
    EXPECT_EQ(LoadOver(StoreFieldsOnly(bad), &error), CZAVDoc::LoadResult::ArchiveError) << inMessage;
    EXPECT_NE(error.find(inMessage), std::string::npos) << error;
  }

  ScriptedUi ui;
};

TEST_F(BadInput, VersionTwoShowsInvalidFormatAndLeavesAnEmptyDatabase) {
  const Bytes bytes{0x02, 0x00, 0x01, 0x01};
  CZAVDoc fresh;
  EXPECT_EQ(fresh.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::InvalidFormat);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Invalid QOR Database Format"});
  EXPECT_EQ(fresh.ItemCount(), 0);
  EXPECT_EQ(fresh.AttributeCount(), 0);
  EXPECT_EQ(fresh.MenuCount(), 0);
  EXPECT_EQ(LoadOver(bytes), CZAVDoc::LoadResult::InvalidFormat);
}

// The reading half may run beside the user interface: it shows nothing, and
// the refusal comes with the adopting half.
TEST_F(BadInput, OnlyTheAdoptingHalfOfALoadShowsTheRefusal) {
  const Bytes bytes{0x02, 0x00, 0x01, 0x01};
  CZAVDoc doc, fields;
  const CZAVDoc::LoadResult read = doc.ReadFields(bytes.data(), bytes.size(), fields, nullptr);
  EXPECT_EQ(read, CZAVDoc::LoadResult::InvalidFormat);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(doc.AdoptFields(read, fields), CZAVDoc::LoadResult::InvalidFormat);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Invalid QOR Database Format"});
}

TEST_F(BadInput, TruncationAtEveryOffsetFails) {
  const Bytes good = MakeSmallDatabase(false)->StoreToBytes();
  for (std::size_t length = 0; length < good.size(); ++length) {
    const Bytes cut(good.begin(), good.begin() + length);
    std::string error;
    ASSERT_EQ(LoadOver(cut, &error), CZAVDoc::LoadResult::ArchiveError) << length;
    ASSERT_NE(error.find("damaged"), std::string::npos) << error;
  }
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(BadInput, RandomCorruptionNeverCrashes) {
  const Bytes good = MakeSmallDatabase(false)->StoreToBytes();
  std::mt19937 rng(20240611);
  int failures = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes bytes = good;
    const int changes = 1 + static_cast<int>(rng() % 4);
    for (int c = 0; c < changes; ++c) {
      const std::size_t at = rng() % bytes.size();
      switch (rng() % 3) {
        case 0:
          bytes[at] = static_cast<std::uint8_t>(rng());
          break;
        case 1:
          bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
          break;
        default:
          bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(rng()));
      }
    }
    CZAVDoc doc;
    const auto result = doc.LoadFromBytes(bytes.data(), bytes.size());
    if (result != CZAVDoc::LoadResult::Ok) {
      ++failures;
      continue;
    }
    // Whatever was accepted is consistent enough to be stored and read again.
    const Bytes again = doc.StoreToBytes();
    CZAVDoc reread;
    ASSERT_EQ(reread.LoadFromBytes(again.data(), again.size()), CZAVDoc::LoadResult::Ok) << round;
  }
  EXPECT_GT(failures, 0);
}

TEST_F(BadInput, AbsurdStringLengthIsRefused) {
  ByteBuilder b;
  b.u16(1).u8(1).u8(0).u8(0).u16(0).u32(0).u32(0).u32(0).u32(0).u32(0);
  b.u8(0xFF).u16(0xFFFF).u32(0x7FFFFFF0).raw("Key");
  std::string error;
  EXPECT_EQ(LoadOver(b.bytes, &error), CZAVDoc::LoadResult::ArchiveError);
  EXPECT_NE(error.find("header title"), std::string::npos) << error;
  EXPECT_NE(error.find("2147483632"), std::string::npos) << error;
}

TEST_F(BadInput, IndicesOutsideTheirArraysAreRefused) {
  auto genus = MakeSmallDatabase(false);
  genus->GetItem(1).genusIndex = 2;
  ExpectDamaged(*genus, "items[1] genus index");
  auto name = MakeSmallDatabase(false);
  name->GetItem(0).nameIndex = -7;
  ExpectDamaged(*name, "items[0] name index");
  auto entry = MakeSmallDatabase(false);
  entry->m_speciesNames[1]->itemIndex = 2;
  ExpectDamaged(*entry, "species names[1] item index");
  auto attribute = MakeSmallDatabase(false);
  attribute->GetAttribute(0).menuIndex = 2;
  ExpectDamaged(*attribute, "attributes[0] menu index");
  auto parent = MakeSmallDatabase(false);
  parent->GetMenu(1).parent = 5;
  ExpectDamaged(*parent, "menus[1] parent");
  auto child = MakeSmallDatabase(false);
  child->GetMenu(1).children.push_back(2);  // only two attributes
  ExpectDamaged(*child, "menus[1] children");
  auto kind = MakeSmallDatabase(false);
  kind->GetMenu(1).kind = 3;
  ExpectDamaged(*kind, "menus[1] kind");
}

TEST_F(BadInput, MenuTreeCyclesAreRefused) {
  auto parents = MakeSmallDatabase(false);
  parents->GetMenu(0).parent = 1;
  ExpectDamaged(*parents, "cycle");
  auto children = MakeSmallDatabase(false);
  children->GetMenu(1).kind = MENU_OF_MENUS;
  children->GetMenu(1).children = {0};
  ExpectDamaged(*children, "without cycles");
}

TEST_F(BadInput, DataBlocksMustMatchTheLayout) {
  auto words = MakeSmallDatabase(false);
  words->m_dataBlocks[0].words.push_back(0);
  ExpectDamaged(*words, "data blocks[0] words: expected 2, found 3");
  auto blocks = MakeSmallDatabase(false);
  blocks->m_dataBlocks.push_back(CQDatablock{{0, 0}});
  ExpectDamaged(*blocks, "expected 1 blocks");
}

TEST_F(BadInput, BitsPastTheLastAttributeAreCleared) {
  auto doc = MakeSmallDatabase(false);
  doc->m_dataBlocks[0].words = {0xFFFFFFFFu, 0x4u};
  CZAVDoc loaded;
  const Bytes bytes = StoreFieldsOnly(*doc);
  ASSERT_EQ(loaded.LoadFromBytes(bytes.data(), bytes.size()), CZAVDoc::LoadResult::Ok);
  EXPECT_EQ(loaded.m_dataBlocks[0].words, (std::vector<DWORD>{0x3u, 0x0u}));
}

TEST_F(BadInput, WrongClassInAnArrayIsRefused) {
  // The menus array starts with a tag of class 1, which is CQAttdata.
  auto doc = MakeSmallDatabase(false);
  Bytes bytes = StoreFieldsOnly(*doc);
  const ByteBuilder menuClass = ByteBuilder().newClass("CQMenudata");
  auto at = std::search(bytes.begin(), bytes.end(), menuClass.bytes.begin(), menuClass.bytes.end());
  ASSERT_NE(at, bytes.end());
  const Bytes replacement{0x01, 0x80};
  at = bytes.erase(at, at + static_cast<std::ptrdiff_t>(menuClass.bytes.size()));
  bytes.insert(at, replacement.begin(), replacement.end());
  std::string error;
  EXPECT_EQ(LoadOver(bytes, &error), CZAVDoc::LoadResult::ArchiveError);
  EXPECT_NE(error.find("menus[0] class tag: expected class CQMenudata, found class CQAttdata"), std::string::npos)
      << error;
}

TEST_F(BadInput, NullElementsAreFreeSlotsAndTrailingArraysAreDropped) {
  // Without its free attribute slot the table reads: CQAttdata 1 (object 2),
  // CQMenudata 3 (4, 5), CQItemname 6 (7 to 10), CQItemrec 11 (12, 13).
  auto doc = MakeSmallDatabase(false);
  doc->m_attributes.pop_back();
  Bytes bytes = StoreFieldsOnly(*doc);
  // A null second attribute: the count becomes 2 and "00 00" follows the first.
  const Bytes attClass = ByteBuilder().newClass("CQAttdata").bytes;
  auto at = std::search(bytes.begin(), bytes.end(), attClass.begin(), attClass.end());
  ASSERT_NE(at, bytes.end());
  *(at - 2) = 2;
  const Bytes lastField = ByteBuilder().shortStr("r.jpg").bytes;
  at = std::search(bytes.begin(), bytes.end(), lastField.begin(), lastField.end());
  ASSERT_NE(at, bytes.end());
  bytes.insert(at + static_cast<std::ptrdiff_t>(lastField.size()), {0x00, 0x00});
  // The first further array gets a null and one item record.
  const std::size_t trailing = bytes.size() - 9;  // four empty arrays and the flag byte
  const Bytes extra = ByteBuilder().u16(2).u16(0).classRef(11).u32(0).u32(0).u32(0).u32(0).u8(0).u8(0).u16(0).bytes;
  bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(trailing),
              bytes.begin() + static_cast<std::ptrdiff_t>(trailing) + 2);
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(trailing), extra.begin(), extra.end());

  CZAVDoc loaded;
  std::string error;
  ASSERT_EQ(loaded.LoadFromBytes(bytes.data(), bytes.size(), &error), CZAVDoc::LoadResult::Ok) << error;
  EXPECT_EQ(Describe(loaded), Describe(*MakeSmallDatabase(false)));
  EXPECT_TRUE(loaded.GetAttribute(1).IsFreeSlot());
}

}  // namespace
