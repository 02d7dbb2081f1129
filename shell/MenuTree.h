// The rules of the tree pane: which nodes the menu tree has, what kind each
// node is, its image, label, tooltip and colours, and what marking, pressing
// and double-clicking a node do. The Qt tree view draws these nodes and
// forwards its input here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/TreeNodes.h"

class CZAVDoc;
struct RegionAttribute;

// Node kinds; also the popup index in the context menus.
enum TreeNodeKind {
  KIND_DB_DESCRIPTION = 0,
  KIND_MENU_ROOT = 1,
  KIND_REFERENCES_ROOT = 2,
  KIND_MAIN_ITEMS = 3,
  KIND_MAIN_QOR = 4,
  KIND_MENU = 5,
  KIND_REFERENCE = 6,
  KIND_ITEMS = 7,
  KIND_QOR = 8,
  KIND_ATTRIBUTE = 9,
  KIND_ATTRIBUTE_MENU = 10,
  KIND_ATTRIBUTE_ROOT = 11,
};

// Node images.
enum TreeImage {
  IMAGE_ATTRIBUTE = 2,
  IMAGE_MENU = 3,
  IMAGE_NEVER = 4,
  IMAGE_ONLY = 5,
  IMAGE_YES = 6,
  IMAGE_NO = 7,
  IMAGE_OR_GROUP = 8,
  IMAGE_ATTRIBUTE_MENU = 9,
  IMAGE_ATTRIBUTE_UNUSED = 11,
  IMAGE_OR_SINGLE = 12,
  kTreeImageCount = 13,
};

// How one node is painted.
struct TreeNodeStyle {
  bool ownColours = false;              // menus and attributes; other nodes are drawn as the control draws them
  std::uint32_t background = 0xFFFFFF;  // 0xRRGGBB
  std::uint32_t text = 0x000000;
  bool arial = false;  // false: the control's own font
  bool bold = false;
  int countFirst = -1;  // the "|..|" part of the label, both bars included, as byte
  int countLast = -1;   // offsets in the UTF-8 label
  bool countBold = false;
};

// A node named by what it stands for rather than by its handle, so that a
// place in the tree outlives a rebuild of its nodes.
struct TreeNodeKey {
  int kind = KIND_DB_DESCRIPTION;
  std::uint32_t data = 0;
};

class CMenuTree {
 public:
  explicit CMenuTree(CZAVDoc& doc);

  CZAVDoc& GetDocument() const { return m_doc; }
  CTreeNodes& Nodes() { return m_nodes; }
  const CTreeNodes& Nodes() const { return m_nodes; }

  // ---- structure (MenuTree.cpp) --------------------------------------------
  HTREEITEM InsertNode(HTREEITEM parent, const char* text, std::uint32_t data, HTREEITEM after, int image);
  void OnInitialUpdate();
  void OnUpdate();
  void BuildMenuSubtree(HTREEITEM node, int menu);
  void FillReferences();
  void DeleteChildren(HTREEITEM node) { m_nodes.DeleteChildren(node); }
  int GetNodeKind(HTREEITEM node) const;
  int GetAttributeImage(int attribute) const;
  void UpdateAttributeImages(HTREEITEM node);
  void RefreshTree();
  HTREEITEM FindAttributeNode(int attribute) const;
  HTREEITEM FindMenuNode(int menu) const;
  TreeNodeKey KeyOf(HTREEITEM node) const {
    return {GetNodeKind(node), m_nodes.IsValid(node) ? m_nodes.Data(node) : 0};
  }
  // The node the key names now; kNoNode when there is none.
  HTREEITEM FindByKey(const TreeNodeKey& key) const;

  HTREEITEM MenuRoot() const { return m_menuRoot; }
  HTREEITEM ReferencesRoot() const { return m_referencesRoot; }
  HTREEITEM DescriptionNode() const { return m_descriptionNode; }
  void SetDescriptionNode(HTREEITEM node) { m_descriptionNode = node; }
  void ShowDescriptionNode(bool shown);

  // ---- texts and colours (MenuTreeLabels.cpp) ---------------------------------
  std::string GetNodeLabel(HTREEITEM node) const;
  // The label without its counts: the name the user reads and types.
  std::string GetNodeName(HTREEITEM node) const;
  static const char* GetTooltipText(int kind);
  TreeNodeStyle GetNodeStyle(HTREEITEM node, bool highlighted) const;
  // Counted at every refresh, like the per-attribute counts the labels show.
  int CandidateTotal() const { return m_candidateTotal; }

  // ---- marking (MenuTreeMarking.cpp) ------------------------------------------
  void MarkAttribute(int mark, HTREEITEM attributeNode, bool ctrlHeld);
  void ApplyRegionOrMarks(HTREEITEM menuNode, const std::vector<RegionAttribute>& regions);
  bool SetAttributeForAllItems(bool set, int attribute);
  bool CanMark(HTREEITEM selected) const { return GetNodeKind(selected) == KIND_ATTRIBUTE; }

  // ---- pages (MenuTreeReports.cpp) --------------------------------------------
  void ShowNodeReport(HTREEITEM node);
  void ShowDatabasePage();
  std::string BuildDatabasePage() const;
  // The page part of a left press on a node.
  void PressOnNode(HTREEITEM node);
  // True when the control's own double-click handling should run.
  bool DoubleClickNode(HTREEITEM node, bool ctrlHeld);
  // The report commands of the context menus; false when the command is not one.
  bool RunReportCommand(int command, HTREEITEM selected);

 private:
  int MenuIndexOf(HTREEITEM node) const;
  // The attribute nodes below the menu root, listed again only after nodes
  // were inserted or deleted: a refresh sets their images from this list
  // rather than walking every node of a large tree.
  const std::vector<HTREEITEM>& AttributeNodes();
  static bool IsMenuImage(int image) { return image == IMAGE_MENU || image == IMAGE_ATTRIBUTE_MENU; }
  void RefreshAttributeImage(HTREEITEM node) { m_nodes.SetImage(node, GetAttributeImage(m_nodes.Data(node))); }
  void RecountCandidates();
  int CountMenuCandidates(int menu) const;
  void StoreMark(int mark, HTREEITEM node);
  void ReevaluateAfterMark(int rememberedItem);

  CZAVDoc& m_doc;
  CTreeNodes m_nodes;
  HTREEITEM m_descriptionNode = kNoNode;
  HTREEITEM m_menuRoot = kNoNode;
  HTREEITEM m_referencesRoot = kNoNode;
  std::vector<HTREEITEM> m_attributeNodes;
  std::uint64_t m_attributeNodesVersion = ~std::uint64_t{0};
  int m_candidateTotal = 0;
  bool m_candidatesSelected = false;
};

// The once-only partial-match warning, shared by every open database.
extern bool g_partialMatchWarned;
