// A generated key at the size limits (32000 items x 16000 attributes, 10 %
// of the bits set) shown in a real tree pane and item list, for the
// benchmark and the test that drive one mark through them.
#pragma once

#include <memory>

#include "bench/GeneratedDatabase.h"
#include "shell/qt/ItemListView.h"
#include "shell/qt/LeftView.h"
#include "tree/SmallKey.h"

struct LimitPanes {
  explicit LimitPanes(int menus) : doc(MakeGeneratedDatabase(32000, 16000, menus, 0.10, 7)) {
    doc->ResetItemStates(false);
    doc->UpdateRemainingItems();
    tree = std::make_unique<CLeftView>(*doc);
    list = std::make_unique<CItemListView>(*doc);
    doc->AttachViews(&html, tree.get(), list.get());
    tree->resize(400, 600);
    list->resize(300, 300);
    tree->show();
    list->show();
  }
  ~LimitPanes() { doc->AttachViews(nullptr, nullptr, nullptr); }

  ScriptedUi ui;
  std::unique_ptr<CZAVDoc> doc;
  RecordingHtml html;
  std::unique_ptr<CLeftView> tree;
  std::unique_ptr<CItemListView> list;
};
