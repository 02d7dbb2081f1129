// The frame around a database for link actions under fuzzing: one object
// stands for the HTML view, the tree and the item list. It answers the
// popups as the fuzz input says, keeps the actions of the pages the real
// report builders show (as the program's view does) and opens nothing.
#pragma once

#include <memory>
#include <string>

#include "platform/DocumentViews.h"
#include "reports/ActionSlots.h"

class CZAVDoc;

class FuzzFrame : public IHtmlView, public ILeftView, public IItemListView {
 public:
  // Tree nodes: attribute a is node kAttributeNode + a, menu m kMenuNode + m.
  static constexpr TreeNodeHandle kAttributeNode = 1000;
  static constexpr TreeNodeHandle kMenuNode = 100000;

  FuzzFrame(CZAVDoc& document, int popupAnswer, bool itemDataChanges);
  ~FuzzFrame() override;

  ActionSlots& Slots() { return m_slots; }

  void ShowPage(const std::string& html, std::unique_ptr<ReportAction> action) override;
  int PopupItemMenu(bool) override { return m_popupAnswer; }
  int PopupRegionMenu() override { return m_popupAnswer; }

  void RefreshTree() override {}
  TreeNodeHandle SelectAttributeNode(int attribute) override { return kAttributeNode + attribute; }
  TreeNodeHandle SelectMenuNode(int menu, bool) override { return kMenuNode + menu; }
  std::vector<std::pair<TreeNodeHandle, std::string>> ChildNodes(TreeNodeHandle node) override;
  bool SetAttributeForAllItems(bool, int) override { return m_itemDataChanges; }
  void ApplyRegionMark(int mark, TreeNodeHandle attributeNode) override;

  void FillList() override {}

 private:
  CZAVDoc& m_document;
  ActionSlots m_slots;
  int m_popupAnswer;
  bool m_itemDataChanges;
};
