// The engine's calls on the views and on the report driver of its frame.
// Every view may be absent (a document without a frame, as in the tests).
#pragma once

#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"

namespace engine_views {

inline void RefreshTree(CZAVDoc& doc) {
  if (ILeftView* tree = doc.GetLeftView()) tree->RefreshTree();
}

// The tree's recount and redraw, then the item list refilled through the tree.
inline void RefreshTreeAndList(CZAVDoc& doc) {
  if (ILeftView* tree = doc.GetLeftView()) {
    tree->RefreshTree();
    tree->RefreshItemList();
  }
}

inline void RepaintTreeControl(CZAVDoc& doc) {
  if (ILeftView* tree = doc.GetLeftView()) tree->RepaintTreeControl();
}

inline void FillItemList(CZAVDoc& doc) {
  if (IItemListView* list = doc.GetItemListView()) list->FillList();
}

// Re-creates the page of the current report kind (saveOptions false).
inline void ShowCurrentReport(CZAVDoc& doc) {
  if (doc.m_showReportHook) doc.m_showReportHook(false);
}

inline void ShowItemPage(CZAVDoc& doc, int item) {
  if (doc.m_showItemPageHook) doc.m_showItemPageHook(item);
}

}  // namespace engine_views
