// The deepest menu tree a key may have (kMaxMenuDepth menus above a menu):
// every walk over it fits a thread's stack, and no edit makes it deeper.
#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>

#include "SmallKey.h"
#include "database/Archive.h"
#include "database/MenuDepth.h"
#include "database/XmlDump.h"
#include "editors/AttributeFormLayout.h"
#include "editors/ClipboardMenu.h"
#include "reports/ReportAnalize.h"
#include "shell/ItemRegions.h"
#include "shell/MenuTreeEditing.h"
#include "shell/TreeDropRules.h"

namespace {

enum { kFruit = 0, kColour = 1, kSize = 2 };

// Hangs `levels` menus of menus in a row below parent; returns the last.
int AppendChain(CZAVDoc& doc, int parent, int levels) {
  for (int k = 0; k < levels; ++k) {
    const int index = doc.MenuCount();
    doc.m_menus.push_back(MakeMenu(MENU_OF_MENUS, static_cast<WORD>(parent), "Level " + std::to_string(k), {}));
    doc.GetMenu(parent).children.push_back(static_cast<WORD>(index));
    parent = index;
  }
  return parent;
}

// Runs work on a thread with a quarter of the smallest stack the walks run
// on: the worker pool's threads get 4 MB, the program's main thread 8 MB.
constexpr std::size_t kSmallStack = std::size_t{1} << 20;

void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, kSmallStack), 0);
  pthread_t thread;
  const auto run = [](void* call) -> void* {
    (*static_cast<const std::function<void()>*>(call))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

}  // namespace

TEST(DeepMenuTree, EveryWalkOverTheDeepestTreeFitsASmallStack) {
  TreeFixture f;
  // Colour sinks to the bottom of a chain: kMaxMenuDepth menus above it.
  std::erase(f.doc->GetMenu(kFruit).children, WORD{kColour});
  const int bottom = AppendChain(*f.doc, kFruit, kMaxMenuDepth - 1);
  f.doc->GetMenu(bottom).children.push_back(kColour);
  f.doc->GetMenu(kColour).parent = static_cast<WORD>(bottom);
  ASSERT_EQ(MenusAbove(*f.doc, kColour), kMaxMenuDepth);
  CArchive ar;
  f.doc->StoreFields(ar);
  const auto bytes = ar.TakeBytes();

  OnSmallStack([&] {
    CZAVDoc loaded;
    ASSERT_EQ(loaded.ReadFields(bytes.data(), bytes.size(), loaded, nullptr), CZAVDoc::LoadResult::Ok);
    std::string dump;
    XmlDumpSnapshot(*f.doc).Render([&](std::string_view piece) { return dump.append(piece), true; }, 1 << 20);
    EXPECT_EQ(Count(dump, "<menu\n"), static_cast<std::size_t>(f.doc->MenuCount()));
    EXPECT_EQ(Count(dump, "<attribute\n"), 5u);

    f.tree.OnUpdate();
    EXPECT_NE(f.tree.FindAttributeNode(kRed), kNoNode);
    EXPECT_EQ(f.tree.GetNodeKind(f.tree.FindMenuNode(kColour)), KIND_ATTRIBUTE_MENU);
    f.tree.UpdateAttributeImages(f.tree.FindMenuNode(f.doc->GetMenu(kFruit).children.back()));
    CReportAnalize analysis(*f.doc);
    EXPECT_TRUE(analysis.Analyze());
    std::vector<MenuRegionAttributes> regions;
    CollectRegionAttributes(regions, *f.doc, kFruit, nullptr);
    EXPECT_EQ(regions.size(), 2u);
    EXPECT_EQ(LayOutAttributeForm(*f.doc).rows.size(), static_cast<std::size_t>(f.doc->MenuCount() + 5));
    const auto branch = CClipboardMenu::Copy(*f.doc, f.doc->GetMenu(kFruit).children.back());
    CClipboardMenu::FinishCut(*f.doc, f.doc->GetMenu(kFruit).children.back());
    CClipboardMenu::Paste(*f.doc, kFruit, branch.data(), branch.size());
    EXPECT_EQ(MenusAbove(*f.doc, f.doc->GetAttribute(kRed).menuIndex), kMaxMenuDepth);
    f.tree.OnUpdate();
    f.tree.Nodes().DeleteChildren(f.tree.MenuRoot());
  });
}

TEST(DeepMenuTree, NoEditMakesTheTreeDeeper) {
  TreeFixture f;
  CMenuTreeEditing editing(f.tree);
  CTreeDropRules rules(f.tree, [] { return MenuDropChoice::Submenu; });
  const int bottom = AppendChain(*f.doc, kFruit, kMaxMenuDepth);  // a menu of menus with 1000 above it
  const int above = f.doc->GetMenu(bottom).parent;
  f.tree.OnUpdate();
  const auto size = CClipboardMenu::Copy(*f.doc, kSize);
  const std::string refusal = "The menu tree can't be deeper than 1000 levels.";

  int editorRuns = 0;
  const CMenuTreeEditing::MenuEditor editor = [&](int&, int, bool) { return ++editorRuns, false; };
  EXPECT_FALSE(RunCommand([&] { editing.InsertMenu(f.tree.FindMenuNode(bottom), false, editor); }));
  EXPECT_EQ(editorRuns, 0);
  EXPECT_THROW(CClipboardMenu::Paste(*f.doc, bottom, size.data(), size.size()), UserAbort);
  EXPECT_EQ(rules.Drop(f.tree.FindMenuNode(bottom), f.tree.FindMenuNode(kSize)), kNoNode);
  EXPECT_EQ(f.ui.Messages(), std::vector<std::string>(3, refusal));
  EXPECT_EQ(f.doc->GetMenu(bottom).children, std::vector<WORD>{});
  EXPECT_THROW(f.doc->AddMenu("Deeper", bottom, MENU_OF_MENUS), UserAbort);

  // One level up each of them fits.
  editing.InsertMenu(f.tree.FindMenuNode(above), false, editor);
  EXPECT_EQ(editorRuns, 1);
  const PastedBranch pasted = CClipboardMenu::Paste(*f.doc, above, size.data(), size.size());
  EXPECT_EQ(MenusAbove(*f.doc, pasted.top), kMaxMenuDepth);
  f.tree.OnUpdate();
  EXPECT_NE(rules.Drop(f.tree.FindMenuNode(above), f.tree.FindMenuNode(kSize)), kNoNode);
  EXPECT_EQ(f.doc->GetMenu(kSize).parent, above);
}
