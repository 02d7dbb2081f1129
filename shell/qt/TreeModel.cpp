#include "shell/qt/TreeModel.h"

#include "shell/MenuTree.h"
#include "shell/qt/NodeImages.h"

CTreeModel::CTreeModel(CMenuTree& tree, QObject* parent) : QAbstractItemModel(parent), m_tree(tree) {
  m_tree.Nodes().SetObserver(this);
}

CTreeModel::~CTreeModel() { m_tree.Nodes().SetObserver(nullptr); }

QModelIndex CTreeModel::IndexOf(HTREEITEM node) const {
  if (!m_tree.Nodes().IsValid(node)) return {};
  return createIndex(m_tree.Nodes().RowOf(node), 0, static_cast<quintptr>(node));
}

void CTreeModel::RefreshAll(const std::function<void()>& refresh) {
  // A refresh inside another (the tree's recount within a mark) leaves the
  // one notice to the outer refresh.
  if (m_holdNodeNotices) return refresh();
  const auto notify = [this] {
    m_holdNodeNotices = false;
    const int top = rowCount();
    if (top > 0) emit dataChanged(index(0, 0), index(top - 1, 0), {Qt::DisplayRole, Qt::DecorationRole});
    emit nodesRefreshed();
  };
  m_holdNodeNotices = true;
  try {
    refresh();
  } catch (...) {
    notify();  // an abandoned command may have changed nodes before it ended
    throw;
  }
  notify();
}

QModelIndex CTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const auto& children = m_tree.Nodes().Children(NodeOf(parent));
  if (column != 0 || row < 0 || row >= static_cast<int>(children.size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(children[row]));
}

QModelIndex CTreeModel::parent(const QModelIndex& child) const { return IndexOf(m_tree.Nodes().Parent(NodeOf(child))); }

int CTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0) return 0;
  return static_cast<int>(m_tree.Nodes().Children(NodeOf(parent)).size());
}

int CTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant CTreeModel::data(const QModelIndex& index, int role) const {
  const HTREEITEM node = NodeOf(index);
  if (!m_tree.Nodes().IsValid(node)) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(m_tree.GetNodeLabel(node));
    case Qt::DecorationRole:
      return TreeNodePixmap(m_tree.Nodes().Image(node));
    case kNameRole:
      return QString::fromStdString(m_tree.GetNodeName(node));
    case Qt::ToolTipRole:
      return QString::fromUtf8(CMenuTree::GetTooltipText(m_tree.GetNodeKind(node)));
    default:
      return {};
  }
}

void CTreeModel::BeginInsertNode(HTREEITEM parent, int row) { beginInsertRows(IndexOf(parent), row, row); }
void CTreeModel::EndInsertNode() { endInsertRows(); }
void CTreeModel::BeginRemoveNodes(HTREEITEM parent, int first, int last) {
  beginRemoveRows(IndexOf(parent), first, last);
}
void CTreeModel::EndRemoveNodes() { endRemoveRows(); }

void CTreeModel::NodeChanged(HTREEITEM node) {
  if (m_holdNodeNotices) return;
  const QModelIndex at = IndexOf(node);
  emit dataChanged(at, at, {Qt::DecorationRole});
}
