// The Qt model over the core's tree nodes. Labels, images and tooltips are
// asked from the core on every paint, so a refresh only has to repaint.
#pragma once

#include <QAbstractItemModel>
#include <functional>

#include "shell/TreeNodes.h"

class CMenuTree;

class CTreeModel : public QAbstractItemModel, public ITreeNodesObserver {
  Q_OBJECT
 public:
  CTreeModel(CMenuTree& tree, QObject* parent = nullptr);
  ~CTreeModel() override;

  // The node's name without its counts, as typing in the tree finds it.
  static constexpr int kNameRole = Qt::UserRole + 1;

  QModelIndex IndexOf(HTREEITEM node) const;
  static HTREEITEM NodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<HTREEITEM>(index.internalId()) : kNoNode;
  }
  // Runs a refresh that may change every label and image. The nodes' own
  // notices are held back meanwhile: one dataChanged per node made a mark on
  // a tree of 16000 attributes cost over 100 ms, while one notice over the
  // top rows repaints the whole view anyway. Refreshes run inside one give
  // a single notice at the end of the outermost. A change notice is bounded
  // to one parent, so the views hear of the nodes below the top rows through
  // nodesRefreshed.
  void RefreshAll(const std::function<void()>& refresh);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void BeginInsertNode(HTREEITEM parent, int row) override;
  void EndInsertNode() override;
  void BeginRemoveNodes(HTREEITEM parent, int first, int last) override;
  void EndRemoveNodes() override;
  void NodeChanged(HTREEITEM node) override;

 signals:
  // Any node's label or image may have changed: every visible row is stale.
  void nodesRefreshed();

 private:
  CMenuTree& m_tree;
  bool m_holdNodeNotices = false;
};
