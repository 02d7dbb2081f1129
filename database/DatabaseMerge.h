// Folds every item of one database into another: items matched by their
// names (a matched item takes the description and reference pages, an added
// one its pictures too), and the attributes they have, with whatever menus
// and attributes the receiving database lacks.
#pragma once

#include <vector>

#include "database/MergeItemMatcher.h"
#include "database/MergeMenuMapper.h"

class CZAVDoc;

struct MergeCounts {
  int itemsMatched = 0;  // incoming items folded into an existing one
  int itemsAdded = 0;
  int attributesSkipped = 0;  // incoming attributes whose menu path meets another kind
};

class DatabaseMerge {
 public:
  // Only the target's items present now are candidates for matching.
  DatabaseMerge(CZAVDoc& target, const CZAVDoc& source);

  // The error box of a limit (items, menus, attributes) or of a nameless
  // attribute abandons the merge midway; what was merged stays.
  void Run();
  const MergeCounts& Counts() const { return m_counts; }

 private:
  // The target item the source item went into.
  int MergeItem(int sourceItem);
  int AddItem(int sourceItem, const ItemNameParts& parts);
  void MergeAttributes(int sourceItem, int targetItem);
  // The target attribute for a source attribute, -1 when it is not merged.
  int MapAttribute(int sourceAttribute);
  int FindOrAddAttribute(int sourceAttribute, int targetMenu);
  void TakeTexts(int sourceAttribute, int targetAttribute);

  CZAVDoc& m_target;
  const CZAVDoc& m_source;
  ItemMatcher m_matcher;
  MenuPathMapper m_menus;
  std::vector<int> m_attributeMap;  // per source attribute; see MapAttribute
  std::vector<int> m_textsFrom;     // per target attribute: the source attribute whose texts it has
  MergeCounts m_counts;
};
