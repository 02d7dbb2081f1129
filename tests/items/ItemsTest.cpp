#include <algorithm>

#include "database/UtilityFunction.h"
#include "fakes/ScriptedUi.h"
#include "items/ItemsTestSupport.h"
#include "platform/ErrorBox.h"

namespace {

// Every item's entries link back to it and every linked entry is some item's.
void ExpectLinksConsistent(const CZAVDoc& doc) {
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const CQItemrec& item = doc.GetItem(i);
    if (item.nameIndex != -1) {
      ASSERT_LT(item.nameIndex, static_cast<int>(doc.m_itemNames.size())) << "item " << i;
      EXPECT_EQ(doc.m_itemNames[item.nameIndex]->itemIndex, i) << "item " << i;
    }
    if (item.speciesIndex != -1) {
      ASSERT_LT(item.speciesIndex, static_cast<int>(doc.m_speciesNames.size())) << "item " << i;
      EXPECT_EQ(doc.m_speciesNames[item.speciesIndex]->itemIndex, i) << "item " << i;
    }
  }
  for (const auto& entry : doc.m_itemNames) ASSERT_NE(entry, nullptr);
  for (const auto& entry : doc.m_speciesNames) ASSERT_NE(entry, nullptr);
}

std::vector<std::string> CommonNamesInArrayOrder(const CZAVDoc& doc) {
  std::vector<std::string> names;
  for (int i = 0; i < doc.ItemCount(); ++i) names.push_back(doc.m_itemNames[doc.GetItem(i).nameIndex]->name);
  return names;
}

// A document of common-named items A, B, C ... with attributes so that bit rows exist.
std::unique_ptr<CZAVDoc> LetteredDocument(int count, int attributes = 40) {
  auto doc = MakeDocument(true, false);
  for (int a = 0; a < attributes; ++a) doc->GetOrCreateAttribute(a).menuIndex = 0;
  for (int i = 0; i < count; ++i) Add(*doc, std::string(1, static_cast<char>('A' + i)));
  return doc;
}

}  // namespace

TEST(AddItem, StoresTrimmedTextsAndLinksSortedEntries) {
  auto doc = MakeDocument(true, true);
  doc->m_referenceTitles = {"Flora 1990", "Fauna 2001"};
  const int b = Add(*doc, "Bee", "  Apis ", "mellifera", "");
  const int a = Add(*doc, "Ant", "Formica", "rufa", "Formicidae");
  EXPECT_EQ(doc->m_familyNames[doc->GetItem(b).familyIndex], " ");
  EXPECT_EQ(doc->m_genusNames[doc->GetItem(b).genusIndex], "Apis");
  EXPECT_EQ(doc->GetItem(a).nameIndex, 0);
  EXPECT_EQ(doc->GetItem(b).nameIndex, 1);
  EXPECT_EQ(doc->GetItem(b).speciesIndex, 0);  // "Apis mellifera" sorts before "Formica rufa"
  EXPECT_EQ(doc->GetItem(a).referencePages.size(), 2u);
  EXPECT_EQ(doc->m_usedCount, 2);
  EXPECT_EQ(doc->m_remainingCount, 2);
  EXPECT_TRUE(doc->m_recountFlag);
  EXPECT_TRUE(doc->IsModified());
  ExpectLinksConsistent(*doc);
}

TEST(AddItem, ReusesAFreeSlotWithAZeroedRow) {
  auto doc = LetteredDocument(3);
  SetBit(doc->GetItemAttributeBits(1), 35);
  doc->CutItem(1);
  const int slot = Add(*doc, "Z");
  EXPECT_EQ(slot, 1);
  EXPECT_EQ(doc->ItemCount(), 3);
  EXPECT_FALSE(TestBit(doc->GetItemAttributeBits(1), 35));
  EXPECT_EQ(doc->m_itemStates[1], STATE_REMAINING);
  ExpectLinksConsistent(*doc);
}

TEST(AddItem, RefusedAt32000RecordsEvenWithFreeSlots) {
  ScriptedUi ui;
  auto doc = MakeDocument(true, false);
  for (int i = 0; i < kMaxItems - 1; ++i) {
    auto record = std::make_unique<CQItemrec>();
    record->nameIndex = static_cast<int>(doc->m_itemNames.size());
    doc->m_itemNames.push_back(std::make_unique<CQItemname>(CQItemname{i, "n"}));
    doc->m_items.push_back(std::move(record));
  }
  doc->m_itemStates.assign(doc->m_items.size(), STATE_REMAINING);
  EXPECT_NO_THROW(Add(*doc, "last"));
  EXPECT_EQ(doc->ItemCount(), kMaxItems);
  doc->GetItem(5).nameIndex = -1;  // a free slot does not make room
  EXPECT_THROW(Add(*doc, "one too many"), UserAbort);
  EXPECT_EQ(ui.Messages().back(), "Can't add. Too much items!");
  EXPECT_EQ(doc->ItemCount(), kMaxItems);
  EXPECT_EQ(doc->m_itemNames.size(), static_cast<std::size_t>(kMaxItems));
}

TEST(DeleteItem, RenumbersTheItemsBehindEachDeletedOne) {
  auto doc = LetteredDocument(5);
  doc->DeleteItem(1);
  EXPECT_EQ(CommonNamesInArrayOrder(*doc), (std::vector<std::string>{"A", "C", "D", "E"}));
  ExpectLinksConsistent(*doc);
  doc->DeleteItem(2);
  EXPECT_EQ(CommonNamesInArrayOrder(*doc), (std::vector<std::string>{"A", "C", "E"}));
  EXPECT_EQ(doc->m_itemNames.size(), 3u);
  EXPECT_EQ(doc->m_itemStates.size(), 3u);
  EXPECT_EQ(doc->m_usedCount, 3);
  ExpectLinksConsistent(*doc);
}

TEST(DeleteItem, EmptiesAGenusNoItemUsesAndTheNextGenusTakesTheSlot) {
  auto doc = MakeDocument(false, true);
  Add(*doc, {}, "Aus", "alpha", "Fam");
  const int lone = Add(*doc, {}, "Bus", "beta", "Fam");
  doc->DeleteItem(lone);
  EXPECT_EQ(doc->m_genusNames, (std::vector<std::string>{"Aus", ""}));
  EXPECT_EQ(doc->m_familyNames, (std::vector<std::string>{"Fam"}));  // still used
  const int next = Add(*doc, {}, "Cus", "gamma", "Fam");
  EXPECT_EQ(doc->GetItem(next).genusIndex, 1);
  EXPECT_EQ(doc->m_genusNames[1], "Cus");
  ExpectLinksConsistent(*doc);
}

TEST(AddItem, AppendedNamesGoBehindTheOthersAndMoveNoLink) {
  auto doc = MakeDocument(true, true);
  const int bee = Add(*doc, "Bee", "Apis", "mellifera", "Apidae");
  for (const char* common : {"Wasp", "Ant"})
    doc->AddItem({}, "sp", common, "Genus", "Family", {}, CZAVDoc::NamePlacement::Appended);
  EXPECT_EQ(doc->GetItem(bee).nameIndex, 0);
  EXPECT_EQ(doc->GetItem(bee).speciesIndex, 0);
  EXPECT_EQ(doc->GetItem(doc->m_currentItem).nameIndex, 2);  // "Ant" is last, not first
  EXPECT_EQ(doc->m_itemNames[2]->name, "Ant");
  EXPECT_EQ(doc->GetItem(doc->m_currentItem).speciesIndex, 2);
  ExpectLinksConsistent(*doc);
}

TEST(AddItem, AnEmptyGenusOrFamilyThatAnItemStillUsesIsNeverRenamed) {
  auto doc = MakeDocument(false, true);
  const int bare = Add(*doc, {}, "", "nudus", "");             // genus "" and family " "
  doc->m_familyNames[doc->GetItem(bare).familyIndex].clear();  // a family emptied by hand
  const int named = Add(*doc, {}, "Aus", "alpha", "Fam");
  EXPECT_EQ(doc->m_genusNames[doc->GetItem(bare).genusIndex], "");
  EXPECT_EQ(doc->m_familyNames[doc->GetItem(bare).familyIndex], "");
  EXPECT_NE(doc->GetItem(named).genusIndex, doc->GetItem(bare).genusIndex);
  EXPECT_NE(doc->GetItem(named).familyIndex, doc->GetItem(bare).familyIndex);
  // Another item without a genus shares the empty text: it is the same name.
  const int alsoBare = Add(*doc, {}, "", "solus", "Fam");
  EXPECT_EQ(doc->GetItem(alsoBare).genusIndex, doc->GetItem(bare).genusIndex);
  ExpectLinksConsistent(*doc);
}

TEST(DeleteItem, BadIndicesAbandonBeforeAnyChange) {
  ScriptedUi ui;
  auto doc = LetteredDocument(2);
  EXPECT_THROW(doc->DeleteItem(-1), UserAbort);
  EXPECT_THROW(doc->DeleteItem(2), UserAbort);
  doc->GetItem(0).nameIndex = 7;
  EXPECT_THROW(doc->DeleteItem(0), UserAbort);
  EXPECT_THROW(doc->CutItem(0), UserAbort);
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Wrong item index", "Wrong item index", "Wrong item name index",
                                                     "Wrong item name index"}));
  EXPECT_EQ(doc->ItemCount(), 2);
  EXPECT_EQ(doc->m_itemNames.size(), 2u);

  auto scientific = MakeDocument(false, true);
  Add(*scientific, {}, "Aus", "alpha");
  scientific->GetItem(0).speciesIndex = -1;
  EXPECT_THROW(scientific->DeleteItem(0), UserAbort);
  EXPECT_EQ(ui.Messages().back(), "Wrong item species index");
}

TEST(CompactItems, KeepsTheRowsAndStatesOfTheUsedRecordsInOrder) {
  auto doc = LetteredDocument(5);
  for (int i = 0; i < 5; ++i) {
    SetBit(doc->GetItemAttributeBits(i), static_cast<WORD>(i * 3));
    SetBit(doc->GetItemAttributeBits(i), static_cast<WORD>(33 + i));
  }
  const BYTE states[5] = {STATE_REMAINING, STATE_ELIMINATED, STATE_MISSING_DATA, STATE_REMAINING, STATE_ELIMINATED};
  std::copy(states, states + 5, doc->m_itemStates.begin());
  doc->CutItem(1);
  doc->CutItem(3);
  doc->CompactItems();
  ASSERT_EQ(doc->ItemCount(), 3);
  const int kept[3] = {0, 2, 4};
  for (int n = 0; n < 3; ++n) {
    const DWORD* row = doc->GetItemAttributeBits(n);
    for (int a = 0; a < 40; ++a)
      EXPECT_EQ(TestBit(row, static_cast<WORD>(a)), a == kept[n] * 3 || a == 33 + kept[n]) << n << " " << a;
    EXPECT_EQ(doc->m_itemStates[n], states[kept[n]]);
  }
  EXPECT_EQ(CommonNamesInArrayOrder(*doc), (std::vector<std::string>{"A", "C", "E"}));
  EXPECT_EQ(doc->m_itemNames.size(), 3u);  // the cut entries are left behind
  ExpectLinksConsistent(*doc);
}

TEST(CompactItems, ASharedSpeciesEntryIsTakenOnce) {
  auto doc = MakeDocument(true, true);
  Add(*doc, "One", "Aus", "alpha", "F");
  Add(*doc, "Two", "Bus", "beta", "F");
  const int spare = Add(*doc, "Three", "Cus", "gamma", "F");
  // Damaged data: both items point at the entry that links back to item 1.
  const int shared = doc->GetItem(1).speciesIndex;
  doc->GetItem(0).speciesIndex = shared;
  doc->CutItem(spare);
  doc->CompactItems();
  ASSERT_EQ(doc->ItemCount(), 2);
  EXPECT_EQ(doc->m_speciesNames.size(), 1u);
  EXPECT_EQ(doc->GetItem(0).speciesIndex, -1);
  ExpectLinksConsistent(*doc);
}

TEST(CompactItems, RemapsTheItemIndicesTheDocumentKeeps) {
  auto doc = LetteredDocument(5);
  doc->m_reportKind = 7;
  doc->m_reportArgument = 4;
  doc->m_announcedItem = 3;
  doc->m_currentItem = 4;
  doc->DeleteItem(1);
  EXPECT_EQ(doc->m_reportArgument, 3);
  EXPECT_EQ(doc->m_announcedItem, 2);
  EXPECT_EQ(doc->m_currentItem, 3);
  doc->m_reportArgument = 0;
  doc->m_announcedItem = 0;
  doc->DeleteItem(0);
  EXPECT_EQ(doc->m_reportArgument, -2000);  // the item page shows no item
  EXPECT_EQ(doc->m_announcedItem, -1);

  doc->m_reportKind = 5;  // a menu page: the argument is a menu
  doc->m_reportArgument = 2;
  doc->DeleteItem(0);
  EXPECT_EQ(doc->m_reportArgument, 2);
}

TEST(RecountItems, FreeSlotsGetState255AndTheCountsFollow) {
  auto doc = LetteredDocument(4, 0);
  doc->CutItem(2);
  doc->m_itemStates.resize(2);
  doc->RecountItems();
  EXPECT_EQ(doc->m_itemStates, (std::vector<BYTE>{STATE_REMAINING, STATE_REMAINING, STATE_FREE, STATE_REMAINING}));
  EXPECT_EQ(doc->m_usedCount, 3);
  EXPECT_EQ(doc->m_remainingCount, 3);
  EXPECT_EQ(doc->m_recountFlag, 0);
}

TEST(ShiftItemNameIndices, InsertMovesAtAndAboveExceptTheSkipItemRemovalOnlyAbove) {
  auto doc = MakeDocument(true, false);
  for (int index : {3, 4, 5, 5, 6}) {
    auto record = std::make_unique<CQItemrec>();
    record->nameIndex = index;
    doc->m_items.push_back(std::move(record));
  }
  doc->m_items.push_back(std::make_unique<CQItemrec>());  // a free slot stays free
  ShiftItemNameIndices(*doc, true, 5, -1, 3);
  std::vector<int> names;
  for (const auto& item : doc->m_items) names.push_back(item->nameIndex);
  EXPECT_EQ(names, (std::vector<int>{3, 4, 6, 5, 7, -1}));
  ShiftItemNameIndices(*doc, false, 5, -1, -1);
  names.clear();
  for (const auto& item : doc->m_items) names.push_back(item->nameIndex);
  EXPECT_EQ(names, (std::vector<int>{3, 4, 5, 5, 6, -1}));
  EXPECT_EQ(doc->GetItem(5).speciesIndex, -1);
}

TEST(DeleteAllExceptRemaining, KeepsTheRemainingItemsAfterYes) {
  ScriptedUi ui;
  auto doc = LetteredDocument(5);
  const BYTE states[5] = {STATE_REMAINING, STATE_ELIMINATED, STATE_MISSING_DATA, STATE_USER_ELIMINATED,
                          STATE_REMAINING};
  std::copy(states, states + 5, doc->m_itemStates.begin());
  ui.yesNoAnswers = {false};
  doc->OnDeleteAllExceptRemaining();
  EXPECT_EQ(doc->ItemCount(), 5);
  ui.yesNoAnswers = {true};
  doc->OnDeleteAllExceptRemaining();
  EXPECT_EQ(ui.shown.back().text, "All items except those remaining will be deleted!");
  EXPECT_EQ(CommonNamesInArrayOrder(*doc), (std::vector<std::string>{"A", "C", "E"}));
  ExpectLinksConsistent(*doc);
}

TEST(DeleteAllExceptRemaining, ALockedDatabaseIsLeftAloneWithoutAsking) {
  ScriptedUi ui;
  auto doc = LetteredDocument(2);
  doc->m_itemStates[0] = STATE_ELIMINATED;
  doc->m_header.lockWord = 0;
  doc->OnDeleteAllExceptRemaining();
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(doc->ItemCount(), 2);
}

TEST(DeleteAllExceptRemaining, WithASelectionKeepsOnlyTheSelected) {
  ScriptedUi ui;
  auto doc = LetteredDocument(3);
  doc->m_itemStates[1] = STATE_SELECTED;
  ui.yesNoAnswers = {true};
  doc->OnDeleteAllExceptRemaining();
  EXPECT_EQ(ui.shown.front().text, "All items except those selected will be deleted!");
  EXPECT_EQ(CommonNamesInArrayOrder(*doc), (std::vector<std::string>{"B"}));
}
