// The nodes of the menu tree, kept by the core so that every rule about
// them can be run and tested without a window. A node handle is a small
// positive number that stays valid until the node is deleted; 0 is "none".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using HTREEITEM = std::int32_t;
inline constexpr HTREEITEM kNoNode = 0;
inline constexpr HTREEITEM kInsertFirst = -1;
inline constexpr HTREEITEM kInsertLast = -2;

// Told about every structural change, so that a view model can follow.
class ITreeNodesObserver {
 public:
  virtual ~ITreeNodesObserver() = default;
  virtual void BeginInsertNode(HTREEITEM parent, int row) = 0;
  virtual void EndInsertNode() = 0;
  virtual void BeginRemoveNodes(HTREEITEM parent, int first, int last) = 0;
  virtual void EndRemoveNodes() = 0;
  virtual void NodeChanged(HTREEITEM node) = 0;
};

class CTreeNodes {
 public:
  struct Node {
    HTREEITEM parent = kNoNode;
    std::vector<HTREEITEM> children;
    std::uint32_t data = 0;
    int image = 0;
    bool callbackText = true;
    std::string text;  // fixed text when callbackText is false
    bool alive = false;
  };

  void SetObserver(ITreeNodesObserver* observer) { m_observer = observer; }

  // after: a sibling handle, kInsertFirst or kInsertLast. parent kNoNode is the top level.
  HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, std::uint32_t data, int image, const std::string* fixedText);
  void Delete(HTREEITEM node);
  void DeleteChildren(HTREEITEM node);

  bool IsValid(HTREEITEM node) const;
  const Node& Get(HTREEITEM node) const { return m_nodes.at(node - 1); }
  HTREEITEM Parent(HTREEITEM node) const { return IsValid(node) ? Get(node).parent : kNoNode; }
  const std::vector<HTREEITEM>& Children(HTREEITEM node) const;
  int RowOf(HTREEITEM node) const;
  int Depth(HTREEITEM node) const;
  std::uint32_t Data(HTREEITEM node) const { return Get(node).data; }
  int Image(HTREEITEM node) const { return Get(node).image; }
  void SetImage(HTREEITEM node, int image);
  // The node's label is asked for again (its record changed).
  void Relabel(HTREEITEM node) {
    if (m_observer && IsValid(node)) m_observer->NodeChanged(node);
  }
  HTREEITEM FirstTopLevel() const { return m_top.empty() ? kNoNode : m_top.front(); }

  // Depth first, children before the node itself.
  void ForEachPostOrder(HTREEITEM node, const std::function<void(HTREEITEM)>& visit) const;
  // Changes with every node inserted or deleted, so that a list made from
  // the nodes knows when it must be made again.
  std::uint64_t StructureVersion() const { return m_structureVersion; }

 private:
  std::vector<HTREEITEM>& ChildList(HTREEITEM parent);
  HTREEITEM Allocate();
  void Release(HTREEITEM node);

  std::vector<Node> m_nodes;
  std::vector<HTREEITEM> m_free;
  std::vector<HTREEITEM> m_top;
  ITreeNodesObserver* m_observer = nullptr;
  std::uint64_t m_structureVersion = 0;
};
