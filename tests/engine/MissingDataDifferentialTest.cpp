// The menu-data bits and lenient rows, after a full rebuild and after the
// partial updates of one item or one attribute, against a per-bit model,
// with each kernel, on random keys: menus in runs, in order (each one run,
// often split by a word's end), scattered or spanning words, attributes
// without a menu, free item slots, item counts around 32-item groups and
// around the chunks the rebuild runs side by side.
#include <gtest/gtest.h>

#include <random>

#include "CountKernelFixture.h"
#include "EngineFixtures.h"

namespace {

using Rng = std::mt19937;

int Pick(Rng& rng, int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

enum class MenuLayout { Runs, Ordered, Scattered, Spanning };
constexpr MenuLayout kLayouts[] = {MenuLayout::Runs, MenuLayout::Ordered, MenuLayout::Scattered, MenuLayout::Spanning};

// The menu of every attribute (-1 for none): runs of one menu, each menu
// one run in the menus' order, each attribute anywhere, or long runs that
// cross word boundaries.
std::vector<int> MenusOfAttributes(Rng& rng, int attributes, int menus, MenuLayout layout) {
  std::vector<int> menuOf(attributes);
  if (layout == MenuLayout::Ordered) {
    for (int a = 0; a < attributes; ++a)
      menuOf[a] = Pick(rng, 20) == 0 ? -1 : 1 + static_cast<int>(static_cast<long long>(a) * menus / attributes);
    return menuOf;
  }
  int menu = 1, runLeft = 0;
  for (int a = 0; a < attributes; ++a) {
    if (runLeft == 0) {
      menu = 1 + Pick(rng, menus);
      runLeft = layout == MenuLayout::Spanning ? 20 + Pick(rng, 40) : 1 + Pick(rng, 9);
    }
    --runLeft;
    menuOf[a] = Pick(rng, 10) == 0 ? -1 : layout == MenuLayout::Scattered ? 1 + Pick(rng, menus) : menu;
  }
  return menuOf;
}

std::unique_ptr<CZAVDoc> RandomKey(Rng& rng, int items, MenuLayout layout) {
  DocBuilder b;
  b.AddMenu("Root", -1, MENU_OF_MENUS);
  const int menus = 1 + Pick(rng, 40);
  for (int m = 0; m < menus; ++m) b.AddMenu("M" + std::to_string(m), 0);
  const int attributes = 1 + Pick(rng, 300);
  const std::vector<int> menuOf = MenusOfAttributes(rng, attributes, menus, layout);
  for (int a = 0; a < attributes; ++a) b.AddAttribute(menuOf[a], "a" + std::to_string(a));
  for (int i = 0; i < items; ++i) {
    std::vector<bool> dropped(menus + 1);
    for (int m = 1; m <= menus; ++m) dropped[m] = Pick(rng, 3) == 0;
    std::vector<int> bits;
    for (int a = 0; a < attributes; ++a)
      if ((menuOf[a] < 0 || !dropped[menuOf[a]]) && Pick(rng, 4) == 0) bits.push_back(a);
    const bool freeSlot = Pick(rng, 10) == 0;
    b.AddItem(freeSlot ? "" : "i", "", freeSlot ? "" : "s", "", bits);
  }
  return b.Build(true);
}

DWORD* MutableRow(CZAVDoc& doc, int item) {
  const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
  return layout.GetRowWordsIn(item, doc.m_dataBlocks);
}

// Straight from the rules, one bit at a time: an item has data for a menu
// when it has one of its attributes; its lenient row has an attribute when
// the item has it or has no data for its menu.
void ExpectAsTheModel(const CZAVDoc& doc, const std::string& where) {
  const int attributes = doc.AttributeCount(), menus = doc.MenuCount();
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const bool used = !doc.GetItem(i).IsFreeSlot();
    const DWORD* row = doc.GetItemAttributeBits(i);
    std::vector<bool> hasData(menus, false);
    for (int a = 0; a < attributes; ++a) {
      const WORD menu = doc.GetAttribute(a).menuIndex;
      if (used && menu < menus && TestBit(row, static_cast<WORD>(a))) hasData[menu] = true;
    }
    for (int m = 0; m < menus; ++m)
      ASSERT_EQ(doc.HasMenuData(m, i), hasData[m]) << where << " item " << i << " menu " << m;
    if (!used) continue;
    const DWORD* lenient = doc.GetLenientRow(i);
    ASSERT_NE(lenient, nullptr) << where;
    for (int a = 0; a < attributes; ++a) {
      const WORD menu = doc.GetAttribute(a).menuIndex;
      const bool expected = TestBit(row, static_cast<WORD>(a)) || (menu < menus && !hasData[menu]);
      ASSERT_EQ(TestBit(lenient, static_cast<WORD>(a)), expected) << where << " item " << i << " attribute " << a;
    }
  }
}

// Item counts at and around a 32-item group and the rebuild's chunks.
constexpr int kItemCounts[] = {1, 31, 32, 33, 95, 2048, 2049, 4127};

class MissingDataDifferential : public EachCountKernel {};
INSTANTIATE_TEST_SUITE_P(Kernels, MissingDataDifferential, AllCountKernels(), CountKernelName);

TEST_P(MissingDataDifferential, RebuildMatchesThePerBitModel) {
  Rng rng(4242);
  for (int items : kItemCounts)
    for (MenuLayout layout : kLayouts) {
      auto doc = RandomKey(rng, items, layout);
      ExpectAsTheModel(*doc, "items " + std::to_string(items) + " layout " + std::to_string(int(layout)));
    }
}

// A second rebuild over changed rows writes over the matrix the first one
// laid out: nothing of the first may be left.
TEST_P(MissingDataDifferential, ARebuildOverChangedRowsMatchesThePerBitModel) {
  Rng rng(515);
  for (int items : {33, 2049})
    for (MenuLayout layout : kLayouts) {
      auto doc = RandomKey(rng, items, layout);
      const int words = CBitMatrix(doc->AttributeCount(), doc->ItemCount()).wordsPerRow();
      for (int item = 0; item < items; ++item) {
        DWORD* row = MutableRow(*doc, item);
        if (item % 3 == 0) std::fill(row, row + words, 0u);
        if (item % 3 == 1) std::fill(row, row + words, ~0u);
      }
      doc->UpdateMissingDataBits();
      ExpectAsTheModel(*doc, "items " + std::to_string(items) + " layout " + std::to_string(int(layout)));
    }
}

TEST_P(MissingDataDifferential, OneItemsUpdateMatchesThePerBitModel) {
  Rng rng(77);
  for (MenuLayout layout : kLayouts) {
    auto doc = RandomKey(rng, 70, layout);
    for (int round = 0; round < 30; ++round) {
      // Often the last item of a group, or the very last item.
      const int item = round % 3 == 0 ? 31 : round % 3 == 1 ? doc->ItemCount() - 1 : Pick(rng, doc->ItemCount());
      DWORD* row = MutableRow(*doc, item);
      for (int k = 0; k < 6; ++k) {
        const auto a = static_cast<WORD>(Pick(rng, doc->AttributeCount()));
        Pick(rng, 2) ? SetBit(row, a) : ClearBit(row, a);
      }
      if (round % 4 == 0)  // no data left for the item at all
        std::fill(row, row + CBitMatrix(doc->AttributeCount(), doc->ItemCount()).wordsPerRow(), 0u);
      doc->UpdateMissingDataBitsOfItem(item);
      ExpectAsTheModel(*doc, "round " + std::to_string(round) + " item " + std::to_string(item));
    }
  }
}

TEST_P(MissingDataDifferential, OneAttributesUpdateMatchesThePerBitModel) {
  Rng rng(91);
  for (MenuLayout layout : kLayouts) {
    auto doc = RandomKey(rng, 100, layout);
    for (int round = 0; round < 20; ++round) {
      const int attribute = Pick(rng, doc->AttributeCount());
      const bool set = Pick(rng, 2);
      for (int i = 0; i < doc->ItemCount(); ++i)
        if (Pick(rng, 3) != 0) set ? SetBit(MutableRow(*doc, i), attribute) : ClearBit(MutableRow(*doc, i), attribute);
      doc->UpdateMissingDataBitsOfAttribute(attribute);
      ExpectAsTheModel(*doc, "round " + std::to_string(round) + " attribute " + std::to_string(attribute));
    }
  }
}

}  // namespace
