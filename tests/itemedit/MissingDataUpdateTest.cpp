// The missing-data bits after one item's row or one attribute's column
// changed equal those of a full rebuild.
#include <gtest/gtest.h>

#include <random>

#include "../../bench/GeneratedDatabase.h"
#include "editors/ItemAttributeEditor.h"
#include "editors/MarkAllInList.h"
#include "fakes/ScriptedUi.h"

namespace {

struct MissingDataSnapshot {
  std::vector<CQDatablock> menuData;
  std::vector<std::vector<DWORD>> lenient;
  bool operator==(const MissingDataSnapshot& other) const {
    if (lenient != other.lenient || menuData.size() != other.menuData.size()) return false;
    for (std::size_t b = 0; b < menuData.size(); ++b)
      if (menuData[b].words != other.menuData[b].words) return false;
    return true;
  }
};

MissingDataSnapshot Snapshot(const CZAVDoc& doc) {
  MissingDataSnapshot s{doc.m_menuDataBlocks, {}};
  const std::size_t words = (doc.AttributeCount() + 31) / 32;
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const DWORD* row = doc.GetLenientRow(i);
    s.lenient.push_back(row ? std::vector<DWORD>(row, row + words) : std::vector<DWORD>());
  }
  return s;
}

std::unique_ptr<CZAVDoc> LenientDatabase() {
  // 70 attributes in 6 menus: menus that share a word and menus across words.
  auto doc = MakeGeneratedDatabase(90, 70, 7, 0.05, 5);
  doc->m_missingData = 1;
  doc->ResetItemStates(false);
  doc->UpdateMissingDataBits();
  return doc;
}

}  // namespace

TEST(MissingDataUpdate, OneItemsRowAsAFullRebuild) {
  ScriptedUi ui;
  auto doc = LenientDatabase();
  std::mt19937 random(3);
  for (int round = 0; round < 40; ++round) {
    const int item = static_cast<int>(random() % 90);
    ItemAttributeEditor editor(*doc, item, 0);
    for (int k = 0; k < 4; ++k) {
      const int attribute = static_cast<int>(random() % 70);
      editor.SetChecked(attribute, round % 3 == 0 ? false : !editor.IsChecked(attribute));
    }
    // Emptying every attribute of a menu drops the item's data for it.
    if (round % 5 == 0)
      for (WORD a : doc->GetMenu(2).children) editor.SetChecked(a, false);
    editor.Store();
    const MissingDataSnapshot partial = Snapshot(*doc);
    doc->UpdateMissingDataBits();
    ASSERT_TRUE(partial == Snapshot(*doc)) << "round " << round;
  }
}

TEST(MissingDataUpdate, OneAttributesColumnAsAFullRebuild) {
  ScriptedUi ui;
  auto doc = LenientDatabase();
  for (int item = 0; item < 90; item += 4) doc->SetItemState(item, STATE_ELIMINATED);
  for (int attribute : {0, 31, 32, 40, 69}) {
    for (bool set : {true, false}) {
      SetAttributeForListedItems(*doc, attribute, set);
      const MissingDataSnapshot partial = Snapshot(*doc);
      doc->UpdateMissingDataBits();
      ASSERT_TRUE(partial == Snapshot(*doc)) << attribute << " " << set;
    }
  }
}

// A key opened without "Allow Missing Data" holds no lenient rows until the
// user turns it on; then they are those of a key opened with it.
TEST(MissingDataUpdate, TurnedOnAfterAnOpenTheRowsAreThoseOfAnOpenWithIt) {
  ScriptedUi ui;
  auto key = MakeGeneratedDatabase(90, 70, 7, 0.05, 5);
  key->m_missingData = 0;
  const std::vector<std::uint8_t> without = key->StoreToBytes();
  key->m_missingData = 1;
  const std::vector<std::uint8_t> with = key->StoreToBytes();
  CZAVDoc turnedOn, openedWith;
  ASSERT_EQ(turnedOn.LoadFromBytes(without.data(), without.size()), CZAVDoc::LoadResult::Ok);
  ASSERT_EQ(openedWith.LoadFromBytes(with.data(), with.size()), CZAVDoc::LoadResult::Ok);
  turnedOn.OnAllowMissingData();
  ASSERT_TRUE(turnedOn.m_missingData);
  EXPECT_TRUE(Snapshot(turnedOn) == Snapshot(openedWith));
  EXPECT_FALSE(Snapshot(openedWith).lenient.front().empty());
}
